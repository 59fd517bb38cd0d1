#include "app/CGameMain.h"
#include "platform/FontSet.h"
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

}  // namespace

void CGameMain::InitGraphics() {
  for (const PreloadedPicture& p : Preloaded) LoadTexture(p.Picture, p.Resource);
  ApplyFontSet(Fonts, true);
}
