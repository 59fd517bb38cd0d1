#pragma once
#include <cstdint>

class CSaveFile;

// One byte per ItemId: which item kinds are identified. Read from
// "identify" at start-up; the game never writes that file.
constexpr int IdentifyTableSize = 4096;
extern std::uint8_t IdentifyTable[IdentifyTableSize];

// Reads the table from the open file; a short file changes nothing.
bool LoadIdentifyTable(CSaveFile& file);
