#pragma once
// The thin layer between the game and SDL2. Nothing outside src/system/
// includes an SDL header; the game speaks Windows virtual-key codes and
// millisecond ticks here, as it always has.
#include <cstdint>
#include <string>

#include "system/SysFolders.h"

// Events the main loop sees. Kinds the game ignores never reach it.
enum class SysEventKind {
  None,
  Quit,
  KeyDown,
  KeyUp,
  SystemKeyDown,  // Alt held, or F10: never handed to the game as a key press
  SystemKeyUp,
  MouseMove,
  MouseButtonDown,
  MouseButtonUp,
  FocusGained,
  FocusLost,
  RenderTargetsReset,
  RenderDeviceReset,
  ControllerAdded,
  ControllerRemoved,
  Other,
};

struct SysEvent {
  SysEventKind Kind = SysEventKind::None;
  std::uint32_t VirtualKey = 0;  // key events: Windows virtual-key code (0 = no translation)
  std::int32_t X = 0;            // mouse events: client pixels
  std::int32_t Y = 0;
  std::int32_t Button = 0;       // mouse button index 0 left, 1 right, 2 middle
  bool Repeat = false;           // key-downs: the keyboard's auto-repeat, not a new press
  bool Observed = false;         // this very event was handed to the input observer when SDL made it
};

// Video start-up: SDL's video subsystem and events. False when no video
// driver can start (the graphics-failure path).
bool SysInitVideo();
// Whether SDL's video runs on its dummy driver (the tests, headless runs).
bool SysVideoIsDummy();
// Whether the SDL loaded is the very one the game was built against.
bool SysSdlIsTheOneBuiltAgainst();
void SysShutdown();

// The one main window, titled "Vorlumen". False when it cannot be made.
bool SysCreateMainWindow(int clientWidth, int clientHeight);
void SysDestroyMainWindow();
bool SysHasMainWindow();
// Whether keys and pads are the window's: it has the focus, or no window
// holds the focus (X without a window manager).
bool SysMainWindowHasFocus();
// Opaque SDL_Window* for the rest of the system layer.
void* SysMainWindowHandle();
// The window's icon from width x height ARGB pixels; false without a window.
bool SysSetWindowIcon(const std::uint32_t* argb, int width, int height);

// Key and focus events handed over the moment SDL makes them, inside its
// event pump: in step with the keyboard state SysIsVirtualKeyDown reads,
// however far behind the main loop takes them out of the queue. They still
// come out of SysPollEvent, marked Observed. Only events made on the thread
// that started the video are handed over; the others, and those that
// reached the queue without passing SDL's watches, come out unmarked, for
// the loop to count. Null hands nothing over.
using SysInputObserver = void (*)(const SysEvent& event);
void SysObserveInput(SysInputObserver observer);

// Takes at most one event the game cares about; drains the rest.
bool SysPollEvent(SysEvent& event);
// Sleeps up to timeoutMs or until an event arrives.
void SysWaitEvent(int timeoutMs);
// What the game's own "close" (posting WM_CLOSE) becomes.
void SysPostQuit();
// From here on an interrupt or terminate request becomes a quit event for
// the main loop, even when it arrives before the window and its event queue
// exist: the game then still ends through its normal exit and writes "save".
void SysCatchQuitSignals();

// Millisecond clock for pacing; starts near 0.
std::uint32_t SysTicks();
// Wall clock in milliseconds, truncated; seeds the random generator.
std::uint32_t SysWallClockMs();

// A message box where there is a display, and always the text on stderr.
void SysMessageBox(const char* utf8Text);
// A debugger line: on stderr only once shown (the player's --verbose).
void SysDebugOutput(const char* text);
void SysShowDebugOutput(bool shown);
// A line the player must read (a damaged file, a file not written): always
// on stderr.
void SysReportProblem(const char* text);

// 0x411 when the locale says Japanese, else 0x409.
std::uint16_t SysUserDefaultLangId();

// The folder that holds the player's files ("save", "keyconfig", the
// rankings): the program's own folder unless set. Set to "" it names no
// folder and no file is read or written.
void SysSetGameFolder(const std::string& folder);
const std::string& SysGameFolder();
// The file `name` in the game folder; "" when there is none.
std::string SysGameFilePath(const char* name);

// Chooses the folders once at start-up (SysFolders.h) from --game-dir
// (empty: not given), the program's own folder and the environment, and
// makes them the game folder and the module to read.
GameFolders SysChooseGameFolders(const std::string& gameDir);
// The Resource.dll to read: the chosen one, else the game folder's.
std::string SysResourceModulePath();
