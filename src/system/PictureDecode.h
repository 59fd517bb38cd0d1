#pragma once
// Pictures from the resource module: PNG, JPEG, BMP, or the bare DIB of a
// BITMAP resource, placed unscaled at the top-left of a size x size picture.
// Pixels are 0xAARRGGBB; pixels beyond the size are clipped; opaque pure
// green (0xFF00FF00) becomes transparent black.
#include <cstdint>
#include <vector>

#include "system/ResourceModule.h"

// Decodes `bytes` into `argb` (resized to size * size). False when the bytes
// are no picture it can read; `argb` is then all transparent. A bare DIB is
// read only from a BITMAP resource; sizes above 8192 are refused and leave
// `argb` empty; images wider or taller than 16384 are refused.
bool DecodePicture(const ResourceBytes& bytes, int size, std::vector<std::uint32_t>& argb);

// Looks the picture up in the game's module and decodes it.
bool LoadPictureResource(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb);

// An icon: the largest, then deepest image of GROUP_ICON `groupId` (its
// ICON entry a PNG, or a DIB with its transparency mask), as width x height
// ARGB pixels, at most 256 x 256. No colour key applies to icons.
bool DecodeIcon(const CResourceModule& module, std::uint16_t groupId,
                std::vector<std::uint32_t>& argb, int& width, int& height);
bool LoadIconResource(std::uint16_t groupId, std::vector<std::uint32_t>& argb, int& width,
                      int& height);
