// The final boss: its choice of specials, the stones and potions it uses,
// its summons, its one resurrection and its real defeat.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/CStageData.h"
#include "monsters/MonstersGorgonToAlchemist.h"
#include "platform/CEffect.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace {

using Alchemist = CCharacterAlchemist;

constexpr AnimationEntry ThrowFirst = 100, DrinkFirst = 120, RiseFirst = 130, RiseSurprise = 131;
constexpr AnimationEntry FallFlash1 = 81, FallFlash2 = 82, FallFlash3 = 83, FallClears = 84;
constexpr TextId UsedText = 657, TeleportedText = 691, SummonedText = 669, AllEndedText = 710,
                 SurpriseText = 695, ResurrectedText = 694, PhilosophersStoneText = 459;
constexpr SoundEffectId NullSound = 83, TeleportSound = 32, SummonSound = 85, QuickSound = 5, FallSound = 3,
                        RisenSound = 8;
// Its own holds, one bit each: a stone or potion in use, and the rising.
constexpr std::uint8_t ItemHold = 1, RiseHold = 2;
constexpr int TeleportLoss = 150;
constexpr int SummonEvery = 6;
// What play leaves in its words: the HP mark is clamped to 16 bits, and
// the counter starts at 100 and is set back to 0 at each summon.
constexpr std::int32_t LeastHpMark = -32768, MostHpMark = 32767;
constexpr std::int32_t FirstSummonCounter = 100;
// The weights of the specials 0-8 in the roll; the stone of null weighs
// NullWeight only when it would end something.
constexpr int Weights[9] = {0, 40, 0, 0, 0, 0, 5, 0, 0};
constexpr int NullWeight = 10;
constexpr CharacterType Minions[6] = {291, 348, 327, 336, 345, 354};
// The tutorial's mining points take no part in the floor's statuses.
constexpr CharacterType FirstTutorialPoint = 784, LastTutorialPoint = 786;

struct SpecialRow {
  std::uint8_t Special;
  TextId ItemName;
  AnimationEntry Entry;  // a throw or a drink
};
constexpr SpecialRow Specials[] = {
    {Alchemist::StoneOfFire, 458, ThrowFirst},   {Alchemist::StoneOfNull, 468, ThrowFirst},
    {Alchemist::Teleportation, 415, DrinkFirst}, {Alchemist::StoneOfSummon, 469, ThrowFirst},
    {Alchemist::QuickMove, 410, DrinkFirst},
};

const SpecialRow* FindSpecial(std::uint8_t special) {
  for (const SpecialRow& row : Specials)
    if (row.Special == special) return &row;
  return nullptr;
}

bool Within(AnimationEntry entry, AnimationEntry first, AnimationEntry last) { return entry >= first && entry <= last; }
bool InThrow(AnimationEntry entry) { return Within(entry, ThrowFirst, 119); }
bool InDrink(AnimationEntry entry) { return Within(entry, DrinkFirst, 129); }
bool InRise(AnimationEntry entry) { return Within(entry, RiseFirst, 149); }
bool InFall(AnimationEntry entry) { return Within(entry, AnimationDying, 89); }

bool TakesPart(const CCharacter* c) {
  return c && c->alive && c->hp > 0 && !(c->type >= FirstTutorialPoint && c->type <= LastTutorialPoint);
}

void PlaySe(SoundEffectId id) { GetSoundManager()->PlaySe(id); }

void Flash(int red, int green, int blue, int peak, int rise, int hold, int fall) {
  GetScreenEffect()->StartFlash(red, green, blue, peak, rise, hold, fall);
}

enum class Window { Show, Add };

// The text with up to two strings in it, to the message window.
void Post(Window window, TextId id, const char* first = "", const char* second = "") {
  char line[256];
  std::snprintf(line, sizeof line, GetCurrentLanguageText(id), first, second);
  CGameInputMain* screen = GetGameInputMain();
  if (window == Window::Show)
    screen->ShowMessage(line);
  else
    screen->AddMessage(line);
}

// The music playing now, at a volume: muted, or its own again.
void SetPlayingMusicMuted(bool muted) {
  CSoundManager* sound = GetSoundManager();
  const int track = sound->GetPlayingBgm();
  if (track < 0 || track >= BgmTrackCount) return;
  sound->SetBgmTrackVolume(track, muted ? 0 : MusicTable[track].Volume);
}

// The floor falls silent for good.
void StopFloorMusic() {
  if (CStageData* stage = GetGameMain()->CurrentStage) {
    stage->BgmTrack = -1;
    stage->BgmResourceId = -1;
  }
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  sound->StopAllBgm();
  if (playing >= 0) sound->UnloadBgm(playing);
}

}  // namespace

CCharacterAlchemist::CCharacterAlchemist(CharacterType classType) : CCharacterEnemy(classType) {
  chosenSpecial = NoSpecial;
  resurrections = 0;
  hpMark = std::clamp(hp, LeastHpMark, MostHpMark);
  summonCounter = FirstSummonCounter;
}

bool CCharacterAlchemist::AreSavedWordsSound(const SavedWords& words) const {
  const std::int32_t special = words[0], risen = words[1], mark = words[2], counter = words[3];
  // A special may still wait for its action when the turn ends.
  const bool knownSpecial =
      special == NoSpecial || (special > 0 && special <= QuickMove && FindSpecial(static_cast<std::uint8_t>(special)));
  return knownSpecial && (risen == 0 || risen == 1) && mark >= LeastHpMark && mark <= MostHpMark && counter >= 0 &&
         counter <= FirstSummonCounter;
}

void CCharacterAlchemist::TakeSavedWords(const SavedWords& words) {
  std::copy(words.begin(), words.end(), std::begin(extraWords));
}

// ---- Choosing

bool CCharacterAlchemist::WantsSpecialAttack() {
  const CCharacter* player = GetGameMain()->Player;
  if (!player || !CanUseSpecialAttack()) return false;
  if (chosenSpecial != NoSpecial) return true;
  if (player->IsQuick() && !IsQuick()) {
    chosenSpecial = QuickMove;
    return true;
  }
  // Worked out wide: whatever the words hold, nothing overflows.
  if (std::int64_t{hp} < std::int64_t{hpMark} - TeleportLoss || hp > hpMark) {
    chosenSpecial = Teleportation;
    hpMark = std::clamp(hp, LeastHpMark, MostHpMark);
    return true;
  }
  // Any count at or past the summon's summons next; it need not grow further.
  summonCounter = summonCounter < SummonEvery ? summonCounter + 1 : SummonEvery;
  if (summonCounter >= SummonEvery) {
    chosenSpecial = StoneOfSummon;
    summonCounter = 0;
    return true;
  }
  int weights[9];
  std::copy(std::begin(Weights), std::end(Weights), weights);
  if (NullStoneWorthIt()) weights[StoneOfNull] = NullWeight;
  int r = Random() % 100;
  for (int special = 0; special < 9; ++special) {
    r -= weights[special];
    if (r < 0) {
      chosenSpecial = static_cast<std::uint8_t>(special);
      return true;
    }
  }
  return false;
}

bool CCharacterAlchemist::NullStoneWorthIt() const {
  const CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  if (!stage) return false;
  for (const CCharacter* c : stage->characterAt) {
    if (!TakesPart(c)) continue;
    if (c == game->Player) {
      // What the player would lose (not DEF UP).
      if (c->IsQuick() || c->IsInvincible() || c->IsRegenerate() || c->IsDoubleAttack() || c->IsResistance() ||
          c->IsStrUp() || c->IsDexUp() || c->IsIntUp())
        return true;
    } else if (c->IsSlow() || c->IsSleep() || c->IsConfuse() || c->IsPoison() || c->IsParalyze() ||
               c->IsWeakness()) {
      return true;
    }
  }
  return false;
}

void CCharacterAlchemist::UseSpecialAttack() {
  const SpecialRow* special = FindSpecial(chosenSpecial);
  if (!special) {
    chosenSpecial = NoSpecial;
    return;
  }
  char name[128] = {};
  GetCharacterTypeName(type, name);
  Post(Window::Show, UsedText, name, GetCurrentLanguageText(special->ItemName));
  SetAnimation(special->Entry);
}

// ---- Carrying out

void CCharacterAlchemist::BossAttack() {
  CGameMain* game = GetGameMain();
  switch (chosenSpecial) {
    case StoneOfFire:
      if (const CCharacter* player = game->Player)
        CCharacterEffect::SpawnFire(player->x, player->y, direction, CalcMagicDamage(), this);
      Flash(255, 0, 0, 160, 160, 0, 5);
      break;
    case StoneOfNull:
      for (CCharacter* c : game->Characters.Walk())
        if (TakesPart(c)) c->ClearAllStatuses();
      PlaySe(NullSound);
      Flash(64, 64, 64, 255, 255, 0, 6);
      Post(Window::Add, AllEndedText);
      break;
    case Teleportation: {
      TeleportRandom();
      PlaySe(TeleportSound);
      Flash(0, 255, 255, 160, 160, 0, 5);
      char name[128] = {};
      GetCharacterTypeName(type, name);
      Post(Window::Add, TeleportedText, name);
      break;
    }
    case StoneOfSummon:
      if (SummonMinion()) {
        PlaySe(SummonSound);
        Flash(0, 255, 255, 160, 160, 0, 5);
      }
      break;
    case QuickMove:
      PlaySe(QuickSound);
      Flash(160, 208, 255, 160, 160, 0, 5);
      InflictQuickRandom();
      break;
    default:
      break;
  }
  chosenSpecial = NoSpecial;
}

CharacterType CCharacterAlchemist::GetMinionType() { return Minions[Random() % 6]; }

bool CCharacterAlchemist::SummonMinion() {
  CGameMain* game = GetGameMain();
  CStageData* stage = game->CurrentStage;
  if (!stage) return false;
  auto isFree = [stage](int cellX, int cellY) {
    return stage->IsPassable(cellX, cellY) && !stage->GetCharacterAt(cellX, cellY);
  };
  int firstX = -1, firstY = -1;
  for (int cellX = 0; cellX < StageMapSize && firstX < 0; ++cellX) {
    for (int cellY = 0; cellY < StageMapSize; ++cellY) {
      if (!isFree(cellX, cellY)) continue;
      firstX = cellX;
      firstY = cellY;
      break;
    }
  }
  if (firstX < 0) return false;
  // Anywhere on the floor. The draws find a free cell long before the
  // limit; past it the first free cell takes the minion.
  int cellX = firstX, cellY = firstY;
  for (int tries = 0; tries < PlacementTryLimit; ++tries) {
    const int drawnX = Random() % StageMapSize, drawnY = Random() % StageMapSize;
    if (!isFree(drawnX, drawnY)) continue;
    cellX = drawnX;
    cellY = drawnY;
    break;
  }
  CCharacter* minion = CreateCharacter(GetMinionType());
  if (!minion) return false;
  minion->FaceDelta(GetFacingDx(), GetFacingDy());
  minion->SetPosition(cellX, cellY);
  if (!stage->MoveCharacterTo(cellX, cellY, minion)) {
    delete minion;
    return false;
  }
  game->Characters.PushBack(minion);
  char name[128] = {};
  minion->GetName(name, sizeof name);
  Post(Window::Add, SummonedText, name);
  return true;
}

// ---- Animation: the specials' holds, the rising and the fall

void CCharacterAlchemist::TakeOwnHold(std::uint8_t hold) {
  if (!alive || (ownHolds & hold)) return;
  ownHolds |= hold;
  GetStateController()->Hold();
}

void CCharacterAlchemist::ReleaseOwnHold(std::uint8_t hold) {
  if (!(ownHolds & hold)) return;
  ownHolds &= static_cast<std::uint8_t>(~hold);
  GetStateController()->Release();
}

bool CCharacterAlchemist::IsActionEntry(AnimationEntry entry) const {
  return InThrow(entry) || InDrink(entry) || InRise(entry) || CCharacterEnemy::IsActionEntry(entry);
}

void CCharacterAlchemist::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  // Its first fall is a rising: no drop, no death, full HP again.
  const bool rising = entry == AnimationDying && resurrections == 0;
  if (rising) {
    SetPlayingMusicMuted(true);
    actionPoints = 0;
    PlaySe(FallSound);
    hp = GetMaxHP();
    resurrections = 1;
    entry = RiseFirst;
  } else if (entry == AnimationDying && !InFall(animEntry)) {
    StopFloorMusic();
  }
  const AnimationEntry before = animEntry;
  const bool leavesItem = (InThrow(before) && !InThrow(entry)) || (InDrink(before) && !InDrink(entry));
  const bool leavesRise = InRise(before) && !InRise(entry);
  CCharacterEnemy::SetAnimation(entry);

  if (leavesItem) {
    BossAttack();
    ReleaseOwnHold(ItemHold);
  }
  // Taken only now: whatever range it rose from has given its hold back.
  if (rising) TakeOwnHold(RiseHold);
  if (leavesRise) {
    SetPlayingMusicMuted(false);
    ReleaseOwnHold(RiseHold);
    char name[128] = {};
    GetCharacterTypeName(type, name);
    Post(Window::Show, ResurrectedText, name, GetCurrentLanguageText(PhilosophersStoneText));
    PlaySe(RisenSound);
    Flash(255, 255, 0, 160, 160, 0, 4);
  }
  switch (entry) {
    case ThrowFirst:
    case DrinkFirst:
      TakeOwnHold(ItemHold);
      break;
    case RiseSurprise:
      Post(Window::Show, SurpriseText);
      break;
    case FallFlash1:
    case FallFlash2:
      Flash(255, 255, 255, 255, 255, 0, 255);
      break;
    case FallFlash3:
      Flash(255, 255, 255, 255, 4, 10, 4);
      break;
    case FallClears:
      RemoveEveryoneElse();
      break;
    default:
      break;
  }
}

void CCharacterAlchemist::RemoveEveryoneElse() {
  CGameMain* game = GetGameMain();
  // Every monster still standing goes with it, leaving nothing behind; the
  // floor's mining points stay.
  for (CCharacter* c : game->Characters.Walk())
    if (c != this && c != game->Player && c->alive && c->hp > 0 && !c->IsMiningPoint()) c->RemoveFromFloor();
}

void CCharacterAlchemist::TickAnimation() {
  CCharacterEnemy::TickAnimation();
  if (InFall(animEntry)) alpha = 255;
}
