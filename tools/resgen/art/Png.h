#pragma once
// PNG bytes of a canvas, and back: the format every drawn picture goes into
// the resource module in.
#include <cstdint>
#include <string>
#include <vector>

#include "art/Canvas.h"

// Opaque pure green is the loader's colour key; no drawn pixel may be it,
// so it is nudged to a green one step darker on the way out.
std::vector<std::uint8_t> EncodePng(const CCanvas& canvas);
// False when the bytes are no PNG libpng can read.
bool DecodePng(const std::vector<std::uint8_t>& png, CCanvas& out);
bool WritePngFile(const std::string& path, const CCanvas& canvas);
