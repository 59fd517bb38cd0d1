#include "platform/CEffect.h"

#include <algorithm>
#include <climits>

#include "app/CGameMain.h"
#include "platform/Renderer.h"

namespace {

constexpr PictureId EffectPicture = 10;
constexpr std::uint16_t EffectResource = 147;

std::uint32_t AlphaByte(std::int32_t v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); }

}  // namespace

CEffect* GetScreenEffect() {
  static CEffect* effect = [] {
    static CEffect instance;
    instance.Reset();
    return &instance;
  }();
  return effect;
}

void CEffect::Reset() {
  ShakeX = ShakeStepX = ShakeY = ShakeStepY = ShakeFrames = 0;
  FadeValue = FadeTarget = FadeStep = 0;
  FadeRunning = 0;
  FlashLevel = FlashRed = FlashGreen = FlashBlue = FlashPeak = FlashRepeats = 0;
  FlashRiseStep = FlashHoldFrames = FlashFallStep = FlashGapFrames = 0;
  FlashCounter = FlashRepeatCount = FlashPhase = 0;
  LoadTexture(EffectPicture, EffectResource);
}

void CEffect::StartShake(int frames, int maxY, int shrinkX, int shrinkY) {
  if (frames < ShakeFrames) return;
  ShakeStepX = ShakeStepY = 100;
  ShakeMaxY = maxY;
  ShakeShrinkX = shrinkX;
  ShakeShrinkY = shrinkY;
  ShakeX = ShakeMinX = ShakeMaxX = ShakeY = ShakeMinY = 0;
  ShakeFrames = frames;
}

void CEffect::StartFlash(int red, int green, int blue, int peak, int riseStep, int holdFrames, int fallStep) {
  FlashRed = red;
  FlashGreen = green;
  FlashBlue = blue;
  FlashPeak = peak;
  FlashRiseStep = riseStep;
  FlashHoldFrames = holdFrames;
  FlashFallStep = fallStep;
  FlashLevel = 0;
  FlashRepeats = 1;
  FlashGapFrames = FlashCounter = FlashRepeatCount = 0;
  FlashPhase = 1;
}

// The step outruns the bounds, so the offset jumps from bound to bound
// while each hit pulls that bound toward 0.
void CEffect::UpdateShakeAxis(std::int32_t& value, std::int32_t& step, std::int32_t& low, std::int32_t& high,
                              std::int32_t shrink) {
  value += step;
  if (value <= low) {
    value = low;
    step = -step;
    low = std::min(low + shrink, 0);
  } else if (value >= high) {
    value = high;
    step = -step;
    high = std::max(high - shrink, 0);
  }
}

void CEffect::Update() {
  UpdateShakeAxis(ShakeX, ShakeStepX, ShakeMinX, ShakeMaxX, ShakeShrinkX);
  UpdateShakeAxis(ShakeY, ShakeStepY, ShakeMinY, ShakeMaxY, ShakeShrinkY);
  if ((ShakeFrames > 0 || (ShakeMinX == 0 && ShakeMaxX == 0 && ShakeMinY == 0 && ShakeMaxY == 0)) &&
      ShakeFrames > INT_MIN) {
    --ShakeFrames;
    if (ShakeFrames == 0) ShakeX = ShakeStepX = ShakeY = ShakeStepY = ShakeShrinkX = ShakeShrinkY = 0;
  }
  ShakeOffsetX = ShakeX;
  ShakeOffsetY = ShakeY;

  if (FadeRunning) {
    if (FadeValue == FadeTarget) {
      FadeRunning = 0;
    } else {
      const std::int32_t next = FadeValue + FadeStep;
      const bool sameSide = FadeValue < FadeTarget ? next < FadeTarget : next > FadeTarget;
      FadeValue = sameSide ? next : FadeTarget;
    }
  }
  UpdateFlash();
}

void CEffect::UpdateFlash() {
  switch (FlashPhase) {
    case 1:
      FlashLevel += FlashRiseStep;
      if (FlashLevel >= FlashPeak) {
        FlashLevel = FlashPeak;
        FlashPhase = 2;
        if (FlashHoldFrames == 0) {
          FlashCounter = 0;
          FlashPhase = 3;
        }
      }
      return;
    case 2:
      if (++FlashCounter >= FlashHoldFrames) {
        FlashCounter = 0;
        FlashPhase = 3;
      }
      return;
    case 3:
      FlashLevel -= FlashFallStep;
      if (FlashLevel > 0) return;
      FlashLevel = 0;
      FlashPhase = 4;
      if (FlashGapFrames != 0) return;
      [[fallthrough]];
    case 4:
      if (++FlashCounter < FlashGapFrames) return;
      FlashCounter = 0;
      ++FlashRepeatCount;
      if (FlashRepeats >= 0 && FlashRepeatCount < FlashRepeats) {
        FlashPhase = 1;
      } else {
        FlashLevel = 0;
        FlashRepeatCount = 0;
        FlashPhase = 0;
      }
      return;
    default:
      return;
  }
}

void CEffect::Draw() {
  CGameMain* game = GetGameMain();
  const int x0 = -game->ScreenInsetLeft;
  const int y0 = -game->ScreenInsetTop;
  const int w = game->GetScreenWidth() + game->ScreenInsetLeft + game->ScreenInsetRight;
  const int h = game->GetScreenHeight() + game->ScreenInsetTop + game->ScreenInsetBottom;
  SpriteDrawParameters& state = SpriteDrawState;
  state.MirrorX = 1.0f;
  state.ScaleX = state.ScaleY = 1.0f;
  state.OriginX = state.OriginY = 0.0f;
  state.Angle = 0.0f;
  state.BlendMode = 0;
  // The effects themselves never shake.
  ShakeApplies = 0;
  if (FadeValue != 0) {
    state.Colour = AlphaByte(FadeValue) << 24;
    DrawSprite(EffectPicture, x0, y0, 0, 0, w + 200, h);
  }
  if (FlashLevel != 0) {
    state.Colour = (AlphaByte(FlashLevel) << 24) | ((static_cast<std::uint32_t>(FlashRed) & 0xFFu) << 16) |
                   ((static_cast<std::uint32_t>(FlashGreen) & 0xFFu) << 8) |
                   (static_cast<std::uint32_t>(FlashBlue) & 0xFFu);
    DrawSprite(EffectPicture, x0, y0, 0, 0, w, h);
  }
  ShakeApplies = 1;
}
