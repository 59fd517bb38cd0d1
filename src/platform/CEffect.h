#pragma once
// The full-screen effect layer: a shake written into the offsets every
// sprite draw adds, a fade to black and a coloured flash. Screens and
// states also set the fade and flash fields directly.
#include <cstdint>

class CEffect {
public:
  CEffect() = default;
  virtual ~CEffect() = default;
  CEffect(const CEffect&) = delete;
  CEffect& operator=(const CEffect&) = delete;

  virtual void Reset();
  virtual void Update();
  virtual void Draw();

  // A running shake with more frames left wins.
  void StartShake(int frames, int maxY, int shrinkX, int shrinkY);
  // Always restarts the flash, once.
  void StartFlash(int red, int green, int blue, int peak, int riseStep, int holdFrames, int fallStep);

  std::int32_t ShakeX = 0, ShakeStepX = 0, ShakeMinX = 0, ShakeMaxX = 0;
  std::int32_t ShakeY = 0, ShakeStepY = 0, ShakeMinY = 0, ShakeMaxY = 0;
  std::int32_t ShakeFrames = 0;
  std::int32_t ShakeShrinkX = 0, ShakeShrinkY = 0;
  std::int32_t FadeValue = 0, FadeTarget = 0, FadeStep = 0;
  std::uint8_t FadeRunning = 0;
  std::int32_t FlashLevel = 0;
  std::int32_t FlashRed = 0, FlashGreen = 0, FlashBlue = 0;
  std::int32_t FlashPeak = 0;
  std::int32_t FlashRepeats = 0;
  std::int32_t FlashRiseStep = 0, FlashHoldFrames = 0, FlashFallStep = 0, FlashGapFrames = 0;
  std::int32_t FlashCounter = 0, FlashRepeatCount = 0;
  std::int32_t FlashPhase = 0;  // 0 idle, 1 rise, 2 hold, 3 fall, 4 gap

private:
  void UpdateShakeAxis(std::int32_t& value, std::int32_t& step, std::int32_t& low, std::int32_t& high,
                       std::int32_t shrink);
  void UpdateFlash();
};

// The one screen effect, made and reset on first use.
CEffect* GetScreenEffect();
