#include "app/CGameMain.h"
#include "platform/Renderer.h"

namespace {

struct PreloadedPicture {
  PictureId Picture;
  std::uint16_t Resource;
};

// Pictures every screen may draw without acquiring them; 117 is the font atlas.
constexpr PreloadedPicture Preloaded[] = {
    {12, 151},   {11, 150},   {133, 201},  {134, 202},  {135, 203},  {136, 204},  {10, 147},
    {7, 138},    {8, 139},    {9, 140},    {132, 200},  {146, 1000}, {147, 1001}, {148, 1002},
    {149, 1003}, {150, 1010}, {151, 1011}, {152, 1012}, {153, 1013}, {117, 198},
};

struct FontGlyphs {
  int HalfWidth, FullWidth, CellHeight, HalfPicture, FullPicture;
  int HalfOriginX, HalfOriginY, FullOriginX, FullOriginY, HalfAdvance, FullAdvance, LineHeight;
};

constexpr FontGlyphs FontSet[12] = {
    {3, 6, 8, 117, 117, 704, 704, 608, 656, 4, 6, 8},
    {6, 6, 8, 117, 117, 704, 656, 608, 656, 6, 6, 8},
    {3, 8, 8, 117, 119, 704, 704, 0, 0, 4, 8, 8},
    {6, 10, 10, 120, 121, 0, 0, 0, 0, 4, 9, 10},
    {7, 12, 13, 122, 123, 0, 0, 0, 0, 5, 9, 12},
    {7, 12, 13, 124, 125, 0, 0, 0, 0, 6, 11, 16},
    {8, 14, 15, 126, 127, 0, 0, 0, 0, 6, 11, 16},
    {8, 14, 15, 128, 129, 0, 0, 0, 0, 7, 13, 16},
    {10, 10, 10, 130, 123, 0, 0, 0, 0, 8, 9, 10},
    {10, 10, 10, 131, 125, 0, 0, 0, 0, 8, 9, 10},
    {8, 8, 10, 117, 117, 160, 960, 160, 960, 6, 6, 10},
    {8, 8, 10, 117, 117, 288, 960, 288, 960, 6, 6, 10},
};

}  // namespace

void CGameMain::InitGraphics() {
  for (const PreloadedPicture& p : Preloaded) LoadTexture(p.Picture, p.Resource);
  for (int i = 0; i < 12; ++i) {
    const FontGlyphs& f = FontSet[i];
    Fonts[i].SetGlyphs(f.HalfWidth, f.FullWidth, f.CellHeight, f.HalfPicture, f.FullPicture, f.HalfOriginX,
                       f.HalfOriginY, f.FullOriginX, f.FullOriginY, f.HalfAdvance, f.FullAdvance, f.LineHeight);
  }
  Fonts[10].SetProportional(1, 1);
  Fonts[11].SetProportional(-1, -1);
}
