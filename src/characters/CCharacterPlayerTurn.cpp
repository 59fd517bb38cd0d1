// The player through its turns and frames: hunger and regeneration at the
// start of each turn, the entries that turn a command into a swing, a throw
// or a shot and hold the turn while it plays, death and resurrection, the
// companions drawn around it, and the score.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "app/RunEnd.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "platform/CEffect.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/TextTable.h"
#include "ui/CGameInputController.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"

namespace {

constexpr CharacterType StarvedToDeath = 405;
constexpr TextId HungryText = 601;
constexpr TextId ResurrectionText = 585;
constexpr SoundEffectId SwingSound = 22;
constexpr SoundEffectId ThrowSound = 23;
constexpr SoundEffectId ResurrectionSound = 8;
constexpr SoundEffectId HungrySound = 37;
constexpr SoundEffectId BowSound = 49;
constexpr SoundEffectId StaffSound = 53;
constexpr GameStateId GameOverState = 13;
constexpr ScreenId GameOverScreen = 24;

constexpr AnimationEntry Shot = 140;
constexpr AnimationEntry StaffSwing = 150;
constexpr AnimationEntry FadingOut = 81;
constexpr AnimationEntry TurningDown = 82;
constexpr AnimationEntry GameOver = 83;
constexpr AnimationEntry FaceDown = 200;
constexpr int FadePerFrame = 16;

constexpr ItemId RingOfResurrection = 1542;
constexpr ItemId CircletOfResurrection = 1417;
constexpr ItemId PlainCirclet = 1410;
constexpr ItemId PhilosophersStone = 2576;

bool In(AnimationEntry e, AnimationEntry first, AnimationEntry last) { return e >= first && e <= last; }

// The swing ranges of the weapons, as [first, last]; a swing that ends
// ends as the plain attack does.
struct Range {
  AnimationEntry First, Last;
};
constexpr Range SwingRanges[] = {{100, 139}, {150, 159}, {160, 169}};

const Range* SwingRangeOf(AnimationEntry e) {
  for (const Range& r : SwingRanges)
    if (In(e, r.First, r.Last)) return &r;
  return nullptr;
}

bool IsShot(AnimationEntry e) { return In(e, Shot, Shot + 9); }
bool IsPlainAttack(AnimationEntry e) { return In(e, AnimationAttack, AnimationAttack + 9); }

void PlaySe(SoundEffectId id) { GetSoundManager()->PlaySe(id); }

int ClampToInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

}  // namespace

// ---- The turn

void CCharacterPlayer::StartTurn() {
  if (satiety < 1) {
    const int loss = std::max(GetMaxHP() / 30, 1);
    hp -= loss;
    SpawnEffect(loss);
    if (hp < 1) {
      hp = 0;
      causeOfDeath = StarvedToDeath;
      SetAnimation(AnimationDying);
    }
  } else {
    // Hundredths of a hit point; every whole hundred past the first heals one.
    const int maxHp = GetMaxHP();
    regenProgress = ClampToInt(std::int64_t{regenProgress} + std::int64_t{GetHpRegenRate()} * maxHp / 100);
    if (regenProgress > 100) {
      const int whole = (regenProgress - 1) / 100;
      regenProgress -= whole * 100;
      if (hp > 0 && hp < maxHp) hp = ClampToInt(std::min<std::int64_t>(std::int64_t{hp} + whole, maxHp));
    }
    satiety -= GetHungerRate() * 2 / 100;
    if (satiety < 1) {
      PlaySe(HungrySound);
      ShowCaption(GetCurrentLanguageText(HungryText));
      satiety = 0;
      GetGameMain()->AutoMove = 0;
      // Held keys stop acting until they are pressed anew.
      CMyInput* input = GetInput();
      for (int row : {InputRowUp, InputRowDown, InputRowLeft, InputRowRight, InputRowPointer})
        SwallowInput(input->InputHistory[row]);
    }
  }
  actionPoints += IsSlow() ? 1 : 2;
  CCharacter::StartTurn();
}

void CCharacterPlayer::TickAnimation() {
  CCharacter::TickAnimation();
  if (animEntry == FadingOut) alpha = std::max(alpha - FadePerFrame, 0);
  if (Companion1) Companion1->TickAnimation();
  if (Companion2) Companion2->TickAnimation();
}

void CCharacterPlayer::Draw() {
  CCharacterPlayerChild* companions[] = {Companion1.get(), Companion2.get()};
  for (CCharacterPlayerChild* c : companions)
    if (c && c->GetDrawOffset() < 0) c->Draw();
  CCharacter::Draw();
  for (CCharacterPlayerChild* c : companions)
    if (c && c->GetDrawOffset() > 0) c->Draw();
}

bool CCharacterPlayer::DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  DrawMarkerCell(390, screenX, screenY, scaleX, scaleY, markerAlpha);
  return true;
}

// ---- The entries as actions

bool CCharacterPlayer::IsActionEntry(AnimationEntry entry) const {
  return SwingRangeOf(entry) || IsShot(entry) || CCharacter::IsActionEntry(entry);
}

void CCharacterPlayer::SetAnimation(AnimationEntry e) {
  if (e == -1) return;
  AnimationEntry o = animEntry;
  CGameMain* game = GetGameMain();

  if (e == AnimationAttack && HasWeaponEquipped())
    if (const CItem* weapon = GetItem(WeaponSlot)) e = AttackEntryOf(weapon->GetId());
  // A swing holds the turn as the plain attack does; it is given back when
  // the swing ends as one.
  if (const Range* swing = SwingRangeOf(e); swing && !In(o, swing->First, swing->Last)) TakeRangeHold(AttackHold);
  if (e == AnimationHurt) game->AutoMove = 0;
  // A death nothing can undo ends the run now, not when GAME OVER shows.
  if (e == AnimationDying && !In(o, AnimationDying, AnimationDying + 9) && game->Player == this && !HasResurrection())
    EndRunInDeath(*game);

  if (e == AnimationThrow) {
    CItem* item = GetItem(GetSelectedItem());
    if (item && item->GetCategory() == ItemCategoryArrow && GetItem(BowSlot)) {
      // The arrows shot are the ones worn while they fly.
      if (CItem* worn = GetItem(ArrowSlot)) worn->SetEquipped(false);
      item->SetEquipped(true);
      e = Shot;
    } else {
      // One flight to resolve.
      doubleAttackTarget = 1;
      shotsResolved = 0;
    }
  }
  if (e == Shot) {
    if (doubleAttackCount == 0) {
      OnShoot();
      shotsResolved = 0;
      doubleAttackTarget = RollShotCount();
      // Never more shots than arrows.
      const CItem* item = GetItem(GetSelectedItem());
      const int arrows = item ? item->GetCount() : 0;
      doubleAttackTarget = std::max(std::min(doubleAttackTarget, arrows), 1);
    }
    TakeRangeHold(ShotHold);
  }
  if (IsShot(o) && !IsShot(e)) {
    ++doubleAttackCount;
    const bool held = DropRangeHold(ShotHold);
    // A blow taken meanwhile cuts the shooting short, as it does an attack.
    const bool interrupted = e == AnimationGone || (e >= AnimationHurt && e < AnimationDying + 10);
    if (!interrupted && doubleAttackCount < doubleAttackTarget && hp > 0) {
      SetAnimation(Shot);  // holds again for the next shot
      if (held) GetStateController()->Release();
      return;
    }
    doubleAttackCount = 0;
    if (held) GetStateController()->Release();
  }

  if (e == AnimationAttack || e == 100 || e == 110 || e == 120 || e == 130 || e == 160) {
    if (GetMeleeTarget(0)) OnAttack();
  } else if (e == StaffSwing) {
    OnAttack();
  }

  if (e == 21 || e == 101 || e == 111 || e == 121 || e == 131 || e == 161 || e == 165) PlaySe(SwingSound);
  if (e == AnimationThrow) PlaySe(ThrowSound);
  if (e == Shot + 2) PlaySe(BowSound);
  if (e == StaffSwing) PlaySe(StaffSound);

  if (e == FadingOut) {
    if (HasResurrection()) {
      if (lastAttacker) lastAttacker->CollectExp(this);
      Resurrect();
      return;
    }
    if (game->Player == this) EndRunInDeath(*game);
    CSoundManager* sound = GetSoundManager();
    const int playing = sound->GetPlayingBgm();
    sound->StopAllBgm();
    if (playing != -1) sound->UnloadBgm(playing);
  }
  if (e == TurningDown || e == FaceDown) direction = DirectionDown;
  if (e == GameOver) {
    GetGameInputMain()->CloseMessage();
    GetStateController()->ChangeState(GameOverState);
    GetGameInputController()->PushChild(GameOverScreen);
  }

  if (const Range* swing = SwingRangeOf(o); swing && !In(e, swing->First, swing->Last)) {
    animEntry = AnimationAttack;
    o = AnimationAttack;
  }
  if (IsPlainAttack(o) && !IsPlainAttack(e)) {
    // A blow at an empty cell finds the trap hidden there.
    CStageData* stage = game->CurrentStage;
    const int fx = x + GetFacingDx(), fy = y + GetFacingDy();
    if (stage && stage->CanStep(x, y, fx, fy, passesWalls) && !stage->GetCharacterAt(fx, fy))
      if (CItem* item = stage->GetItemAt(fx, fy); item && item->IsTrap()) item->SetRevealed(true);
  }
  CCharacter::SetAnimation(e);
}

// ---- Death and resurrection

void CCharacterPlayer::Resurrect() {
  bool used = false;
  for (int slot = 0; slot < GetInventoryCapacity() && !used; ++slot) {
    CItem* item = GetItem(slot);
    if (!item || !item->IsEquipped()) continue;
    if (item->GetId() == RingOfResurrection) {
      RemoveItemAt(slot);
      delete item;
      used = true;
    } else if (item->GetId() == CircletOfResurrection) {
      CItem* plain = CreateItem(PlainCirclet);
      RemoveItemAt(slot);
      if (plain) {
        const int stones = std::clamp(plain->GetEnchantSlotCount(), 0, EnchantListSize);
        for (int i = 0; i < stones; ++i) plain->Enchantments[i] = item->GetEnchantmentAt(i);
        plain->SetRefinement(item->GetRefinement());
        // Its place was just emptied; should it be refused, it is carried.
        if (!Equip(plain) && !AddItem(plain)) delete plain;
      }
      delete item;
      used = true;
    }
  }
  for (int slot = 0; slot < GetInventoryCapacity() && !used; ++slot) {
    CItem* item = GetItem(slot);
    if (!item || item->GetId() != PhilosophersStone) continue;
    RemoveItemAt(slot);
    delete item;
    used = true;
  }
  PlaySe(ResurrectionSound);
  GetScreenEffect()->StartFlash(255, 255, 0, 160, 160, 0, 4);
  ShowCaption(GetCurrentLanguageText(ResurrectionText));
  hp = GetMaxHP();
  alpha = 255;
  SetAnimation(AnimationIdle);
}

// ---- The score

int CCharacterPlayer::CalcScore() const {
  std::int64_t score = GetExp();
  for (int slot = 0; slot < GetInventoryCapacity(); ++slot)
    if (const CItem* item = GetItem(slot)) score += item->GetTotalPrice();
  score += std::int64_t{hp} * hp;
  const std::int64_t floor = GetGameMain()->Settings.Block.FloorNumber;
  score += 10 * floor * floor;
  if (hp >= 1) score *= 2;
  // The ranking keeps 32 bits: a score past them stays at the top.
  return ClampToInt(score);
}
