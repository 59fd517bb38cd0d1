#pragma once
// No store platform here: start-up reports the failure and nothing depends on it.
inline bool SteamAPI_Init() { return false; }
inline void SteamAPI_Shutdown() {}
