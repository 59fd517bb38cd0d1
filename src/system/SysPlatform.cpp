#include "system/SysPlatform.h"

#include <SDL.h>
#include <pwd.h>
#include <unistd.h>

#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

#include "system/SysInput.h"
#include "system/SysKeys.h"
#include "system/SysRenderDriver.h"
#include "system/SysRenderer.h"
#include "system/SysWindowFollow.h"
#include "system/SysX11.h"

namespace {

SDL_Window* MainWindow = nullptr;
bool VideoStarted = false;
// Drivers with no events of their own (dummy, offscreen) would only poll
// every millisecond inside SDL's wait: the wait sleeps the whole time there.
bool VideoHasEvents = false;
// Debug lines stand in for a debugger's output, which players never see.
bool DebugOutputShown = false;
volatile std::sig_atomic_t QuitSignalled = 0;
SysInputObserver InputObserver = nullptr;
// The observer runs on the main thread only: the game's input is counted
// there, whichever thread pushed the event.
SDL_threadID MainThread = 0;

// What tells one key or focus event from another, so that the one the
// observer had in SDL's pump is known again when it comes out of the queue.
struct InputMark {
  Uint32 Type = 0;
  Uint32 Timestamp = 0;
  Uint32 WindowId = 0;
  Sint32 Code = 0;  // scancode, or the window event
  Sint32 Key = 0;
  Uint16 Mod = 0;
  Uint8 Repeat = 0;
  bool Live = false;
  bool operator==(const InputMark&) const = default;
};
// Events handed over and not yet out of the queue; the oldest make way
// when the loop falls this far behind.
InputMark Marks[1024];
std::size_t NextMark = 0;

InputMark MarkOf(const SDL_Event& event) {
  InputMark mark;
  mark.Type = event.type;
  mark.Timestamp = event.common.timestamp;
  mark.Live = true;
  if (event.type == SDL_WINDOWEVENT) {
    mark.WindowId = event.window.windowID;
    mark.Code = event.window.event;
  } else {
    mark.WindowId = event.key.windowID;
    mark.Code = event.key.keysym.scancode;
    mark.Key = event.key.keysym.sym;
    mark.Mod = event.key.keysym.mod;
    mark.Repeat = event.key.repeat;
  }
  return mark;
}

void Mark(const SDL_Event& event) {
  Marks[NextMark] = MarkOf(event);
  NextMark = (NextMark + 1) % std::size(Marks);
}

// Whether the observer had this event; each mark is taken once.
bool TakeMark(const SDL_Event& event) {
  const InputMark wanted = MarkOf(event);
  for (std::size_t i = 0; i < std::size(Marks); ++i) {
    InputMark& mark = Marks[(NextMark + i) % std::size(Marks)];
    if (mark == wanted) {
      mark.Live = false;
      return true;
    }
  }
  return false;
}

extern "C" void OnQuitSignal(int) { QuitSignalled = 1; }

// The game folder once set or found; "" set on purpose names none.
struct GameFolderState {
  std::string Folder;
  bool Known = false;
  std::string ResourceModule;
};
GameFolderState& GameFolderStorage() {
  static GameFolderState state;
  return state;
}

std::string ProgramFolder() {
  std::string folder = "./";
  if (char* base = SDL_GetBasePath()) {
    folder = base;
    SDL_free(base);
  }
  return folder;
}

// The player's home: $HOME, else the account's.
std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return home;
  if (const passwd* account = getpwuid(geteuid()); account && account->pw_dir) return account->pw_dir;
  return {};
}

// Events that are polled elsewhere (pads, text) or that the game never uses.
bool IsDrainedEvent(Uint32 type) {
  switch (type) {
    case SDL_TEXTINPUT:
    case SDL_TEXTEDITING:
    case SDL_KEYMAPCHANGED:
    case SDL_JOYAXISMOTION:
    case SDL_JOYBALLMOTION:
    case SDL_JOYHATMOTION:
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
    case SDL_CONTROLLERAXISMOTION:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERTOUCHPADDOWN:
    case SDL_CONTROLLERTOUCHPADMOTION:
    case SDL_CONTROLLERTOUCHPADUP:
    case SDL_CONTROLLERSENSORUPDATE:
    case SDL_SENSORUPDATE:
    case SDL_AUDIODEVICEADDED:
    case SDL_AUDIODEVICEREMOVED:
    case SDL_MOUSEWHEEL:
    case SDL_POLLSENTINEL:
    case SDL_SYSWMEVENT:  // read as SDL makes them (SysWindowFollow)
      return true;
    default:
      return false;
  }
}

void TranslateKey(const SDL_KeyboardEvent& key, bool down, SysEvent& out) {
  out.VirtualKey = SysTranslateKey(key.keysym.sym, key.keysym.scancode);
  const bool system = (key.keysym.mod & KMOD_ALT) != 0 || key.keysym.sym == SDLK_F10 ||
                      key.keysym.sym == SDLK_LALT || key.keysym.sym == SDLK_RALT;
  if (system)
    out.Kind = down ? SysEventKind::SystemKeyDown : SysEventKind::SystemKeyUp;
  else
    out.Kind = down ? SysEventKind::KeyDown : SysEventKind::KeyUp;
}

// The key and focus events an input observer is handed; false for others.
bool TranslateInputEvent(const SDL_Event& event, SysEvent& out) {
  out = SysEvent{};
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(event.key, event.type == SDL_KEYDOWN, out);
      out.Repeat = event.type == SDL_KEYDOWN && event.key.repeat != 0;
      return true;
    case SDL_WINDOWEVENT:
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
        out.Kind = SysEventKind::FocusGained;
        return true;
      }
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) {
        out.Kind = SysEventKind::FocusLost;
        return true;
      }
      return false;
    default:
      return false;
  }
}

// Runs as SDL queues an event, right after it changed its keyboard state.
// An event pushed from another thread waits for the main loop instead.
int SDLCALL WatchInput(void*, SDL_Event* event) {
  SysEvent out;
  const SysInputObserver observer = InputObserver;
  if (!observer || SDL_ThreadID() != MainThread || !TranslateInputEvent(*event, out)) return 0;
  Mark(*event);
  out.Observed = true;
  observer(out);
  return 0;
}

// Whether SDL had to fall back to a driver that shows nothing (offscreen,
// dummy) without the player naming it in SDL_VIDEODRIVER: there is no
// display, and a game running unseen is no better than one that cannot
// start. Named, they run as asked (the tests, headless checks).
bool FellBackToUnseenDriver() {
  const char* driver = SDL_GetCurrentVideoDriver();
  if (!driver || (SDL_strcasecmp(driver, "offscreen") != 0 && SDL_strcasecmp(driver, "dummy") != 0)) return false;
  // The hint is the variable unless a program set it; it may list several.
  const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);
  const std::size_t length = std::strlen(driver);
  for (const char* name = asked; name && *name;) {
    const char* end = std::strchr(name, ',');
    const std::size_t size = end ? static_cast<std::size_t>(end - name) : std::strlen(name);
    if (size == length && SDL_strncasecmp(name, driver, length) == 0) return false;
    name = end ? end + 1 : name + size;
  }
  return true;
}

// SDL's version as loaded, which may be another than the one built against.
SDL_version RunningSdl() {
  SDL_version version;
  SDL_GetVersion(&version);
  return version;
}

}  // namespace

bool SysSdlIsTheOneBuiltAgainst() {
  SDL_version built;
  SDL_VERSION(&built);
  const SDL_version running = RunningSdl();
  return built.major == running.major && built.minor == running.minor && built.patch == running.patch;
}

namespace {

// Whether the driver list names Wayland first.
bool WaylandNamedFirst(const char* drivers) {
  return drivers && SDL_strncasecmp(drivers, "wayland", 7) == 0 && (drivers[7] == '\0' || drivers[7] == ',');
}

// SDL before 2.28 crashes in SDL_Init on some Wayland compositors: asked
// for Wayland there, the game starts on X11 (XWayland) where there is one.
// Left to itself SDL 2 tries X11 first anyway.
void AvoidWaylandOnOldSdl() {
  const SDL_version running = RunningSdl();
  if (SDL_VERSIONNUM(running.major, running.minor, running.patch) >= SDL_VERSIONNUM(2, 28, 0)) return;
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display || !WaylandNamedFirst(SDL_GetHint(SDL_HINT_VIDEODRIVER))) return;
  SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "x11", SDL_HINT_OVERRIDE);
  char line[160];
  std::snprintf(line, sizeof line, "Vorlumen: SDL %d.%d.%d is not used on Wayland; starting on X11 instead\n", running.major,
                running.minor, running.patch);
  SysDebugOutput(line);
}

}  // namespace

bool SysInitVideo() {
  if (VideoStarted) return true;
  AvoidWaylandOnOldSdl();
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) return false;
  if (FellBackToUnseenDriver()) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
    return false;
  }
  VideoStarted = true;
  MainThread = SDL_ThreadID();
  // Once only, also after SDL was started again.
  SDL_DelEventWatch(WatchInput, nullptr);
  SDL_AddEventWatch(WatchInput, nullptr);
  const char* driver = SDL_GetCurrentVideoDriver();
  const SDL_version running = RunningSdl();
  char line[160];
  std::snprintf(line, sizeof line, "Vorlumen: video driver %s (SDL %d.%d.%d)\n", driver ? driver : "?", running.major,
                running.minor, running.patch);
  SysDebugOutput(line);
  VideoHasEvents = driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
  if (driver && std::strcmp(driver, "x11") == 0) SysX11KeepPlayingAfterErrors();
  SDL_StopTextInput();
  return true;
}

bool SysVideoIsDummy() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver && std::strcmp(driver, "dummy") == 0;
}

void SysShutdown() {
  SysAbandonRenderDriverCheck();
  SysDestroyMainWindow();
  if (VideoStarted) SDL_Quit();
  VideoStarted = VideoHasEvents = false;
}

bool SysCreateMainWindow(int clientWidth, int clientHeight) {
  if (!VideoStarted) return false;
  if (MainWindow) return true;
  SysChooseRenderDriver();
  // Made at once as the renderer needs it, so that it is never remade.
  const Uint32 rendererFlags = SysRendererWindowFlags();
  for (Uint32 flags : {SDL_WINDOW_SHOWN | rendererFlags, Uint32{SDL_WINDOW_SHOWN}}) {
    MainWindow = SDL_CreateWindow("Vorlumen", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, clientWidth,
                                  clientHeight, flags);
    // Without GL the renderer falls back to another driver.
    if (MainWindow || flags == SDL_WINDOW_SHOWN) break;
  }
  if (MainWindow) SysStartFollowingWindow();
  return MainWindow != nullptr;
}

void SysDestroyMainWindow() {
  if (MainWindow) {
    SysStopFollowingWindow();
    SDL_DestroyWindow(MainWindow);
  }
  MainWindow = nullptr;
}

bool SysHasMainWindow() { return MainWindow != nullptr; }

bool SysMainWindowHasFocus() {
  if (!MainWindow) return false;
  if (SDL_GetWindowFlags(MainWindow) & SDL_WINDOW_INPUT_FOCUS) return true;
  // SDL sees no focus where nobody gives it (X without a window manager),
  // yet keys reach the window and nothing is in front of it.
  return SysX11FocusUnheld(MainWindow);
}

void* SysMainWindowHandle() { return MainWindow; }

bool SysSetWindowIcon(const std::uint32_t* argb, int width, int height) {
  if (!MainWindow || argb == nullptr || width <= 0 || height <= 0) return false;
  // SDL copies the pixels, so the surface may wrap the caller's buffer.
  SDL_Surface* icon = SDL_CreateRGBSurfaceWithFormatFrom(
      const_cast<std::uint32_t*>(argb), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888);
  if (!icon) return false;
  SDL_SetWindowIcon(MainWindow, icon);
  SDL_FreeSurface(icon);
  return true;
}

void SysCatchQuitSignals() {
  // SDL leaves handlers it did not install alone, so these stay in force.
  struct sigaction action {};
  action.sa_handler = OnQuitSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void SysObserveInput(SysInputObserver observer) { InputObserver = observer; }

bool SysPollEvent(SysEvent& out) {
  if (QuitSignalled) {
    QuitSignalled = 0;
    out = SysEvent{};
    out.Kind = SysEventKind::Quit;
    return true;
  }
  if (!VideoStarted) return false;
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    SysInputObserveEvent(event);
    if (IsDrainedEvent(event.type)) continue;
    if (TranslateInputEvent(event, out)) {
      // Queued before the observer came, pushed from another thread, or
      // put in the queue past SDL's watches: the game has yet to count it.
      out.Observed = TakeMark(event);
      return true;
    }
    switch (event.type) {
      case SDL_QUIT:
        out.Kind = SysEventKind::Quit;
        break;
      case SDL_MOUSEMOTION:
        out.Kind = SysEventKind::MouseMove;
        out.X = event.motion.x;
        out.Y = event.motion.y;
        break;
      case SDL_MOUSEBUTTONDOWN:
      case SDL_MOUSEBUTTONUP:
        out.Kind = event.type == SDL_MOUSEBUTTONDOWN ? SysEventKind::MouseButtonDown
                                                     : SysEventKind::MouseButtonUp;
        out.X = event.button.x;
        out.Y = event.button.y;
        out.Button = event.button.button == SDL_BUTTON_LEFT    ? 0
                     : event.button.button == SDL_BUTTON_RIGHT ? 1
                                                               : 2;
        break;
      case SDL_WINDOWEVENT:
        // Focus came above; SDL follows a close with SDL_QUIT for the last window.
        out.Kind = SysEventKind::Other;
        break;
      case SDL_RENDER_TARGETS_RESET:
        out.Kind = SysEventKind::RenderTargetsReset;
        break;
      case SDL_RENDER_DEVICE_RESET:
        out.Kind = SysEventKind::RenderDeviceReset;
        break;
      case SDL_CONTROLLERDEVICEADDED:
        out.Kind = SysEventKind::ControllerAdded;
        break;
      case SDL_CONTROLLERDEVICEREMOVED:
        out.Kind = SysEventKind::ControllerRemoved;
        break;
      default:
        out.Kind = SysEventKind::Other;
        break;
    }
    return true;
  }
  return false;
}

void SysWaitEvent(int timeoutMs) {
  if (VideoHasEvents)
    SDL_WaitEventTimeout(nullptr, timeoutMs);
  else
    SDL_Delay(static_cast<Uint32>(timeoutMs));
}

void SysPostQuit() {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
}

std::uint32_t SysTicks() { return SDL_GetTicks(); }

std::uint32_t SysWallClockMs() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(
      std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

void SysMessageBox(const char* utf8Text) {
  std::fprintf(stderr, "%s\n", utf8Text);
  std::fflush(stderr);
  // A box needs a display; without one (tests, CI, a server) stderr is all.
  const char* display = std::getenv("DISPLAY");
  const char* wayland = std::getenv("WAYLAND_DISPLAY");
  if ((display && *display) || (wayland && *wayland))
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "", utf8Text, MainWindow);
}

void SysShowDebugOutput(bool shown) { DebugOutputShown = shown; }

void SysDebugOutput(const char* text) {
  if (DebugOutputShown) SysReportProblem(text);
}

void SysReportProblem(const char* text) {
  std::fputs(text, stderr);
  std::fflush(stderr);
}

std::uint16_t SysUserDefaultLangId() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value && *value) return std::strncmp(value, "ja", 2) == 0 ? 0x411 : 0x409;
  }
  return 0x409;
}

void SysSetGameFolder(const std::string& folder) {
  GameFolderState& state = GameFolderStorage();
  state.Folder = folder;
  state.Known = true;
  state.ResourceModule.clear();
}

const std::string& SysGameFolder() {
  GameFolderState& state = GameFolderStorage();
  if (!state.Known) {
    state.Folder = ProgramFolder();
    state.Known = true;
  }
  return state.Folder;
}

std::string SysGameFilePath(const char* name) {
  std::string path = SysGameFolder();
  if (path.empty()) return path;
  if (path.back() != '/') path += '/';
  return path + name;
}

GameFolders SysChooseGameFolders(const std::string& gameDir) {
  GameFolderFacts facts;
  facts.GameDir = gameDir;
  facts.ProgramFolder = ProgramFolder();
  facts.InstalledData = VORLUMEN_INSTALLED_DATA;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  facts.XdgDataHome = xdg ? xdg : "";
  facts.Home = HomeFolder();
  const GameFolders chosen = ChooseGameFolders(facts);
  SysSetGameFolder(chosen.Player);
  GameFolderStorage().ResourceModule = chosen.ResourceModule;
  return chosen;
}

std::string SysResourceModulePath() {
  const GameFolderState& state = GameFolderStorage();
  return state.ResourceModule.empty() ? SysGameFilePath("Resource.dll") : state.ResourceModule;
}
