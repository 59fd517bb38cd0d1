#pragma once
// A bundle of ready pictures: the drawn art handed from the picture tool to
// resgen as one file, so that the module is remade only when a picture's
// bytes change. "VPB1", the count (u32), then per picture its resource id
// (u16), its length (u32) and its PNG bytes; little-endian.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

using PictureBundle = std::map<std::uint16_t, std::vector<std::uint8_t>>;

std::vector<std::uint8_t> EncodeBundle(const PictureBundle& pictures);
// False (and `out` empty) for bytes that are not a whole bundle.
bool DecodeBundle(const std::vector<std::uint8_t>& bytes, PictureBundle& out);
bool ReadBundleFile(const std::string& path, PictureBundle& out);
