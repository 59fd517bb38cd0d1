#include "system/WaveFile.h"

// Placeholder until the sound code lands: no sound can be read.
bool ParseWave(const ResourceBytes&, WaveInfo&) { return false; }
