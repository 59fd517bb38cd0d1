// render_scene: draws a test scene through the game's own renderer (pictures,
// English and Japanese text in several fonts, a screen effect) and writes
// it as a PNG, or shows it in a real window, so that anyone can look at
// what the renderer draws. The atlas and the module are the build's own
// unless named; the PNG goes to the build folder unless named, and a
// window writes none unless named.
//
// usage: render_scene [--out scene.png] [--scale 1-5] [--atlas font_atlas.png]
//                     [--resources Resource.dll] [--window SECONDS]
#include <iconv.h>
#include <png.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/CDrawString.h"
#include "platform/CEffect.h"
#include "platform/FontSet.h"
#include "platform/Renderer.h"
#include "system/PictureDecode.h"
#include "system/ResourceModule.h"
#include "system/SysPlatform.h"
#include "system/SysRenderDriver.h"

namespace {

std::string AtlasPath;

// ------------------------------------------------------------- pictures

bool ReadPng(const std::string& path, int size, std::vector<std::uint32_t>& argb) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return false;
  image.format = PNG_FORMAT_BGRA;  // 0xAARRGGBB in a little-endian word
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) {
    png_image_free(&image);
    return false;
  }
  argb.assign(static_cast<std::size_t>(size) * size, 0);
  for (int y = 0; y < size && y < static_cast<int>(image.height); ++y)
    for (int x = 0; x < size && x < static_cast<int>(image.width); ++x)
      argb[static_cast<std::size_t>(y) * size + x] = pixels[static_cast<std::size_t>(y) * image.width + x];
  return true;
}

std::uint32_t Rgb(int r, int g, int b) {
  return 0xFF000000u | static_cast<std::uint32_t>(r) << 16 | static_cast<std::uint32_t>(g) << 8 |
         static_cast<std::uint32_t>(b);
}

// Stand-ins for pictures the resource module does not (yet) give.
void MadePicture(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size) * size, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      std::uint32_t& p = argb[static_cast<std::size_t>(y) * size + x];
      if (resourceId == 130) {  // a round green creature with an eye, 32 x 32
        const float dx = (x - 15.5f) / 14.0f, dy = (y - 18.0f) / 12.0f;
        const float d = dx * dx + dy * dy;
        if (d <= 1.0f) p = d > 0.8f ? Rgb(20, 90, 30) : Rgb(60, 200 - y * 3, 70);
        if ((x - 20) * (x - 20) + (y - 14) * (y - 14) <= 6) p = Rgb(250, 250, 250);
        if ((x - 21) * (x - 21) + (y - 14) * (y - 14) <= 1) p = Rgb(10, 10, 30);
      } else if (resourceId >= 1000 && resourceId <= 1033) {  // stone floor, 16 x 16
        const bool seam = x % 8 == 0 || y % 8 == 0;
        const int shade = 70 + ((x / 8 + y / 8 + resourceId) % 3) * 12;
        p = seam ? Rgb(40, 40, 52) : Rgb(shade, shade, shade + 10);
      } else {  // plain white, as picture 10 is
        p = 0xFFFFFFFFu;
      }
    }
}

bool ScenePictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  if (resourceId == 198 && !AtlasPath.empty() && ReadPng(AtlasPath, size, argb)) return true;
  if (LoadPictureResource(resourceId, size, argb)) return true;
  MadePicture(resourceId, size, argb);
  return true;
}

// ------------------------------------------------------------- the scene

// Japanese samples are kept readable here and turned into Shift-JIS.
std::string Sjis(const char* utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return "?";
  std::string in(utf8), out(in.size() * 2 + 4, '\0');
  char* pin = in.data();
  char* pout = out.data();
  std::size_t inLeft = in.size(), outLeft = out.size();
  iconv(cd, &pin, &inLeft, &pout, &outLeft);
  iconv_close(cd);
  out.resize(out.size() - outLeft);
  return out;
}

void Sprite(PictureId id, int x, int y, int w, int h) { DrawSprite(id, x * 4, y * 4, 0, 0, w, h); }

void DrawScene(CDrawString (&fonts)[FontCount], CEffect& effect) {
  SpriteDrawParameters& s = SpriteDrawState;
  // Floor tiles, one texel per pixel.
  ResetDrawState();
  s.ScaleX = s.ScaleY = 4.0f;
  for (int ty = 0; ty < 12; ++ty)
    for (int tx = 0; tx < 20; ++tx) Sprite(static_cast<PictureId>(146 + (tx + ty) % 4), tx * 16, ty * 16, 16, 16);

  // A row of the same creature in every drawing mode.
  const struct {
    float Mirror, Angle;
    std::uint32_t Blend, ColourMode, Colour, Tint;
  } modes[] = {
      {1, 0, 0, 0, 0xFFFFFFFFu, 0xFFFFFFFFu},           {-1, 0, 0, 0, 0xFFFFFFFFu, 0xFFFFFFFFu},
      {1, 0.6f, 0, 0, 0xFFFFFFFFu, 0xFFFFFFFFu},        {1, 0, 0, 0, 0x80FFFFFFu, 0xFFFFFFFFu},
      {1, 0, 2, 0, 0xFFFFFFFFu, 0xFFFFFFFFu},           {1, 0, 1, 0, 0xFF8080FFu, 0xFFFFFFFFu},
      {1, 0, 0, 1, 0xFFFF3030u, 0xFFFFFFFFu},           {1, 0, 0, 2, 0xFFFFE040u, 0x60FFFFFFu},
  };
  int x = 8;
  for (const auto& m : modes) {
    ResetDrawState();
    s.ScaleX = s.ScaleY = 4.0f;
    s.MirrorX = m.Mirror;
    s.Angle = m.Angle;
    s.OriginX = s.OriginY = m.Angle != 0 ? 16.0f : 0.0f;
    s.BlendMode = m.Blend;
    s.ColourMode = m.ColourMode;
    s.Colour = m.Colour;
    s.TintColour = m.Tint;
    Sprite(0, x, 6, 32, 32);
    x += 38;
  }
  ResetDrawState();

  auto text = [&](int font, const std::string& t, int px, int py, int pw, int ph, int align, double scale,
                  std::uint32_t r = 255, std::uint32_t g = 255, std::uint32_t b = 255) {
    fonts[font].SetUniformScale(scale);
    fonts[font].SetColor(r, g, b);
    fonts[font].DrawText(t.c_str(), px * 4, py * 4, pw * 4, ph * 4, align);
    ResetDrawState();
  };
  text(2, "VORLUMEN  RENDERER  SCENE", 8, 42, 304, 10, 5, 4.0, 255, 230, 120);
  text(0, "font 0: The quick brown fox jumps over the lazy dog. 0123456789", 8, 54, 304, 8, 5, 4.0);
  text(1, "font 1: WIDE CELLS 12345", 8, 63, 304, 8, 5, 4.0, 180, 220, 255);
  text(3, "font 3: HP 123/456  ATK +12", 8, 72, 150, 10, 5, 4.0);
  text(4, "font 4: Status 99%", 160, 72, 150, 13, 5, 4.0, 200, 255, 200);
  text(5, Sjis("font 5: ダンジョンへ ようこそ！ ★☆＋"), 8, 86, 304, 13, 5, 4.0);
  text(6, Sjis("font 6: アイテムを ひろった ←↑→"), 8, 100, 304, 15, 5, 4.0, 255, 220, 160);
  text(7, Sjis("font 7: れんきんじゅつ　カタカナ"), 8, 116, 304, 15, 5, 4.0, 200, 200, 255);
  text(2, Sjis("font 2: ちいさな もじ と ABC"), 8, 133, 150, 8, 5, 4.0);
  text(9, "L R", 170, 132, 40, 10, 5, 4.0, 255, 255, 0);
  text(10, "font 10: proportional 1234", 8, 143, 200, 10, 5, 4.0);
  text(11, "GAME OVER", 196, 140, 120, 36, 0, 8.0, 255, 80, 80);
  text(0, "A box of words that wrap at their blanks, centred.", 8, 156, 90, 20, 0, 4.0, 220, 220, 220);
  text(3, Sjis("みぎよせ"), 100, 160, 80, 10, 14, 4.0);

  effect.Draw();
}

// ------------------------------------------------------------- output

bool WritePng(const std::string& path, const std::vector<std::uint32_t>& argb, int width, int height) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(width);
  image.height = static_cast<png_uint_32>(height);
  image.format = PNG_FORMAT_BGRA;
  std::vector<std::uint32_t> opaque(argb);
  for (std::uint32_t& p : opaque) p |= 0xFF000000u;
  return png_image_write_to_file(&image, path.c_str(), 0, opaque.data(), 0, nullptr) != 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string build = VORLUMEN_BUILD_DIR;
  std::string out, resources = build + "/Resource.dll";
  AtlasPath = build + "/font_atlas.png";
  int scale = 3;
  double windowSeconds = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--out" && hasValue) out = argv[++i];
    else if (arg == "--scale" && hasValue) scale = std::atoi(argv[++i]);
    else if (arg == "--atlas" && hasValue) AtlasPath = argv[++i];
    else if (arg == "--resources" && hasValue) resources = argv[++i];
    else if (arg == "--window" && hasValue) windowSeconds = std::atof(argv[++i]);
    else {
      std::fprintf(stderr, "usage: render_scene [--out FILE.png] [--scale 1-5] [--atlas FILE.png] "
                           "[--resources Resource.dll] [--window SECONDS]\n");
      return 2;
    }
  }
  if (scale < 1 || scale > 5) {
    std::fprintf(stderr, "render_scene: the scale is 1 to 5\n");
    return 2;
  }
  // Without a window to show, draw offscreen.
  if (windowSeconds <= 0) setenv("SDL_VIDEODRIVER", "dummy", 0);
  // The window gets the renderer the game would pick.
  SysStartRenderDriverCheck();
  // Without the module the scene draws stand-ins; the picture says so.
  CResourceModule& module = GetResourceModule();
  module.Open(resources);
  if (!module.Fault().empty())
    std::fprintf(stderr, "render_scene: %s: %s; stand-ins are drawn\n", resources.c_str(), module.Fault().c_str());

  if (!SysInitVideo() || !SysCreateMainWindow(320 * scale, 180 * scale) || !InitDirect3D()) {
    std::fprintf(stderr, "render_scene: the renderer cannot start\n");
    return 1;
  }
  ResizeWindowClient(320 * scale, 180 * scale);
  SetPictureLoader(&ScenePictures);

  static CDrawString fonts[FontCount];
  ApplyFontSet(fonts, true);
  LoadTexture(117, 198);
  LoadTexture(0, 130);
  for (int i = 0; i < 4; ++i) LoadTexture(146 + i, static_cast<std::uint16_t>(1000 + i));
  CEffect effect;
  effect.Reset();
  effect.StartFlash(40, 80, 255, 36, 36, 1000, 1);
  effect.Update();

  int status = 0;
  if (windowSeconds > 0) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::duration<double>(windowSeconds);
    while (std::chrono::steady_clock::now() < end) {
      SysEvent event;
      bool quit = false;
      while (SysPollEvent(event)) quit = quit || event.Kind == SysEventKind::Quit;
      if (quit) break;
      ClearTarget(0xFF000000u);
      DrawScene(fonts, effect);
      if (Present() == RenderDeviceLost) CheckDeviceLost();
      std::this_thread::sleep_for(std::chrono::milliseconds(33));
    }
  }
  if (windowSeconds <= 0 && out.empty()) out = build + "/scene.png";
  if (!out.empty()) {
    // The picture as it reaches the window.
    KeepWindowPicture(true);
    ClearTarget(0xFF000000u);
    DrawScene(fonts, effect);
    Present();
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    if (!ReadWindowPicture(pixels, width, height) || !WritePng(out, pixels, width, height)) {
      std::fprintf(stderr, "render_scene: cannot write %s\n", out.c_str());
      status = 1;
    } else {
      std::printf("render_scene: %s, %d x %d\n", out.c_str(), width, height);
    }
  }
  ReleaseDirect3D();
  SysShutdown();
  return status;
}
