#pragma once
#include <cstdint>

using PictureId = std::int32_t;

struct PictureRow {
  std::uint32_t Id;
  std::uint32_t Slot;
  std::uint32_t ResourceId;
  std::uint32_t X;
  std::uint32_t Y;
  std::uint32_t Size;
};

constexpr int PictureCount = 162;
extern const PictureRow PictureTable[PictureCount];

// The row of a picture id, or null outside 0-161.
const PictureRow* GetPictureRow(int id);
// Width (= height) of the texture a picture lives in; 0 for unknown ids.
std::uint32_t TextureSizeOf(int id);
