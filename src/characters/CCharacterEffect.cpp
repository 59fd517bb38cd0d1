#include "characters/CCharacterEffect.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <memory>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterList.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "ui/TextCopy.h"

namespace {

constexpr int CellUnits = 80;
constexpr PictureId EffectSheet = 7;
constexpr PictureId BurstSheet = 14;
constexpr TextId MissText = 560;
constexpr TextId LevelUpText = 561;
constexpr SoundEffectId FlameSound = 16;
constexpr SoundEffectId BurstSound = 38;
constexpr SoundEffectId SpellSound = 71;
constexpr AttackType FireAttack = 5;
// Rising numbers and captions last this many frames.
constexpr int RiseFrames = 16;
constexpr int DropFrames = 5;
// A missile never takes more steps than this in one frame, however far out
// of sight it flies; the next frame goes on from there.
constexpr int MaxStepsPerFrame = 512;

// ---- The frame table

enum class Follow { Stay, Chain, Loop };  // -1; each to the next, the last to 0; the last back to the first

// Consecutive records: the first frame's centre and the step to the next
// one's, the half size of the box (0: nothing drawn from a picture), the
// duration of each frame, what follows, and the picture.
struct FrameRun {
  AnimationEntry First;
  int Count;
  int X, StepX, Y, StepY;
  int Half;
  int Duration;
  Follow Next;
  PictureId Picture;
};

constexpr FrameRun FrameRuns[] = {
    {0, 1, 20, 0, 20, 0, 20, 1, Follow::Chain, 0},
    // Drawn by code.
    {10, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {20, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {30, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {40, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {50, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {60, 8, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {70, 8, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {80, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {180, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    {190, 1, 0, 0, 0, 0, 0, 999, Follow::Stay, EffectSheet},
    // Thrown weapons by kind, the kunai, the arrow.
    {90, 4, 10, 0, 210, 20, 10, 1, Follow::Loop, 136},
    {100, 4, 30, 0, 210, 20, 10, 1, Follow::Loop, 136},
    {110, 1, 60, 0, 220, 0, 20, 999, Follow::Stay, 136},
    {120, 4, 90, 0, 210, 20, 10, 1, Follow::Loop, 136},
    {130, 4, 110, 0, 210, 20, 10, 1, Follow::Loop, 136},
    {140, 1, 110, 0, 410, 0, 10, 999, Follow::Stay, 135},
    {150, 1, 50, 0, 410, 0, 10, 999, Follow::Stay, 135},
    // The wand bolt and the reach shot.
    {160, 4, 10, 20, 210, 0, 10, 1, Follow::Loop, EffectSheet},
    {170, 2, 90, 20, 230, 0, 10, 2, Follow::Loop, EffectSheet},
    // Trap bursts that show nothing.
    {194, 1, 0, 0, 0, 0, 0, 1, Follow::Chain, 0},
    {254, 1, 0, 0, 0, 0, 0, 1, Follow::Chain, 0},
    {264, 1, 0, 0, 0, 0, 0, 1, Follow::Chain, 0},
    // Pyrokinesis and the impacts of the flying fires: ten frames of flames.
    {274, 1, 0, 0, 0, 0, 0, 10, Follow::Chain, 0},
    {286, 1, 0, 0, 0, 0, 0, 10, Follow::Chain, 0},
    {296, 1, 0, 0, 0, 0, 0, 10, Follow::Chain, 0},
    {306, 1, 0, 0, 0, 0, 0, 10, Follow::Chain, 0},
    {275, 5, 10, 20, 170, 0, 10, 2, Follow::Chain, EffectSheet},
    {287, 5, 10, 20, 170, 0, 10, 2, Follow::Chain, EffectSheet},
    {297, 5, 10, 20, 190, 0, 10, 2, Follow::Chain, EffectSheet},
    {307, 2, 110, 20, 190, 0, 10, 4, Follow::Chain, EffectSheet},
    // The flying fires.
    {284, 2, 50, 20, 230, 0, 10, 2, Follow::Loop, EffectSheet},
    {294, 2, 90, 20, 230, 0, 10, 2, Follow::Loop, EffectSheet},
    {304, 2, 130, 20, 230, 0, 10, 2, Follow::Loop, EffectSheet},
    {344, 1, 0, 0, 0, 0, 0, 2, Follow::Loop, 0},
};

// The five item-use bursts: seven 40 x 40 frames of picture 14 at these x
// on each burst's row.
constexpr int BurstXs[7] = {20, 60, 100, 60, 100, 140, 180};
constexpr struct {
  AnimationEntry First;
  int Y;
} BurstRows[] = {{204, 260}, {214, 140}, {224, 100}, {234, 180}, {244, 220}};

using FrameTable = std::array<AnimationFrame, EffectFrameCount>;

void SetRecord(AnimationFrame& f, int x, int y, int half, int duration, int next, PictureId picture) {
  f.centreX = x;
  f.centreY = y;
  f.left = f.top = -half;
  f.right = f.bottom = half > 0 ? half - 1 : 0;
  f.duration = duration;
  f.next = next;
  f.texture = static_cast<std::uint16_t>(picture);
}

FrameTable BuildFrameTable() {
  FrameTable table;
  // Entries nobody starts end at their first frame.
  for (AnimationFrame& f : table) SetRecord(f, 0, 0, 0, 1, AnimationGone, 0);
  for (const FrameRun& run : FrameRuns) {
    for (int i = 0; i < run.Count; ++i) {
      const bool last = i + 1 == run.Count;
      int next = run.First + i + 1;
      if (run.Next == Follow::Stay) next = -1;
      if (last && run.Next == Follow::Chain) next = AnimationGone;
      if (last && run.Next == Follow::Loop) next = run.First;
      SetRecord(table[static_cast<std::size_t>(run.First + i)], run.X + i * run.StepX, run.Y + i * run.StepY,
                run.Half, run.Duration, next, run.Picture);
    }
  }
  table[305].duration = 4;  // the spell's second frame lingers
  for (const auto& row : BurstRows)
    for (int i = 0; i < 7; ++i)
      SetRecord(table[static_cast<std::size_t>(row.First + i)], BurstXs[i], row.Y, 20, 2,
                i == 6 ? AnimationGone : row.First + i + 1, BurstSheet);
  return table;
}

const FrameTable& EffectFrames() {
  static const FrameTable table = BuildFrameTable();
  return table;
}

// ---- Entry groups

bool In(AnimationEntry e, AnimationEntry first, AnimationEntry last) { return e >= first && e <= last; }

int StepsPerCell(AnimationEntry e) {
  if (In(e, 70, 77) || In(e, 90, 93) || In(e, 100, 103) || e == 110 || In(e, 120, 123) || In(e, 130, 133) ||
      e == 140 || In(e, 150, 154))
    return 1;
  if (In(e, 160, 163) || In(e, 170, 173) || In(e, 284, 285) || In(e, 294, 295) || In(e, 304, 305) ||
      In(e, 314, 316) || e == 324 || In(e, 334, 335) || In(e, 354, 357))
    return 2;
  return 0;
}

bool IsFlight(AnimationEntry e) { return StepsPerCell(e) > 0; }
bool IsFlyingFire(AnimationEntry e) { return In(e, 284, 285) || In(e, 294, 295) || In(e, 304, 305); }
bool IsFlames(AnimationEntry e) { return e == 274 || e == 286 || e == 296 || e == 306; }
bool IsSoundedBurst(AnimationEntry e) { return e == 204 || e == 214 || e == 224 || e == 234 || e == 244; }
bool IsItemUse(AnimationEntry e) { return In(e, 194, 273); }
bool IsRising(AnimationEntry e) {
  return e == 10 || e == 20 || e == 30 || e == 40 || e == 50 || In(e, 60, 67) || e == 180;
}
bool HoldsTurnWhile(AnimationEntry e) {
  return IsFlight(e) || e == 80 || e == 190 || e == 194 || IsSoundedBurst(e) || e == 254 || e == 264 ||
         IsFlames(e);
}

// How far a rising number or caption stands above its cell after t frames:
// (15 + 14 + ... + (16 - t)) x 60 / 120, 60 units in all.
int RiseAfter(int t) {
  t = std::clamp(t, 0, RiseFrames);
  return t * (31 - t) / 2 * 60 / 120;
}

CStageData* CurrentStage() { return GetGameMain()->CurrentStage; }
void PlaySe(SoundEffectId id) { GetSoundManager()->PlaySe(id); }

// A new effect for the current floor; null (and nothing made) without one.
CCharacterEffect* NewEffect(int x, int y) {
  if (!CurrentStage()) return nullptr;
  auto* effect = new CCharacterEffect;
  effect->SetPosition(x, y);
  return effect;
}

CCharacterEffect* PutOnFloor(CCharacterEffect* effect) {
  CurrentStage()->Effects.PushBack(effect);
  return effect;
}

}  // namespace

bool IsLivingParticipant(const CCharacter* character) {
  if (!character) return false;
  for (const CCharacter* listed : GetGameMain()->Characters.Walk())
    if (listed == character) return character->alive && character->hp > 0;
  return false;
}

// ---- Life

CCharacterEffect::CCharacterEffect() {
  type = EffectCharacterType;
  level = 1;
  hp = maxHp = attack = defence = 10;
  animEntry = AnimationGone;
  moveStep = 0;
  const FrameTable& table = EffectFrames();
  frames.assign(table.begin(), table.end());
  LoadTexture(EffectSheet, 138);
  LoadTexture(BurstSheet, 199);
}

CCharacterEffect::~CCharacterEffect() {
  if (ownsItem) delete item;
  ReleaseHold();
  ReleaseTexture(BurstSheet);
  ReleaseTexture(EffectSheet);
}

void CCharacterEffect::TakeHold() {
  if (holdsTurn || !alive) return;
  holdsTurn = true;
  GetStateController()->Hold();
}

void CCharacterEffect::ReleaseHold() {
  if (!holdsTurn) return;
  holdsTurn = false;
  GetStateController()->Release();
}

void CCharacterEffect::Finish() {
  alive = 0;
  animEntry = AnimationGone;
  animTick = 0;
  if (ownsItem) delete item;
  item = nullptr;
  ownsItem = false;
  ReleaseHold();
}

void CCharacterEffect::SetCaption(const char* text) { CopyTextCut(caption, sizeof caption, text); }

void CCharacterEffect::CarryItem(CItem* carried) {
  if (ownsItem && item != carried) delete item;
  item = carried;
  ownsItem = carried != nullptr;
}

void CCharacterEffect::LinkItem(CItem* linked) {
  if (ownsItem && item != linked) delete item;
  item = linked;
  ownsItem = false;
}

CCharacter* CCharacterEffect::GetParticipant() const { return ownedList1 ? ownedList1->GetAt(1) : nullptr; }

void CCharacterEffect::SetParticipant(CCharacter* character) {
  if (!ownedList1) ownedList1 = std::make_unique<CCharacterList>();
  ownedList1->RemoveAll();
  ownedList1->PushBack(character);
}

int CCharacterEffect::GetStepsPerCell() const { return StepsPerCell(animEntry); }

// ---- Entries

void CCharacterEffect::SetAnimation(AnimationEntry entry) {
  if (entry == -1 || !alive) return;
  if (entry < 0 || entry >= EffectFrameCount) entry = AnimationGone;
  const AnimationEntry prev = animEntry;
  animEntry = entry;
  animTick = 0;
  if (entry == EffectMiss) SetCaption(GetCurrentLanguageText(MissText));
  if (entry == EffectLevelUp) SetCaption(GetCurrentLanguageText(LevelUpText));
  if (IsSoundedBurst(entry)) PlaySe(BurstSound);
  if (HoldsTurnWhile(entry)) TakeHold();
  if (entry != AnimationGone) return;

  // What the entry that ends leaves behind.
  if (IsItemUse(prev)) {
    // A trap springs only while it still lies where it was laid.
    const CStageData* stage = CurrentStage();
    if (item && stage && stage->GetItemAt(x, y) == item) item->Use();
  } else if (prev == EffectPyrokinesis) {
    const CStageData* stage = CurrentStage();
    CCharacter* standing = stage ? stage->GetCharacterAt(x, y) : nullptr;
    if (standing && standing->alive && standing->hp > 0) {
      CCharacter* caster = GetParticipant();
      standing->TakeHit(FireAttack, Number, IsLivingParticipant(caster) ? caster : nullptr);
    }
  } else if (IsFlames(prev)) {
    // A flying fire's burst: its shooter works out the hit.
    if (CCharacter* shooter = GetParticipant(); IsLivingParticipant(shooter)) shooter->EndItemShot();
  }
  Finish();
}

// ---- Frames

void CCharacterEffect::TickAnimation() {
  if (!alive) return;
  if (holdTicks > 0) {
    --holdTicks;
    return;
  }
  const AnimationFrame* frame = GetCurrentFrame();
  if (!frame) {
    SetAnimation(AnimationGone);
    return;
  }
  if (IsRising(animEntry) || animEntry == EffectHeldCaption) {
    if (++animTick >= RiseFrames) SetAnimation(AnimationGone);
    return;
  }
  if (animEntry == EffectDroppedItem) {
    if (++animTick < DropFrames) return;
    if (item) item->SetRevealed(true);
    SetAnimation(AnimationGone);
    return;
  }
  if (IsFlight(animEntry)) {
    StepFlight();
    return;
  }
  if (IsFlames(animEntry)) {
    if (animTick % 2 == 0) PlaySe(FlameSound);
    SpawnFlame();
  }
  // Held records count no further than their duration.
  if (animTick < frame->duration) ++animTick;
  if (animTick >= frame->duration) SetAnimation(frame->next);
}

void CCharacterEffect::SpawnFlame() {
  CCharacterEffect* flame = NewEffect(x, y);
  if (!flame) return;
  flame->SetDirection(direction);
  // Where each flame shows is only for the eye.
  flame->OffsetX = VisualRandom() % 53 - 26;
  flame->OffsetY = VisualRandom() % 53 - 26;
  flame->SetAnimation(animEntry + 1);
  PutOnFloor(flame);
}

// ---- Flight

void CCharacterEffect::StepFlight() {
  const CStageData* stage = CurrentStage();
  const int dx = GetFacingDx(), dy = GetFacingDy();
  if (!stage) {
    OnLeaveMap();
    return;
  }
  // Facing nowhere it would stand on its cell forever.
  if (dx == 0 && dy == 0) {
    OnRangeEnd();
    return;
  }
  const int perCell = GetStepsPerCell();
  for (int step = 0; step < MaxStepsPerFrame; ++step) {
    ++moveStep;
    // The picture turns with every step; a flight never leaves its loop.
    const AnimationFrame& frame = frames[static_cast<std::size_t>(animEntry)];
    if (animTick < frame.duration) ++animTick;
    if (animTick >= frame.duration && frame.next > 0 && frame.next < EffectFrameCount && IsFlight(frame.next)) {
      animEntry = frame.next;
      animTick = 0;
    }
    const int cells = moveStep / perCell;
    const int cellX = x + dx * cells, cellY = y + dy * cells;
    if (moveStep < perCell || moveStep % perCell == 0) {
      CCharacter* standing = stage->GetCharacterAt(cellX, cellY);
      if (cells >= 1 && standing && standing->alive && standing->hp > 0) {
        OnHitCharacter(standing);
        return;
      }
      if (stage->IsWall(cellX + dx, cellY + dy)) {
        OnHitWall();
        return;
      }
      if (stage->IsOutOfMap(cellX, cellY) && !stage->IsInDrawArea(cellX, cellY)) {
        OnLeaveMap();
        return;
      }
      if (value >= 0 && cells >= value) {
        OnRangeEnd();
        return;
      }
    }
    // Out of sight the flight takes no time.
    if (stage->IsInDrawArea(cellX, cellY)) return;
  }
}

void CCharacterEffect::OnHitCharacter(CCharacter* target) {
  if (!IsFlyingFire(animEntry) || !target) {
    EndFlight();
    return;
  }
  // The fire moves onto the character and bursts there.
  SetPosition(target->GetX(), target->GetY());
  moveStep = 0;
  const AnimationEntry burst = animEntry - animEntry % 10 + 6;
  if (burst == 306) PlaySe(SpellSound);
  SetAnimation(burst);
}

void CCharacterEffect::OnHitWall() { EndFlight(); }
void CCharacterEffect::OnLeaveMap() { EndFlight(); }
void CCharacterEffect::OnRangeEnd() { EndFlight(); }

void CCharacterEffect::EndFlight() {
  if (CCharacter* shooter = GetParticipant(); IsLivingParticipant(shooter)) {
    if (In(animEntry, 160, 163) && item && !ownsItem)
      shooter->ResolveWandBolt(item);
    else if (In(animEntry, 160, 163))
      shooter->EndWandShot();
    else if (In(animEntry, 170, 173))
      shooter->EndReachShot();
    else
      shooter->EndItemShot();
  }
  SetAnimation(AnimationGone);
}

// ---- Drawing

void CCharacterEffect::Draw() {
  CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  if (!alive || holdTicks > 0 || !stage) return;
  const int screenX = game->GetViewCenterX() + stage->ToScreenX(x) * CellUnits;
  const int screenY = game->GetViewCenterY() + stage->ToScreenY(y) * CellUnits;
  const int perCell = GetStepsPerCell();
  // Steps flown, as layout units along each axis; what does not fly stays.
  const int flown = perCell > 0 ? moveStep * CellUnits / perCell : 0;
  const int stepsX = GetFacingDx() * flown, stepsY = GetFacingDy() * flown;

  if (animEntry == EffectWhiteNumber || animEntry == EffectGreenNumber || animEntry == EffectCyanNumber ||
      animEntry == EffectMiss || animEntry == EffectLevelUp || In(animEntry, 180, 193)) {
    DrawRising(screenX, screenY);
  } else if (In(animEntry, 60, 69)) {
    if (item && stage->IsInDrawArea(x, y)) item->DrawAt(screenX, screenY - RiseAfter(animTick));
  } else if (animEntry == EffectDroppedItem) {
    if (!item) return;
    // A quarter of the way each frame, on an arc.
    constexpr int Arc[5] = {0, 8, 12, 12, 8};
    const int t = std::clamp(animTick, 0, 4);
    const int fromX = game->GetViewCenterX() + stage->ToScreenX(prevX) * CellUnits;
    const int fromY = game->GetViewCenterY() + stage->ToScreenY(prevY) * CellUnits;
    item->DrawAt(fromX + (screenX - fromX) * t / 4, fromY + (screenY - fromY) * t / 4 - Arc[t]);
  } else if (In(animEntry, 70, 77)) {
    if (item) item->DrawAt(screenX + stepsX, screenY + stepsY);
  } else {
    DrawRecordFrame(screenX + OffsetX, screenY + OffsetY, stepsX, stepsY);
  }
}

void CCharacterEffect::DrawRising(int screenX, int screenY) {
  char number[16];
  const char* text = caption;
  std::uint32_t r = 255, g = 255, b = 255;
  if (animEntry == EffectWhiteNumber || animEntry == EffectGreenNumber || animEntry == EffectCyanNumber) {
    std::snprintf(number, sizeof number, "%d", Number);
    text = number;
    if (animEntry == EffectGreenNumber) r = 128, b = 128;
    if (animEntry == EffectCyanNumber) r = 0;
  } else if (In(animEntry, 180, 193)) {
    const auto channel = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
    r = channel(red), g = channel(green), b = channel(blue);
  }
  CDrawString& font = GetGameMain()->Fonts[3];
  font.SetColor(r, g, b);
  font.SetUniformScale(spriteScale);
  // Centred on the cell, risen.
  font.DrawText(text, screenX - CellUnits / 2, screenY - CellUnits / 2 - RiseAfter(animTick), CellUnits, CellUnits,
                0);
  font.SetColor(255, 255, 255);
  font.SetUniformScale(1.0);
}

void CCharacterEffect::DrawRecordFrame(int screenX, int screenY, int stepsX, int stepsY) {
  const AnimationFrame* frame = GetCurrentFrame();
  if (!frame || frame->right <= frame->left || frame->texture == 0) return;
  const int width = frame->right - frame->left + 1, height = frame->bottom - frame->top + 1;
  ResetDrawState();
  SpriteDrawState.MirrorX = static_cast<float>(GetFacingSign());
  SpriteDrawState.OriginX = static_cast<float>(-frame->left);
  SpriteDrawState.OriginY = static_cast<float>(-frame->top);
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = static_cast<float>(spriteScale);
  SpriteDrawState.Colour = static_cast<std::uint32_t>(std::clamp(alpha, 0, 255)) << 24 | 0xFFFFFFu;
  DrawSprite(frame->texture, screenX + stepsX + frame->left, screenY + stepsY + frame->top,
             frame->centreX + frame->left, frame->centreY + frame->top + GetSpriteRow() * height, width, height);
  ResetDrawState();
}

// ---- Spawning

CCharacterEffect* CCharacterEffect::SpawnNumber(int x, int y, AnimationEntry entry, int number) {
  CCharacterEffect* effect = NewEffect(x, y);
  if (!effect) return nullptr;
  effect->Number = number;
  effect->SetAnimation(entry);
  return PutOnFloor(effect);
}

CCharacterEffect* CCharacterEffect::SpawnCaption(int x, int y, AnimationEntry entry, const char* text, int red,
                                                 int green, int blue, int delay) {
  CCharacterEffect* effect = NewEffect(x, y);
  if (!effect) return nullptr;
  effect->SetColor(red, green, blue);
  effect->holdTicks = std::max(delay, 0);
  effect->SetAnimation(entry);
  if (text) effect->SetCaption(text);
  return PutOnFloor(effect);
}

CCharacterEffect* CCharacterEffect::SpawnMissile(CCharacter* shooter, AnimationEntry entry, CItem* picture,
                                                 int range, int startStep) {
  CCharacterEffect* effect = shooter ? NewEffect(shooter->GetX(), shooter->GetY()) : nullptr;
  if (!effect) {
    delete picture;
    return nullptr;
  }
  effect->SetDirection(shooter->GetDirection());
  effect->SetParticipant(shooter);
  effect->CarryItem(picture);
  effect->SetValue(range);
  effect->moveStep = std::max(startStep, 0);
  effect->SetAnimation(entry);
  return PutOnFloor(effect);
}

CCharacterEffect* CCharacterEffect::SpawnFire(int x, int y, Direction facing, int damage, CCharacter* caster) {
  CCharacterEffect* effect = NewEffect(x, y);
  if (!effect) return nullptr;
  effect->SetDirection(facing);
  effect->Number = damage;
  effect->SetParticipant(caster);
  effect->SetAnimation(EffectPyrokinesis);
  return PutOnFloor(effect);
}

CCharacterEffect* CCharacterEffect::SpawnItemBurst(int x, int y, AnimationEntry entry, CItem* linked) {
  CCharacterEffect* effect = NewEffect(x, y);
  if (!effect) return nullptr;
  effect->LinkItem(linked);
  effect->SetAnimation(entry);
  return PutOnFloor(effect);
}

CCharacterEffect* CCharacterEffect::SpawnDroppedItem(CItem* dropped, int fromX, int fromY) {
  CCharacterEffect* effect = dropped ? NewEffect(dropped->GetX(), dropped->GetY()) : nullptr;
  if (!effect) return nullptr;
  effect->prevX = fromX;
  effect->prevY = fromY;
  effect->LinkItem(dropped);
  effect->SetAnimation(EffectDroppedItem);
  return PutOnFloor(effect);
}

CCharacterEffect* CCharacterEffect::SpawnRisingItem(int x, int y, CItem* shown) {
  CCharacterEffect* effect = NewEffect(x, y);
  if (!effect) {
    delete shown;
    return nullptr;
  }
  effect->CarryItem(shown);
  effect->SetAnimation(EffectRisingItem);
  return PutOnFloor(effect);
}
