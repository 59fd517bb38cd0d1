#pragma once
#include <string>

// One copy per game folder: an abstract Unix socket named after the folder.
// Released when the process ends, however it ends.
class CInstanceLock {
public:
  CInstanceLock() = default;
  ~CInstanceLock();
  CInstanceLock(const CInstanceLock&) = delete;
  CInstanceLock& operator=(const CInstanceLock&) = delete;

  // False when another copy holds the lock for this folder.
  bool Acquire(const std::string& gameFolder);
  void Release();

private:
  int Socket = -1;
};
