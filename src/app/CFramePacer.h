#pragma once
#include <cstdint>

// Decides when a frame is due at the game speed and whether it draws.
// Histories hold the last 61 frames that ran, newest last.
class CFramePacer {
public:
  static constexpr int HistoryLength = 61;

  // Period in milliseconds for game speed 0-4 (30, 37, 45, 52, 60 fps).
  static std::uint32_t PeriodFor(std::uint32_t gameSpeed);

  bool IsFrameDue(std::uint32_t now, std::uint32_t period) const;
  // Milliseconds from `now` until IsFrameDue turns true; 0 when it is.
  std::uint32_t TimeUntilDue(std::uint32_t now, std::uint32_t period) const;
  // Called once the update ran; false means the draw is skipped this frame.
  bool DecideDraw(std::uint32_t period);
  // Records a finished frame that started at `now`, updated until t1 and
  // drew (or skipped) until t2.
  void RecordFrame(std::uint32_t now, std::uint32_t t1, std::uint32_t t2);

  std::uint32_t FrameStartTimes[HistoryLength] = {};
  std::uint32_t FrameDurations[HistoryLength] = {};
  int DrawSkipped = 0;
};
