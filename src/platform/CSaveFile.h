#pragma once

// The file object for "save", "keyconfig", "identify" and the rankings.
class CSaveFile {
public:
  virtual ~CSaveFile() = default;
};
