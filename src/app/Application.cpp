#include "app/Application.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/CGameMain.h"
#include "app/GameStates.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "system/PictureDecode.h"
#include "system/ResourceModule.h"
#include "system/SysInput.h"
#include "system/SysInstance.h"
#include "system/SysPlatform.h"
#include "system/SysQuit.h"
#include "system/SysRenderDriver.h"
#include "system/SysSteam.h"

std::uint32_t MouseClientX = 0;
std::uint32_t MouseClientY = 0;

namespace {

constexpr char GraphicsFailureMessage[] = "初期化に失敗しました";

constexpr std::uint16_t WindowIconId = 51890;

constexpr char UsageText[] =
    "usage: vorlumen [--game-dir DIR] [--verbose]\n"
    "       vorlumen --help | --version\n"
    "\n"
    "Starts the game. Where it keeps the player's files (save, keyconfig,\n"
    "the rankings) and finds Resource.dll is chosen at start-up:\n"
    "  - DIR, when --game-dir names it;\n"
    "  - the program's own folder, when Resource.dll lies beside the program\n"
    "    (the build folder, a portable copy);\n"
    "  - for an installed copy (Resource.dll in ../share/vorlumen beside the\n"
    "    program's folder), $XDG_DATA_HOME/vorlumen, or ~/.local/share/vorlumen\n"
    "    when XDG_DATA_HOME is unset or not an absolute path: the install is\n"
    "    not the player's to write, and nothing is written there. A\n"
    "    Resource.dll the player puts in that folder is read instead of the\n"
    "    installed one.\n"
    "A Resource.dll in DIR or beside the program is read first, then the\n"
    "player's own in their data folder, then the installed one.\n"
    "A folder that cannot be written is named on standard error and the\n"
    "player's files go to the data folder above instead; when that cannot be\n"
    "made, written, or is another user's or writable by others, the game\n"
    "plays on without keeping its files.\n"
    "\n"
    "  --game-dir DIR  keep the game's files in DIR\n"
    "  --verbose       write the folders and the Resource.dll found\n"
    "                  and the game's debug lines to standard error\n"
    "  --help          print this help and exit\n"
    "  --version       print the version and exit\n";

// Finds the folders once; the player hears once of a folder that cannot be
// used, and --verbose says which were found and why.
void ChooseFolders(const std::string& gameDir) {
  const GameFolders chosen = SysChooseGameFolders(gameDir);
  if (!chosen.Problem.empty()) {
    const std::string line = "Vorlumen: " + chosen.Problem +
                             (chosen.Kept ? "; the player's files go to " + chosen.Player + " instead\n"
                                          : "; the game keeps no files this time\n");
    SysReportProblem(line.c_str());
  }
  // A folder named on the command line that holds everything is the
  // player's word, not news.
  const bool named = chosen.Kind == GameFolderKind::Named && chosen.Problem.empty();
  if (named && chosen.ResourceModule.rfind(gameDir, 0) == 0) return;
  const std::string where = chosen.Player.empty() ? "nowhere" : "in " + chosen.Player;
  const std::string folder = "Vorlumen: the player's files " + where + " (" + chosen.Why + ")\n";
  SysDebugOutput(folder.c_str());
  const std::string module = "Vorlumen: Resource.dll read from " + chosen.ResourceModule + "\n";
  SysDebugOutput(module.c_str());
}

// Without the module the game runs on, without pictures or sound; the
// player is told where it was looked for and what was wrong.
void OpenResourceModule() {
  CResourceModule& module = GetResourceModule();
  const std::string path = SysResourceModulePath();
  module.Open(path);
  if (module.Fault().empty()) return;
  const std::size_t slash = path.find_last_of('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash);
  const std::string line = "Vorlumen: Resource.dll in " + folder + ": " + module.Fault() +
                           (module.IsOpen() ? "; the pictures and sounds past its end are missing\n"
                                            : "; the game runs without pictures or sound\n");
  SysReportProblem(line.c_str());
}

// A request to end during start-up stops it between its steps.
bool CreateMainWindow() {
  OpenResourceModule();
  if (!SysInitVideo()) return false;
  if (SysQuitRequested()) return true;
  // The real size comes from the saved window scale once settings are read.
  if (!SysCreateMainWindow(320, 180)) return false;
  if (SysQuitRequested()) return true;
  std::vector<std::uint32_t> icon;
  int width = 0, height = 0;
  if (LoadIconResource(WindowIconId, icon, width, height)) SysSetWindowIcon(icon.data(), width, height);
  return true;
}

// The game ends after the box, so it lets go of its folder and ends the
// renderer check first: SDL shows the box from a process of its own, which
// would keep the lock (and keep every later start out) should the game be
// killed while it is up.
void ShowGraphicsFailure(CInstanceLock& instance) {
  instance.Release();
  SysAbandonRenderDriverCheck();
  // However long the player looks at it; a request to end ends it.
  SysEnterStage(SysStage::Telling, 1);
  SysMessageBox(GraphicsFailureMessage);
}

void RunMainLoop() {
  CGameMain* game = GetGameMain();
  std::uint32_t last = 0;
  bool running = false;
  for (;;) {
    const std::uint32_t now = game->Clock();
    if (now != last) {
      SysEvent event;
      if (SysPollEvent(event)) {
        if (event.Kind == SysEventKind::Quit) return;
        if (!DispatchEvent(event)) continue;
      }
      if (game->RunFrame() && !running) {
        // From here on a key is acted on: what waits for the game waits for this.
        running = true;
        SysDebugOutput("Vorlumen: first frame run\n");
      }
      GetSoundManager()->Update();
      SysReapRenderDriverCheck();
      last = now;
    }
    // Asleep until the next frame is due or an event comes, not every
    // millisecond; never twice in the millisecond of the last pass.
    const std::uint32_t clock = game->Clock();
    std::uint32_t wait = game->Pacer.TimeUntilDue(clock, CFramePacer::PeriodFor(game->Settings.Block.GameSpeed));
    if (wait == 0 && clock == last) wait = 1;
    if (wait > 0) SysWaitEvent(static_cast<int>(wait));
  }
}

}  // namespace

void HandInputEvent(const SysEvent& event) {
  CMyInput* input = GetInput();
  switch (event.Kind) {
    case SysEventKind::SystemKeyUp:
      // A key released with Alt held must not stay down.
      if (event.VirtualKey) input->OnKeyMessage(event.VirtualKey, WM_SYSKEYUP);
      break;
    case SysEventKind::KeyDown:
      if (event.VirtualKey) input->OnKeyMessage(event.VirtualKey, WM_KEYDOWN, event.Repeat);
      break;
    case SysEventKind::KeyUp:
      if (event.VirtualKey) input->OnKeyMessage(event.VirtualKey, WM_KEYUP);
      break;
    case SysEventKind::FocusGained:
      input->OnFocusGained();
      break;
    case SysEventKind::FocusLost:
      input->OnFocusLost();
      break;
    default:
      break;
  }
}

bool DispatchEvent(const SysEvent& event) {
  // The input object had it when SDL made it.
  if (!event.Observed) HandInputEvent(event);
  switch (event.Kind) {
    case SysEventKind::SystemKeyDown:
    case SysEventKind::SystemKeyUp:
      return false;
    case SysEventKind::MouseMove:
      MouseClientX = static_cast<std::uint32_t>(event.X) & 0xFFFF;
      MouseClientY = static_cast<std::uint32_t>(event.Y) & 0xFFFF;
      return true;
    case SysEventKind::ControllerAdded:
    case SysEventKind::ControllerRemoved:
      SysRefreshPads();
      return true;
    default:
      return true;
  }
}

bool RunApplication() {
  SeedRandom(SysWallClockMs());
  SeedVisualRandom(SysWallClockMs());
  SysDebugOutput(SteamAPI_Init() ? "SteamAPI Init OK\n" : "SteamAPI Init Failed\n");

  const bool drawing = !SysQuitRequested();
  if (drawing && !InitDirect3D()) return false;
  CGameMain* game = GetGameMain();
  if (!SysQuitRequested()) {
    GetStateLoading()->DrawScene();
    game->Settings.Block.Language = SysUserDefaultLangId() == 0x411 ? 1 : 0;
    GetSoundManager()->Init();
  }
  if (!SysQuitRequested()) {
    // A key or the window's focus may have built the input object already,
    // while the window was made: the pad is looked for once the pads are open.
    SysOpenPads();
    CMyInput* input = GetInput();
    input->Start(SysMainWindowHasFocus());
    InitDirectInputMouse();
    InitDirectInputJoystick();
    SysDebugOutput(input->DescribeDevices().c_str());
  }
  if (!SysQuitRequested()) {
    game->StartGame();
    if (!SysQuitRequested()) {
      game->SetWindowScale(static_cast<int>(game->Settings.Block.WindowScale));
      const std::uint32_t started = game->Clock();
      SysEnterStage(SysStage::Playing);
      RunMainLoop();
      SysPlayEnded();
      char line[96];
      std::snprintf(line, sizeof line, "Vorlumen: %u frames in %u ms\n", game->FrameCount,
                    game->Clock() - started);
      SysDebugOutput(line);
    }
  } else {
    // A start stopped by a request to end leaves the player's files as a
    // close does: read (a damaged one set aside) and written back, in a
    // few milliseconds, with no picture loaded.
    game->LoadAll();
  }

  SysEnterStage(SysStage::Keeping);
  game->WriteSaveFile();
  SysEnterStage(SysStage::Ending);
  SteamAPI_Shutdown();
  if (drawing) ReleaseDirect3D();
  return true;
}

int RunVorlumen(int argc, char** argv) {
  std::string gameDir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(UsageText, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("Vorlumen %s\n", VORLUMEN_VERSION);
      return 0;
    }
    if (std::strcmp(argv[i], "--verbose") == 0) {
      SysShowDebugOutput(true);
      continue;
    }
    if (std::strcmp(argv[i], "--game-dir") == 0 && i + 1 < argc) {
      gameDir = argv[++i];
      continue;
    }
    if (std::strcmp(argv[i], "--game-dir") == 0)
      std::fprintf(stderr, "vorlumen: --game-dir needs a folder\n%s", UsageText);
    else
      std::fprintf(stderr, "vorlumen: unknown option '%s'\n%s", argv[i], UsageText);
    return 2;
  }

  ChooseFolders(gameDir);
  SysCatchQuitSignals();
  // Keys reach the input object as SDL sees them, so that a press counts
  // once however late the loop takes its event.
  SysObserveInput(&HandInputEvent);
  CInstanceLock instance;
  if (!instance.Acquire(SysGameFolder())) return 0;
  // Runs while the game loads what does not need the window; its child
  // forks before SDL starts.
  SysStartRenderDriverCheck();

  const bool ran = CreateMainWindow() && RunApplication();
  if (!ran) ShowGraphicsFailure(instance);
  SysEnterStage(SysStage::Ending, ran ? 0 : 1);
  SysShutdown();
  SysEnterStage(SysStage::Ended, ran ? 0 : 1);
  return ran ? 0 : 1;
}
