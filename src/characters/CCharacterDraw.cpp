// A character's sprite on the floor view: where it stands or slides, its
// facing, the glows of its statuses and the marks of sleep and confusion.
// Positions are layout units (a cell is 80).
#include <cstdint>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "floors/CStageData.h"
#include "platform/Renderer.h"

namespace {

constexpr int CellUnits = 80;
constexpr PictureId EffectSheet = 7;

constexpr std::uint32_t Bit(StatusKind kind) { return 1u << static_cast<int>(kind); }

// A glow pulses up and back over its period; its alpha is the pulse times
// the sprite's own alpha over the divisor. Any status of its set lights it.
struct Glow {
  std::uint32_t Kinds;
  std::uint32_t Rgb;
  int Period;
  int Shift;
  int Divisor;
};
constexpr Glow Glows[] = {
    {Bit(StatusKind::Poison), 0x008000, 60, 0, 45},
    {Bit(StatusKind::Weakness), 0xFF00FF, 60, 0, 45},
    {Bit(StatusKind::Invincible), 0xFFFF00, 60, 0, 45},
    {Bit(StatusKind::Regenerate), 0xFF8080, 60, 0, 45},
    {Bit(StatusKind::DoubleAttack), 0x80FFFF, 40, 0, 30},
    {Bit(StatusKind::Resistance), 0x80FF80, 40, 20, 30},
    {Bit(StatusKind::StrUp) | Bit(StatusKind::DefUp) | Bit(StatusKind::DexUp) | Bit(StatusKind::IntUp), 0x8080FF, 40,
     0, 30},
};

std::uint32_t Argb(int alpha, std::uint32_t rgb) {
  return static_cast<std::uint32_t>(alpha & 0xFF) << 24 | (rgb & 0xFFFFFFu);
}

}  // namespace

void CCharacter::Draw() {
  CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  const AnimationFrame* frame = GetCurrentFrame();
  if (!stage || !frame || !stage->IsInDrawArea(x, y) || IsInvisible()) return;

  // Where it stands, or where it is on its way through one or two steps,
  // and the way it faces while it slides.
  Direction facing = direction;
  int posX = stage->ToScreenX(x) * CellUnits, posY = stage->ToScreenY(y) * CellUnits;
  if (moveStep >= 0 && moveStep < 8) {
    const bool singleStep = prevX == prevPrevX && prevY == prevPrevY;
    if (singleStep || moveStep >= 5) {
      const int span = singleStep ? 8 : 4;
      facing = FacingToward(prevX, prevY, x, y, direction);
      posX += (prevX - x) * (8 - moveStep) * CellUnits / span;
      posY += (prevY - y) * (8 - moveStep) * CellUnits / span;
    } else {
      facing = FacingToward(prevPrevX, prevPrevY, prevX, prevY, direction);
      posX = stage->ToScreenX(prevX) * CellUnits + (prevPrevX - prevX) * (4 - moveStep) * CellUnits / 4;
      posY = stage->ToScreenY(prevY) * CellUnits + (prevPrevY - prevY) * (4 - moveStep) * CellUnits / 4;
    }
  }
  if (IsParalyze() && game->FrameCount % 2 == 0) posX += 4;  // a shiver
  const int screenX = game->GetViewCenterX() + posX, screenY = game->GetViewCenterY() + posY;

  // The class's row and mirror follow the facing of the slide; the facing
  // itself is left as it was.
  const Direction kept = direction;
  direction = facing;
  const int width = frame->right - frame->left + 1, height = frame->bottom - frame->top + 1;
  const int sheetX = frame->centreX + frame->left + GetSpriteColumn() * width;
  const int sheetY = frame->centreY + frame->top + GetSpriteRow() * height;
  ResetDrawState();
  SpriteDrawState.MirrorX = static_cast<float>(GetFacingSign());
  SpriteDrawState.Angle = static_cast<float>(spriteRotation);
  SpriteDrawState.OriginX = static_cast<float>(-frame->left);
  SpriteDrawState.OriginY = static_cast<float>(-frame->top);
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = static_cast<float>(spriteScale);
  direction = kept;

  const int shown = visibilityAlpha * alpha / 255;
  auto drawSprite = [&] {
    DrawSprite(frame->texture, screenX + frame->left, screenY + frame->top, sheetX, sheetY, width, height);
  };
  SpriteDrawState.Colour = Argb(shown, 0xFFFFFF);
  drawSprite();

  // The glows: the same sprite again in the status's colour only.
  SpriteDrawState.ColourMode = 1;
  for (const Glow& glow : Glows) {
    bool on = false;
    for (int kind = 0; kind < StatusKindCount; ++kind) on = on || ((glow.Kinds >> kind & 1u) && status[kind] != 0);
    if (!on) continue;
    const int half = glow.Period / 2;
    const int phase = static_cast<int>((game->FrameCount + static_cast<std::uint32_t>(glow.Shift)) %
                                       static_cast<std::uint32_t>(glow.Period));
    const int pulse = phase < half ? phase : glow.Period - phase;
    SpriteDrawState.Colour = Argb(pulse * shown / glow.Divisor, glow.Rgb);
    drawSprite();
  }

  // Sleep, or else confusion, over its head: two frames taking turns.
  if (IsSleep() || IsConfuse()) {
    const bool second = game->FrameCount / 10 % 2 == 1;
    const int markX = IsSleep() ? (second ? 340 : 320) : (second ? 300 : 280);
    ResetDrawState();
    SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = 4.0f;
    SpriteDrawState.OriginX = SpriteDrawState.OriginY = 10.0f;
    SpriteDrawState.Colour = Argb(visibilityAlpha, 0xFFFFFF);
    DrawSprite(EffectSheet, screenX - 10 - 10, screenY - 20 - 10, markX, 50, 20, 10);
  }
  ResetDrawState();
}
