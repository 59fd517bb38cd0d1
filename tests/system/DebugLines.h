#pragma once
// The game's debug lines reach stderr only when the player asks (--verbose);
// a test that reads them asks the same way for as long as this lives.
#include "system/SysPlatform.h"

class DebugLinesShown {
public:
  DebugLinesShown() { SysShowDebugOutput(true); }
  ~DebugLinesShown() { SysShowDebugOutput(false); }
  DebugLinesShown(const DebugLinesShown&) = delete;
  DebugLinesShown& operator=(const DebugLinesShown&) = delete;
};
