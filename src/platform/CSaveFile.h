#pragma once
#include <cstdint>

#include "system/SysFiles.h"

// The file object for "save", "keyconfig", "identify" and the rankings:
// one file at a time, by its bare name in the game folder, raw bytes read
// and written strictly in sequence. A write that fails says so in one line
// on standard error, naming the file and the system's reason.
class CSaveFile {
public:
  CSaveFile() = default;
  // An unfinished write is dropped; the old file stays.
  virtual ~CSaveFile() = default;
  CSaveFile(const CSaveFile&) = delete;
  CSaveFile& operator=(const CSaveFile&) = delete;

  // Opens an existing file for reading only.
  virtual bool OpenRead(const char* name);
  virtual bool OpenSaveRead();
  // Starts writing the file from empty. The old file is replaced only when
  // Close succeeds; false when the folder takes no new file.
  virtual bool Create(const char* name);
  virtual bool CreateSave();
  virtual bool OpenScoreRead();
  virtual bool CreateScore();
  virtual bool OpenIdentifyRead();
  virtual bool CreateIdentify();
  // Ends a read, or puts the written file in place. False when a write
  // failed or the file could not be put in place.
  virtual bool Close();
  // True only when all `count` bytes were read; `done` (may be null) gets
  // how many came.
  virtual bool Read(void* buffer, std::uint32_t count, std::uint32_t* done);
  // True only when all `count` bytes were written.
  virtual bool Write(const void* buffer, std::uint32_t count, std::uint32_t* done);

  // Keeps a file that could not be read under another name, so that the
  // next write of its own name does not destroy what is left of it.
  bool KeepAside(const char* name, const char* asideName);

private:
  SysFile File;
};
