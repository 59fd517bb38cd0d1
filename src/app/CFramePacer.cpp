#include "app/CFramePacer.h"

#include <algorithm>
#include <cstring>

std::uint32_t CFramePacer::PeriodFor(std::uint32_t gameSpeed) {
  static constexpr std::uint32_t FramesPerSecond[5] = {30, 37, 45, 52, 60};
  if (gameSpeed > 4) gameSpeed = 0;  // never stored; the settings clamp it
  return 1000 / FramesPerSecond[gameSpeed];
}

bool CFramePacer::IsFrameDue(std::uint32_t now, std::uint32_t period) const {
  const std::uint32_t* start = FrameStartTimes;
  const std::uint32_t* duration = FrameDurations;
  if (start[60] > now) return true;  // the clock went back or wrapped
  if (duration[59] >= period) return start[59] + 2 * period <= now;
  return start[60] + period <= now || start[58] + 3 * period <= now;
}

std::uint32_t CFramePacer::TimeUntilDue(std::uint32_t now, std::uint32_t period) const {
  if (IsFrameDue(now, period)) return 0;
  // Not due: each due time still ahead lies past `now`.
  const std::uint32_t* start = FrameStartTimes;
  if (FrameDurations[59] >= period) return start[59] + 2 * period - now;
  return std::min(start[60] + period - now, start[58] + 3 * period - now);
}

bool CFramePacer::DecideDraw(std::uint32_t period) {
  if (FrameDurations[60] > period && DrawSkipped != 1) {
    DrawSkipped = 1;
    return false;
  }
  DrawSkipped = 0;
  return true;
}

void CFramePacer::RecordFrame(std::uint32_t now, std::uint32_t t1, std::uint32_t t2) {
  std::memmove(&FrameStartTimes[0], &FrameStartTimes[1], sizeof(std::uint32_t) * (HistoryLength - 1));
  std::memmove(&FrameDurations[0], &FrameDurations[1], sizeof(std::uint32_t) * (HistoryLength - 1));
  FrameStartTimes[60] = now;
  // A clock that wrapped between the reads must not give a huge duration.
  if (now > t1) t1 += (now - t1 + 999) / 1000 * 1000;
  if (t1 > t2) t2 += (t1 - t2 + 999) / 1000 * 1000;
  FrameDurations[60] = t2 - now;
}
