#pragma once
// Which renderer a machine gets. Without a graphics card, OpenGL is drawn on
// the CPU (Mesa's llvmpipe and its kind) at many times the cost of SDL's own
// software renderer for the same picture; such a machine gets the latter.
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

// First thing in a start that goes on, before SDL starts (and the only
// place that starts it): where the player named no render driver
// (SDL_RENDER_DRIVER) and there is a display, finds out whether OpenGL
// would be drawn on the CPU. A machine with no graphics device answers at
// once; elsewhere a short-lived child process asks the display which OpenGL
// it offers, so that this process never loads a driver it will not use,
// and an X error in asking ends only the child, while the game loads what
// does not need the window. Refused once SDL's video is up: a fork then
// copies a process whose other threads may hold locks. OpenGL asked for by
// name is drawn on one thread where Mesa rasterises it on the CPU.
void SysStartRenderDriverCheck();
// Just before the window is made: takes the check's answer, if one was
// started, and asks for the software renderer where OpenGL would be drawn
// on the CPU, and where the child named no renderer (it could make no
// context, or none in its time): then this process never makes one either.
// Waits for the child at most its time limit.
void SysChooseRenderDriver();
// Ends a check still running, for a start that ends before its window, and
// reaps what it can.
void SysAbandonRenderDriverCheck();
// Reaps, without waiting, a check's child that outlived the wait after its
// kill; the main loop calls it on every pass.
void SysReapRenderDriverCheck();

// Whether an OpenGL renderer string names a rasteriser that runs on the CPU.
bool SysIsCpuRasteriserName(const char* glRenderer);

// Whether the device files under /dev (names below /dev/dri given as
// "dri/renderD128") show a graphics device OpenGL could be drawn on: a DRI
// render node, or a node of a driver that has none of its own.
bool SysDevicesShowGraphicsCard(const std::vector<std::string>& deviceNames);

// A question answered by a child process that holds nothing of the game's:
// no descriptor but its pipe (standard input and output on /dev/null), the
// default signal actions, and an alarm that ends it when its time is up or
// soon after, as does the game's own end.
class SysChildQuestion {
public:
  using Question = std::string (*)();
  SysChildQuestion() = default;
  ~SysChildQuestion();
  SysChildQuestion(const SysChildQuestion&) = delete;
  SysChildQuestion& operator=(const SysChildQuestion&) = delete;

  // Forks a child that asks `question` and writes the answer back; false
  // when no child could be made.
  bool Start(Question question, int timeLimitMs);
  bool Running() const { return Child > 0; }
  pid_t ChildId() const { return Child; }
  // What the child wrote within the time limit counted from Start (empty
  // when nothing); the child is then stopped.
  std::string Answer();
  // Kills the child now, if there is one, and reaps it. One that is not
  // gone within a short wait (a driver call it is stuck in must return
  // first) keeps its pid among the killed, for ReapKilled.
  void Stop();
  // Reaps the killed children that have ended since, without waiting;
  // how many are still to be reaped.
  static int ReapKilled();

private:
  pid_t Child = -1;
  int Pipe = -1;
  long long DeadlineNs = 0;
};

// For tests: forgets the check made, and has the next one list `devices`
// in place of /dev's and ask `question` in its child in place of the
// display (null: the real ones), within `timeLimitMs` (0: the real one).
using SysDeviceLister = std::optional<std::vector<std::string>> (*)();
void SysRestartRenderDriverCheck(SysDeviceLister devices, SysChildQuestion::Question question, int timeLimitMs = 0);
