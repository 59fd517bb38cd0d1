#pragma once
// The floor's part of "save": a 65536-byte little-endian image of its map,
// sight, camera, music and flags, after a u32 length word of 65536. Who
// stands and lies there is saved with the characters and items.
#include <cstdint>

class CSaveFile;
class CStageData;

constexpr std::uint32_t FloorImageSize = 65536;

// Writes the floor into a zeroed image.
void PackFloorImage(std::uint8_t* image, const CStageData& floor);
// Whether an image holds only values a floor can have: terrain 0-7, a
// 40 x 40 map, the camera on it, a scroll counter 0-8, music -1-18, a turn
// counter of 0 or more, and a StageId that names a floor (never the random
// gallery request 800).
bool IsSoundFloorImage(const std::uint8_t* image);
// The inverse of PackFloorImage; the occupancy grids are not read.
void ApplySavedFloorImage(CStageData& floor, const std::uint8_t* image);
// Reads the length word and the image from the open file and builds the
// floor of its StageId, with no one and nothing on it yet. Null, and no
// floor at all, when the length is not 65536, the read falls short or the
// image fails IsSoundFloorImage.
CStageData* LoadSavedFloor(CSaveFile& file);
