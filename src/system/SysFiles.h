#pragma once
// Files in the game folder. Reading never needs write access; writing goes
// to a temporary file beside the target that only replaces it once all of
// it is on disk, so a crash, a power cut or a full disk keeps the old file.
#include <cstddef>
#include <string>

class SysFile {
public:
  SysFile() = default;
  ~SysFile();
  SysFile(const SysFile&) = delete;
  SysFile& operator=(const SysFile&) = delete;

  // Opens an existing file read-only. False when it cannot be opened.
  bool OpenRead(const std::string& path);
  // Starts a replacement of `path` (which need not exist yet): writes go to
  // `path` + ".tmp" until Close commits them. False when no temporary file
  // can be made.
  bool Create(const std::string& path);

  // Reads up to `count` bytes; `done` gets how many came. True only when
  // all `count` bytes were read.
  bool Read(void* buffer, std::size_t count, std::size_t* done);
  // True only when all `count` bytes were written. A failed write spoils
  // the replacement: Close then keeps the old file.
  bool Write(const void* buffer, std::size_t count, std::size_t* done);

  // Ends a read, or commits a replacement: flushes the temporary file,
  // renames it over the target and flushes the folder. False when the
  // replacement could not be committed (the old file then stays).
  bool Close();
  // Drops an unfinished replacement, keeping the old file.
  void Abandon();

  bool IsOpen() const { return Fd >= 0; }
  bool IsWriting() const { return Writing; }

  // The file the last Create meant to replace, and why its replacement
  // failed, as the system words it ("Permission denied", "No space left on
  // device"); empty while nothing has failed.
  const std::string& TargetPath() const { return Target; }
  std::string FailureReason() const;

private:
  // Remembers the first reason of a replacement's failure.
  void Fail(int error);

  int Fd = -1;
  bool Writing = false;
  bool Failed = false;
  int Error = 0;
  std::string Target;
  std::string Temporary;
};

// Moves a file out of the way under another name (replacing what had that
// name); false when it could not be moved.
bool SysMoveFile(const std::string& from, const std::string& to);

// The temporary name used while `path` is being replaced.
std::string SysTemporaryPathFor(const std::string& path);
