#include "system/SysFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

std::string FolderOf(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename itself durable. Some file systems cannot sync a folder;
// the new file is already in place then, so this is best effort.
void SyncFolder(const std::string& path) {
  const int dir = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir < 0) return;
  ::fsync(dir);
  ::close(dir);
}

// Error of a path that is there but no regular file (a pipe, a device).
constexpr int NotARegularFile = -1;

}  // namespace

std::string SysTemporaryPathFor(const std::string& path) { return path + ".tmp"; }

bool SysMoveFile(const std::string& from, const std::string& to) {
  return ::rename(from.c_str(), to.c_str()) == 0;
}

SysFile::~SysFile() {
  if (Writing)
    Abandon();
  else if (Fd >= 0)
    Close();
}

// Opens `path` only when it is a regular file: non-blocking, so a pipe in
// its place is refused instead of waiting for a peer forever (regular files
// are unaffected). -1 when it cannot be opened or is something else; then
// `error` says why.
static int OpenRegularFile(const std::string& path, int flags, int& error) {
  int fd;
  do fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  while (fd < 0 && errno == EINTR);
  if (fd < 0) {
    error = errno;
    return -1;
  }
  struct stat info;
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    error = NotARegularFile;
    ::close(fd);
    return -1;
  }
  return fd;
}

void SysFile::Fail(int error) {
  if (!Error) Error = error ? error : EIO;
  Failed = true;
}

std::string SysFile::FailureReason() const {
  if (!Error) return {};
  if (Error == NotARegularFile) return "not a regular file";
  return std::strerror(Error);
}

bool SysFile::OpenRead(const std::string& path) {
  if (Fd >= 0) Writing ? Abandon() : static_cast<void>(Close());
  int error = 0;
  const int fd = OpenRegularFile(path, O_RDONLY, error);
  if (fd < 0) return false;
  Fd = fd;
  return true;
}

bool SysFile::Create(const std::string& path) {
  if (Fd >= 0) Writing ? Abandon() : static_cast<void>(Close());
  Target = path;
  Temporary = SysTemporaryPathFor(path);
  Failed = false;
  Error = 0;
  // No folder to keep files in: said once at start-up, not at every write.
  if (path.empty()) {
    Fail(ENOENT);
    return false;
  }
  // A temporary file left by a writer that died is simply overwritten.
  int error = 0;
  const int fd = OpenRegularFile(Temporary, O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW, error);
  if (fd < 0) {
    Fail(error);
    return false;
  }
  Fd = fd;
  Writing = true;
  return true;
}

bool SysFile::Read(void* buffer, std::size_t count, std::size_t* done) {
  std::size_t got = 0;
  if (Fd >= 0 && !Writing) {
    auto* bytes = static_cast<unsigned char*>(buffer);
    while (got < count) {
      const ssize_t n = ::read(Fd, bytes + got, count - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
  }
  if (done) *done = got;
  return got == count;
}

bool SysFile::Write(const void* buffer, std::size_t count, std::size_t* done) {
  std::size_t put = 0;
  if (Fd >= 0 && Writing && !Failed) {
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    while (put < count) {
      const ssize_t n = ::write(Fd, bytes + put, count - put);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        // A write that takes nothing and names no error has run out of room.
        Fail(n < 0 ? errno : ENOSPC);
        break;
      }
      put += static_cast<std::size_t>(n);
    }
  }
  if (done) *done = put;
  // Keeps the first reason: this write's, an earlier write's, or no file.
  if (put != count) Fail(EBADF);
  return put == count;
}

bool SysFile::Close() {
  if (Fd < 0) return true;
  if (!Writing) {
    ::close(Fd);
    Fd = -1;
    return true;
  }
  if (!Failed && ::fsync(Fd) != 0) Fail(errno);
  if (Failed) {
    Abandon();
    return false;
  }
  const bool closed = ::close(Fd) == 0;
  if (!closed) Fail(errno);
  Fd = -1;
  Writing = false;
  if (!closed || ::rename(Temporary.c_str(), Target.c_str()) != 0) {
    if (closed) Fail(errno);
    ::unlink(Temporary.c_str());
    return false;
  }
  SyncFolder(Target);
  return true;
}

void SysFile::Abandon() {
  if (Fd >= 0) ::close(Fd);
  Fd = -1;
  if (Writing) ::unlink(Temporary.c_str());
  Writing = false;
  Failed = false;
}
