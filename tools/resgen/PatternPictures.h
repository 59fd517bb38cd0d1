#pragma once
// Labelled test patterns: a grid of 16-pixel tiles in the picture's own
// colours, each tile labelled with the picture id, so that any frame cut
// from it shows whose it is and how it is turned. The bottom-right pixel of
// every tile is the transparent colour key. The module holds them for the
// pictures nothing draws yet (the art is picture_art's, see art/Pictures.h);
// tests use them to know which cell was drawn.
#include <cstdint>
#include <vector>

// A PNG of picture `pictureId` at size x size.
std::vector<std::uint8_t> MakePatternPicture(int pictureId, int size);
// A size x size PNG in one opaque colour.
std::vector<std::uint8_t> MakePlainPicture(int size, std::uint8_t r, std::uint8_t g, std::uint8_t b);

// The window icon: the GROUP_ICON bytes and its ICON images, whose ids are
// firstIconId, firstIconId + 1, ...
struct IconSet {
  std::vector<std::uint8_t> Group;
  std::vector<std::vector<std::uint8_t>> Images;
};
IconSet MakeIcon(std::uint16_t firstIconId);

// The icon's art drawn at `size` px: size x size RGBA bytes.
std::vector<std::uint8_t> DrawIconArt(int size);
// A desktop's icon of `size` px as a PNG: the art drawn at the largest of
// the icon's small sizes (16, 32, 48) that divides `size`, each of its
// pixels enlarged to a whole square block, never blurred. Empty for a size
// none of them divides.
std::vector<std::uint8_t> MakeDesktopIcon(int size);
