// Sprites through DrawSprite on SDL's software renderer, and one frame of a
// full screen of 8 x 8 tiles plus 200 glyphs.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/CDrawString.h"
#include "platform/FontSet.h"
#include "platform/Renderer.h"
#include "system/SysPlatform.h"

namespace {

bool BenchPictures(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb) {
  argb.assign(static_cast<std::size_t>(size) * size, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      // Half the texels transparent, as in sprites and glyphs.
      argb[static_cast<std::size_t>(y) * size + x] =
          ((x ^ y ^ resourceId) & 1) ? 0xFF000000u | static_cast<std::uint32_t>(x * 2654435761u) >> 8 : 0u;
  // Resource 300: a sheet whose texels are all half transparent.
  if (resourceId == 300)
    for (std::uint32_t& p : argb) p = 0x80000000u | (p & 0xFFFFFFu);
  return true;
}

bool StartRenderer(int scale) {
  static bool started = false;
  if (!started) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    if (!SysInitVideo() || !SysCreateMainWindow(320, 180) || !InitDirect3D()) return false;
    SetPictureLoader(&BenchPictures);
    LoadTexture(0, 130);
    LoadTexture(146, 1000);
    LoadTexture(117, 198);
    started = true;
  }
  ResizeWindowClient(320 * scale, 180 * scale);
  return BackBufferScale == scale;
}

void DrawSprites(benchmark::State& state, float mirrorX) {
  const int scale = static_cast<int>(state.range(0));
  if (!StartRenderer(scale)) {
    state.SkipWithError("no renderer");
    return;
  }
  ResetDrawState();
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
  SpriteDrawState.MirrorX = mirrorX;
  ClearTarget(0xFF000000u);
  int i = 0;
  for (auto _ : state) {
    // A 32 x 32 sprite somewhere on the screen; the queue is drained every
    // 256 sprites so that the work is counted, not just queued.
    DrawSprite(0, (i * 37) % 1150, (i * 53) % 600, 0, 0, 32, 32);
    if ((++i & 255) == 0) EndScene();
  }
  EndScene();
  state.SetItemsProcessed(state.iterations());
  ResetDrawState();
}

void BM_DrawSprite(benchmark::State& state) { DrawSprites(state, 1.0f); }
BENCHMARK(BM_DrawSprite)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

// Facing left, as half the characters do.
void BM_DrawMirroredSprite(benchmark::State& state) { DrawSprites(state, -1.0f); }
BENCHMARK(BM_DrawMirroredSprite)->Arg(1)->Arg(5)->Unit(benchmark::kMicrosecond);

void BM_FrameOfTilesAndText(benchmark::State& state) {
  const int scale = static_cast<int>(state.range(0));
  if (!StartRenderer(scale)) {
    state.SkipWithError("no renderer");
    return;
  }
  static CDrawString fonts[FontCount];
  ApplyFontSet(fonts, true);
  // 5 lines of 40 glyphs.
  const std::string line(40, 'W');
  for (auto _ : state) {
    ClearTarget(0xFF000000u);
    BeginScene();
    ResetDrawState();
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
    for (int ty = 0; ty < 23; ++ty)
      for (int tx = 0; tx < 40; ++tx) DrawSprite(146, tx * 32, ty * 32, (tx & 1) * 8, (ty & 1) * 8, 8, 8);
    fonts[5].SetUniformScale(4.0);
    for (int l = 0; l < 5; ++l) fonts[5].DrawText(line.c_str(), 0, 400 + l * 64, 1280, 64, 5);
    EndScene();
    Present();
  }
  state.SetItemsProcessed(state.iterations());
  ResetDrawState();
}
BENCHMARK(BM_FrameOfTilesAndText)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

// The first frame that shows a picture some new way: a picture is loaded
// (not timed), then one 32 x 32 cell of it is drawn upright (0), mirrored
// (1), glowing in a colour only (2), half transparent one to one in a
// frame drawn at 320 x 180 (3), or repeated past its edge (4), at x3.
void BM_FirstAppearance(benchmark::State& state) {
  if (!StartRenderer(3)) {
    state.SkipWithError("no renderer");
    return;
  }
  const int kind = static_cast<int>(state.range(0));
  // A 512 x 512 sheet (resource 300, half transparent where drawn one to
  // one), or a 32 x 32 tile for the repeat.
  const PictureId sheet = kind == 4 ? 34 : 15;
  const std::uint16_t resource = kind == 4 ? 363 : 300;
  for (auto _ : state) {
    state.PauseTiming();
    LoadTexture(sheet, resource);
    ClearTarget(0xFF000000u);
    ResetDrawState();
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = kind == 3 ? 4.0f : 8.0f;
    SpriteDrawState.MirrorX = kind == 1 ? -1.0f : 1.0f;
    SpriteDrawState.ColourMode = kind == 2 ? 1 : 0;
    state.ResumeTiming();
    DrawSprite(sheet, 200, 200, 64, 64, kind == 4 ? 160 : 32, kind == 4 ? 96 : 32);
    EndScene();
    state.PauseTiming();
    ReleaseTexture(sheet);
    state.ResumeTiming();
  }
  ResetDrawState();
}
BENCHMARK(BM_FirstAppearance)->DenseRange(0, 4)->Unit(benchmark::kMicrosecond);

}  // namespace
