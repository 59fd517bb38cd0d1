#include "platform/CSaveFile.h"

#include <cerrno>
#include <cstring>
#include <string>

#include "system/SysPlatform.h"

namespace {

// The player learns that a file was not kept, and why.
void ReportFailedWrite(const SysFile& file) {
  if (file.TargetPath().empty()) return;  // no folder: said once at start-up
  const std::string line = "Vorlumen: cannot write " + file.TargetPath() + ": " + file.FailureReason() +
                           "; the file stays as it was\n";
  SysReportProblem(line.c_str());
}

}  // namespace

bool CSaveFile::OpenRead(const char* name) { return File.OpenRead(SysGameFilePath(name)); }
bool CSaveFile::OpenSaveRead() { return OpenRead("save"); }
bool CSaveFile::KeepAside(const char* name, const char* asideName) {
  if (!SysGameFilesKept()) return false;
  const std::string from = SysGameFilePath(name), to = SysGameFilePath(asideName);
  if (SysMoveFile(from, to)) return true;
  const int error = errno;
  const std::string line = "Vorlumen: cannot move " + from + " to " + to + ": " + std::strerror(error) + "\n";
  SysReportProblem(line.c_str());
  return false;
}
bool CSaveFile::Create(const char* name) {
  if (!SysGameFilesKept()) return false;  // said once at start-up
  if (File.Create(SysGameFilePath(name))) return true;
  ReportFailedWrite(File);
  return false;
}
bool CSaveFile::CreateSave() { return Create("save"); }
bool CSaveFile::OpenScoreRead() { return OpenRead("score"); }
bool CSaveFile::CreateScore() { return Create("score"); }
bool CSaveFile::OpenIdentifyRead() { return OpenRead("identify"); }
bool CSaveFile::CreateIdentify() { return Create("identify"); }
bool CSaveFile::Close() {
  const bool writing = File.IsWriting();
  if (File.Close()) return true;
  if (writing) ReportFailedWrite(File);
  return false;
}

bool CSaveFile::Read(void* buffer, std::uint32_t count, std::uint32_t* done) {
  std::size_t got = 0;
  const bool ok = File.Read(buffer, count, &got);
  if (done) *done = static_cast<std::uint32_t>(got);
  return ok;
}

bool CSaveFile::Write(const void* buffer, std::uint32_t count, std::uint32_t* done) {
  std::size_t put = 0;
  const bool ok = File.Write(buffer, count, &put);
  if (done) *done = static_cast<std::uint32_t>(put);
  return ok;
}
