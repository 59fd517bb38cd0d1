// Every renderer draws the same picture. Translucent layers on the software
// renderer are blended as a GPU blends them, each exact and rounded to
// nearest: checked against that arithmetic on the picture under them (the
// tutorial floor's overlay, the menu's shade, a fade over the floor and
// over the title), and against OpenGL itself (Mesa, in an X server of the
// test's own) for the same frames.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <SDL.h>

#include "Needs.h"
#include "app/DesktopSupport.h"
#include "app/KeyPlaySupport.h"
#include "app/ProgramRunner.h"
#include "platform/RenderTestSupport.h"
#include "screens/CGameInputTitleTop.h"
#include "screens/TitleTestSupport.h"

namespace {

using namespace keyplay;

struct Shot {
  std::string Name;
  std::vector<std::uint32_t> Argb;
  int Width = 0, Height = 0;
};

// The screens at window scales 1 and 3, as the window got them.
class ScreenFrames : public KeyPlay {
protected:
  void TearDown() override {
    if (!IsSkipped()) {
      titletest::DetachTitleScreens();
      GetScreenEffect()->Reset();
      game->SetWindowScale(0);
    }
    KeyPlay::TearDown();
  }

  void Shoot(const std::string& name, std::vector<Shot>& frames) {
    for (int scale : {1, 3}) {
      game->SetWindowScale(scale - 1);
      game->Draw();
      Shot f;
      f.Name = name + "-x" + std::to_string(scale);
      ASSERT_TRUE(ReadWindowPicture(f.Argb, f.Width, f.Height));
      frames.push_back(std::move(f));
    }
    game->SetWindowScale(0);
  }

  void ShootAll(std::vector<Shot>& frames) {
    StartRun(20261210, 0, 0);  // the tutorial
    ASSERT_TRUE(NextTurn());
    Shoot("floor", frames);
    GetScreenEffect()->FadeValue = 150;
    Shoot("fade", frames);
    GetScreenEffect()->FadeValue = 0;
    ASSERT_TRUE(OpenMenu());
    Shoot("menu", frames);
    game->GoToTitle();
    CGameInputTitleTop* top = GetGameInputTitleTop();
    ASSERT_TRUE(RunUntil([&] { return GetGameInputController()->GetChild() == top && top->GetPhase() == ScreenActive; }));
    Shoot("title", frames);
  }
};

// One layer of colour c at alpha a over d, in exact arithmetic, rounded.
int Over(int d, int c, int a) { return static_cast<int>(std::lround((c * a + d * (255.0 - a)) / 255.0)); }

std::uint32_t OverPixel(std::uint32_t d, std::uint32_t argb) {
  const int a = static_cast<int>(argb >> 24);
  std::uint32_t out = 0;
  for (int shift : {16, 8, 0})
    out |= static_cast<std::uint32_t>(Over(rendertest::Channel(d, shift), rendertest::Channel(argb, shift), a)) << shift;
  return out;
}

std::uint32_t Rgb(std::uint32_t p) { return p & 0xFFFFFFu; }

// Frames drawn on the software renderer, checked layer by layer against
// what exact arithmetic makes of the picture under the layer.
class ExactLayers : public ScreenFrames {
protected:
  Shot Draw() {
    game->Draw();
    Shot f;
    EXPECT_TRUE(ReadWindowPicture(f.Argb, f.Width, f.Height));
    return f;
  }
  // A fade is drawn last, over every pixel.
  void ExpectFadeExact(const char* screen) {
    SCOPED_TRACE(screen);
    const Shot under = Draw();
    GetScreenEffect()->FadeValue = 150;
    const Shot faded = Draw();
    GetScreenEffect()->FadeValue = 0;
    ASSERT_EQ(under.Argb.size(), faded.Argb.size());
    std::size_t wrong = 0;
    for (std::size_t i = 0; i < under.Argb.size(); ++i) wrong += Rgb(faded.Argb[i]) != OverPixel(under.Argb[i], 150u << 24);
    EXPECT_EQ(wrong, 0u) << "of " << under.Argb.size() << " pixels";
  }
};

TEST_F(ExactLayers, TheFloorsOverlayTheMenusShadeAndAFadeBlendEachLayerExactly) {
  for (int scale : {1, 3}) {
    SCOPED_TRACE(testing::Message() << "x" << scale);
    game->SetWindowScale(scale - 1);
    StartRun(20261210, 0, 0);  // the tutorial: a faint additive gradient over the floor
    ASSERT_TRUE(NextTurn());
    CStageData* stage = game->CurrentStage;
    ASSERT_TRUE(stage->OverlayKind == 1 && stage->OverlayBlendMode == 2 && stage->OverlayBands > 1);
    const std::uint32_t overlay = static_cast<std::uint32_t>(stage->OverlayAlpha) << 24 |
                                  static_cast<std::uint32_t>(stage->OverlayRed) << 16 |
                                  static_cast<std::uint32_t>(stage->OverlayGreen) << 8 | static_cast<std::uint32_t>(stage->OverlayBlue);
    stage->OverlayKind = 0;
    const Shot bare = Draw();
    stage->OverlayKind = 1;
    const Shot floor = Draw();

    // The view between the status line and the message window: each row
    // holds some number of the gradient's layers, each adding
    // colour * alpha rounded to nearest.
    const int top = 24 * scale, bottom = 136 * scale;
    auto added = [&](int layers, std::uint32_t d) {
      std::uint32_t out = 0;
      for (int shift : {16, 8, 0}) {
        const int gain = static_cast<int>(std::lround(rendertest::Channel(overlay, shift) * (overlay >> 24) / 255.0));
        out |= static_cast<std::uint32_t>(std::min(255, rendertest::Channel(d, shift) + layers * gain)) << shift;
      }
      return out;
    };
    std::size_t wrong = 0, layered = 0;
    for (int y = top; y < bottom; ++y) {
      const std::size_t row = static_cast<std::size_t>(y) * floor.Width;
      std::size_t best = floor.Width + 1u;
      int bestLayers = 0;
      for (int layers = 0; layers <= stage->OverlayBands; ++layers) {
        std::size_t misses = 0;
        for (int x = 0; x < floor.Width; ++x) misses += Rgb(floor.Argb[row + x]) != added(layers, bare.Argb[row + x]);
        if (misses < best) best = misses, bestLayers = layers;
      }
      wrong += best;
      layered += bestLayers > 0;
    }
    EXPECT_LE(wrong, static_cast<std::size_t>((bottom - top) * floor.Width / 100)) << "pixels unlike whole exact layers";
    EXPECT_GT(layered, static_cast<std::size_t>((bottom - top) / 2)) << "rows under the gradient";

    ExpectFadeExact("a fade over the floor");

    // The menu's shade, black at half alpha, over the floor; its windows
    // and lines come after it. Wherever the picture is the shaded floor
    // within a step, it is the shaded floor exactly.
    ASSERT_TRUE(OpenMenu());
    const Shot menu = Draw();
    std::size_t shaded = 0, off = 0;
    for (std::size_t i = 0; i < menu.Argb.size(); ++i) {
      const std::uint32_t exact = OverPixel(floor.Argb[i], 128u << 24), got = Rgb(menu.Argb[i]);
      bool near = true;
      for (int shift : {16, 8, 0}) near = near && std::abs(rendertest::Channel(got, shift) - rendertest::Channel(exact, shift)) <= 1;
      if (!near) continue;
      ++shaded;
      off += got != exact;
    }
    EXPECT_GT(shaded, menu.Argb.size() / 4) << "the shaded floor shows";
    EXPECT_LE(off, shaded / 200) << "of " << shaded << " shaded pixels, off by one";

    ReleaseKeys();
    GetGameInputController()->SetChild(nullptr);
    GetGameInputMain()->SetChild(nullptr);
    runtest::DropRun();
  }
}

TEST_F(ExactLayers, AFadeOverTheTitleBlendsExactly) {
  for (int scale : {1, 3}) {
    SCOPED_TRACE(testing::Message() << "x" << scale);
    game->SetWindowScale(scale - 1);
    game->GoToTitle();
    CGameInputTitleTop* top = GetGameInputTitleTop();
    ASSERT_TRUE(RunUntil([&] { return GetGameInputController()->GetChild() == top && top->GetPhase() == ScreenActive; }));
    ExpectFadeExact("the title");
  }
}

// Run by the test below in a process of its own, with the renderer it
// names; never on its own.
TEST_F(ScreenFrames, DISABLED_WrittenForTheRendererComparison) {
  const char* folder = std::getenv("VORLUMEN_FRAMES_DIR");
  ASSERT_NE(folder, nullptr) << "started only by the renderer comparison";
  std::vector<Shot> frames;
  ShootAll(frames);
  SDL_RendererInfo info{};
  SDL_Renderer* renderer = SDL_GetRenderer(static_cast<SDL_Window*>(SysMainWindowHandle()));
  std::ofstream(std::string(folder) + "/renderer") << (renderer && SDL_GetRendererInfo(renderer, &info) == 0 ? info.name : "none");
  for (const Shot& f : frames) {
    std::ofstream out(std::string(folder) + "/" + f.Name + ".raw", std::ios::binary);
    const std::int32_t size[2] = {f.Width, f.Height};
    out.write(reinterpret_cast<const char*>(size), sizeof size);
    out.write(reinterpret_cast<const char*>(f.Argb.data()), static_cast<std::streamsize>(f.Argb.size() * 4));
  }
}

// This test program again on the display, drawing the screens with the
// renderer named; its output in `folder`/log.
void ShootWith(const desktop::XServer& x, const std::string& renderer, const std::string& folder) {
  const int log = open((folder + "/log").c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  RunningProgram run;
  run.Pid = desktop::Spawn({"/proc/self/exe", "--gtest_also_run_disabled_tests",
                            "--gtest_filter=ScreenFrames.DISABLED_WrittenForTheRendererComparison"},
                           x.Display, log, -1, log,
                           {"SDL_RENDER_DRIVER=" + renderer, "SDL_AUDIODRIVER=dummy", "VORLUMEN_FRAMES_DIR=" + folder});
  if (log >= 0) close(log);
  if (WaitForExit(run, 120000) < 0) desktop::End(run.Pid);
}

bool ReadShot(const std::string& path, Shot& shot) {
  std::ifstream in(path, std::ios::binary);
  std::int32_t size[2] = {};
  if (!in.read(reinterpret_cast<char*>(size), sizeof size) || size[0] <= 0 || size[1] <= 0) return false;
  shot.Width = size[0];
  shot.Height = size[1];
  shot.Argb.resize(static_cast<std::size_t>(size[0]) * size[1]);
  return static_cast<bool>(in.read(reinterpret_cast<char*>(shot.Argb.data()), static_cast<std::streamsize>(shot.Argb.size() * 4)));
}

TEST(RendererAgreement, SoftwareAndOpenGlDrawTheSameScreens) {
  std::string missing = desktop::MissingOf({desktop::Xvfb});
  needs::Add(missing, desktop::MesaPresent(), "Mesa's OpenGL");
  needs::Add(missing, needs::Module().empty(), needs::Module());
  VORLUMEN_NEED(missing);
  desktop::XServer server;
  ASSERT_TRUE(server.Start(1280, 800)) << "Xvfb did not start";
  char pattern[] = "/tmp/vorlumen-renderers.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::filesystem::path root = pattern;
  struct Removed {
    std::filesystem::path Path;
    ~Removed() {
      std::error_code ignored;
      std::filesystem::remove_all(Path, ignored);
    }
  } removed{root};
  const char* renderers[] = {"software", "opengl"};
  for (const char* r : renderers) {
    std::filesystem::create_directory(root / r);
    // The exit status is not asked for: a sanitizer may speak of the GL
    // driver's own leaks at exit. The frames are what counts.
    ShootWith(server, r, (root / r).string());
  }
  const std::string gl = ReadTextFile((root / "opengl" / "renderer").string());
  ASSERT_FALSE(gl.empty()) << "the OpenGL run drew nothing: " << ReadTextFile((root / "opengl" / "log").string());
  if (gl != "opengl") VORLUMEN_NEED("OpenGL in Xvfb (the game took " + gl + ")");
  ASSERT_EQ(ReadTextFile((root / "software" / "renderer").string()), "software") << ReadTextFile((root / "software" / "log").string());
  for (const char* screen : {"floor", "menu", "fade", "title"})
    for (const char* scale : {"x1", "x3"}) {
      const std::string name = std::string(screen) + "-" + scale;
      SCOPED_TRACE(name);
      Shot soft, open;
      ASSERT_TRUE(ReadShot((root / "software" / (name + ".raw")).string(), soft)) << ReadTextFile((root / "software" / "log").string());
      ASSERT_TRUE(ReadShot((root / "opengl" / (name + ".raw")).string(), open)) << ReadTextFile((root / "opengl" / "log").string());
      ASSERT_EQ(soft.Width, open.Width);
      ASSERT_EQ(soft.Height, open.Height);
      double sums[2][3] = {};
      std::size_t apart = 0;
      for (std::size_t i = 0; i < soft.Argb.size(); ++i) {
        int most = 0;
        for (int c = 0; c < 3; ++c) {
          const int a = rendertest::Channel(soft.Argb[i], 16 - 8 * c), b = rendertest::Channel(open.Argb[i], 16 - 8 * c);
          sums[0][c] += a;
          sums[1][c] += b;
          most = std::max(most, std::abs(a - b));
        }
        apart += most > 3;
      }
      const double n = static_cast<double>(soft.Argb.size());
      for (int c = 0; c < 3; ++c)
        EXPECT_LE(std::fabs(sums[0][c] - sums[1][c]) / n, 1.0) << "mean of channel " << "RGB"[c] << ": software "
                                                                << sums[0][c] / n << ", OpenGL " << sums[1][c] / n;
      EXPECT_LE(static_cast<double>(apart), n / 100) << "pixels more than 3 apart in a channel";
    }
}

}  // namespace
