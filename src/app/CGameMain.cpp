#include "app/CGameMain.h"

#include <algorithm>
#include <cstdio>

#include "app/CGameState.h"
#include "floors/CStageData.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "system/SysPlatform.h"
#include "ui/CGameInputController.h"

namespace {

// Layout metrics by ScreenLayout 0-5; any other layout reads as column 6.
struct LayoutMetrics {
  int ScreenWidth, ScreenHeight, ViewWidth, ViewHeight, ViewCenterX, ViewCenterY;
};
constexpr LayoutMetrics Layouts[7] = {
    {320, 480, 640, 160, 320, 80},    {768, 1024, 640, 704, 320, 320},
    {640, 1136, 640, 816, 320, 408},  {800, 480, 800, 480, 400, 240},
    {640, 480, 640, 480, 320, 240},   {1280, 720, 1280, 720, 640, 360},
    {320, 480, 640, 160, 320, 80},
};

const LayoutMetrics& LayoutOf(std::uint32_t layout) { return Layouts[layout < 6 ? layout : 6]; }

constexpr std::uint32_t FullscreenKey = 0x73;  // F4
constexpr std::uint32_t ScaleKey = 0x74;       // F5
// Window scales x1 to x5 are kept as 0 to 4.
constexpr int MaxWindowScaleSetting = 4;

}  // namespace

CGameMain* GetGameMain() {
  static CGameMain game;
  return &game;
}

CGameMain::CGameMain() : Clock(&SysTicks) {}

CGameMain::~CGameMain() {
  // The sound manager was built after us and is already shut down here;
  // stopping music must be harmless then.
  GetSoundManager()->StopAllBgm();
  Characters.DeleteAll();
  delete CurrentStage;
  CurrentStage = nullptr;
}

int CGameMain::GetScreenWidth() const { return LayoutOf(ScreenLayout).ScreenWidth; }
int CGameMain::GetScreenHeight() const { return LayoutOf(ScreenLayout).ScreenHeight; }
int CGameMain::GetViewWidth() const { return LayoutOf(ScreenLayout).ViewWidth; }
int CGameMain::GetViewHeight() const { return LayoutOf(ScreenLayout).ViewHeight; }
int CGameMain::GetViewCenterX() const { return LayoutOf(ScreenLayout).ViewCenterX; }
int CGameMain::GetViewCenterY() const { return LayoutOf(ScreenLayout).ViewCenterY; }

void CGameMain::StartGame() {
  SeedRandom(SysWallClockMs());
  GetGameInputController()->BuildLayout();
  LoadTexture(0, 130);
  InitGraphics();
  LoadAll();
  GoToTitle();
}

void CGameMain::GoToTitle() {
  GetGameInputController()->ChangeChild(14);
  GetStateController()->ChangeState(1);
}

void CGameMain::SetWindowScale(int scale) {
  Settings.Block.WindowScale = static_cast<std::uint32_t>(scale);
  ApplyWindowMode();
}

void CGameMain::SetFullscreen(bool on) {
  if ((Settings.Block.Fullscreen != 0) == on) return;
  Settings.Block.Fullscreen = on ? 1 : 0;
  ApplyWindowMode();
}

void CGameMain::ApplyWindowMode(bool keepPlaceIfItFits) {
  const int factor = static_cast<int>(Settings.Block.WindowScale) + 1;
  ResizeWindowClient(GetScreenWidth() / 4 * factor, GetScreenHeight() / 4 * factor, keepPlaceIfItFits);
  if (Settings.Block.Fullscreen)
    ApplyFullscreenMode();
  else
    ApplyWindowedMode();
  GetInput()->MouseScale = BackBufferScale;
}

bool CGameMain::RunFrame() {
  const std::uint32_t period = CFramePacer::PeriodFor(Settings.Block.GameSpeed);
  const std::uint32_t now = Clock();
  if (!Pacer.IsFrameDue(now, period)) return false;

  ++FrameCount;
  ++Settings.Block.PlayTime;
  GetInput()->Update();
  GetSoundManager()->Update();
  GetStateController()->Update();
  const std::uint32_t t1 = Clock();
  if (Pacer.DecideDraw(period)) Draw();
  const std::uint32_t t2 = Clock();
  Pacer.RecordFrame(now, t1, t2);
  return true;
}

void CGameMain::Draw() {
  if (GetInput()->TakeKeyPress(FullscreenKey)) {
    SetFullscreen(Settings.Block.Fullscreen == 0);
    SysDebugOutput(Settings.Block.Fullscreen ? "window: full screen on\n" : "window: full screen off\n");
    // Only the setting goes into the save image: a run in it stays as its
    // turn began, whatever frame of the turn this is.
    SaveImage.Block.Fullscreen = Settings.Block.Fullscreen;
  }
  if (GetInput()->TakeKeyPress(ScaleKey)) {
    // Only through the scales whose window the display holds.
    const int largest = std::min(MaxWindowScaleSetting + 1, LargestWindowScale());
    const int factor = NextWindowScale(static_cast<int>(Settings.Block.WindowScale) + 1, largest);
    SetWindowScale(factor - 1);
    // Said whatever the window manager makes of it.
    char line[64];
    std::snprintf(line, sizeof line, "window: scale x%d, %d x %d asked for\n", factor, GetScreenWidth() / 4 * factor,
                  GetScreenHeight() / 4 * factor);
    SysDebugOutput(line);
    // As F4's: kept at exit, whatever frame of a turn this is.
    SaveImage.Block.WindowScale = Settings.Block.WindowScale;
  }
  const WindowFollow follow = FollowWindow();
  if (follow.FullscreenChanged) {
    // The window manager's own full-screen key, or its end of one: the
    // setting follows, kept at exit as F4's is, and the next F4 asks for
    // the other state.
    Settings.Block.Fullscreen = FullscreenActive ? 1 : 0;
    SaveImage.Block.Fullscreen = Settings.Block.Fullscreen;
  }
  // A windowed window is fitted to the displays as they are now, at the
  // scale kept unless it no longer fits, and left where the player put it
  // while it still lies wholly in the usable area.
  if (follow.ScreensChanged && !FullscreenActive) ApplyWindowMode(true);
  GetInput()->MouseScale = BackBufferScale;
  GetStateController()->Draw(1);
  GetStateController()->Draw(0);
}

bool CGameMain::IsFullscreenKeyTriggered() const { return GetInput()->HasKeyPress(FullscreenKey); }

bool CGameMain::IsScaleKeyTriggered() const { return GetInput()->HasKeyPress(ScaleKey); }
