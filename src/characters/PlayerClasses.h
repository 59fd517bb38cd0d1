#pragma once
// The nine player classes, by their CharacterType 0-8. Each takes its
// numbers from one table row (stats, growth, sprite sheet, starting kit) and
// its body says only what makes the class: the perks it overrides.
#include <algorithm>
#include <cstdint>

#include "characters/CCharacterPlayer.h"

// One row per class, read by the class's constructor, growth and kit.
struct PlayerClassRow {
  struct KitItem {
    std::int32_t Id = -1;  // -1 ends the kit
    std::int32_t Count = 0;
    std::int32_t Charges = 0;  // the charge capacity of a wand; 0 keeps its own
    bool Wear = false;         // asked to be worn once carried
  };
  CharacterType Type;
  std::int32_t Hp;
  std::int32_t MaxHpX100;
  std::int32_t LevelUpGain;  // hundredths of maximum HP per level
  std::int32_t LevelDownLoss;
  std::int32_t Str, Dex, Int, SpareStat, Attack;
  std::uint16_t Sheet;  // PictureId of the 512 x 512 sprite sheet
  std::uint16_t SheetResource;
  KitItem Kit[6];  // entries not listed end the kit
};

// The row of a class; null outside 0-8.
const PlayerClassRow* FindPlayerClassRow(CharacterType type);

// A class's constructor: the row's numbers, an empty inventory, the trigger
// entries and frame table on the class's sheet, and one reference on it.
void SetUpPlayerClass(CCharacterPlayer& player, const PlayerClassRow& row);
// A class's destructor: gives the sheet's reference back.
void ReleasePlayerClassSheet(const PlayerClassRow& row);
// Creates the row's starting items; each is carried, then worn if it can be.
void GivePlayerKit(CCharacterPlayer& player, const PlayerClassRow& row);

// What the nine classes share: the row's numbers, the frame table on the
// class's sheet, which stays loaded while any of its players lives, and the
// growth and kit of the row.
template <CharacterType Type>
class CPlayerClass : public CCharacterPlayer {
public:
  CPlayerClass() { SetUpPlayerClass(*this, Row()); }
  ~CPlayerClass() override { ReleasePlayerClassSheet(Row()); }
  void LevelUp() override { GrowLevel(Row().LevelUpGain); }
  void LevelDown() override { ShrinkLevel(Row().LevelDownLoss); }
  // Called once by the new-game set-up, which then clamps HP.
  void GiveStartingItems() override { GivePlayerKit(*this, Row()); }

private:
  static const PlayerClassRow& Row() { return *FindPlayerClassRow(Type); }
};

// Melee and shot power +20 %.
class CCharacterFighter : public CPlayerClass<0> {
public:
  int GetMeleePower() const override { return Boosted(CCharacterPlayer::GetMeleePower()); }
  int GetShotPower() const override { return Boosted(CCharacterPlayer::GetShotPower()); }

private:
  // In 64 bits, and held at the top of an int as the other powers are.
  static int Boosted(int power) {
    return static_cast<int>(std::clamp<std::int64_t>(std::int64_t{power} * 120 / 100, INT32_MIN, INT32_MAX));
  }
};

// Arrows break 30 % less often.
class CCharacterHunter : public CPlayerClass<1> {
public:
  int GetArrowKeepChance() const override { return 100 + (CCharacterPlayer::GetArrowKeepChance() - 100) * 70 / 100; }
};

// Regenerates 50 % faster.
class CCharacterDwarf : public CPlayerClass<2> {
public:
  int GetHpRegenRate() const override { return CCharacterPlayer::GetHpRegenRate() * 150 / 100; }
};

// Magic power +20 %.
class CCharacterWitch : public CPlayerClass<3> {
public:
  int GetMagicPower() const override { return CCharacterPlayer::GetMagicPower() * 120 / 100; }
};

// A quarter of every blow that would hit misses.
class CCharacterValkyrie : public CPlayerClass<4> {
public:
  int GetEvasion() const override { return 100 + (CCharacterPlayer::GetEvasion() - 100) * 75 / 100; }
};

// Critical hits 25 points likelier, in melee and with shots; two actions
// more than the others.
class CCharacterNinja : public CPlayerClass<5> {
public:
  CCharacterNinja();
  int GetCriticalChance() const override { return CCharacterPlayer::GetCriticalChance() + 25; }
  int GetShotCriticalChance() const override { return CCharacterPlayer::GetShotCriticalChance() + 25; }
};

// Blows and shots always hit.
class CCharacterKunoichi : public CPlayerClass<6> {
public:
  bool HasSureHit() const override { return true; }
  bool HasShotSureHit() const override { return true; }
};

// Crafts 20 % more arrows and wand charges.
class CCharacterElf : public CPlayerClass<7> {
public:
  int GetHalfDex() const override { return GetDex() * 12 / 10 / 2; }
  int GetHalfInt() const override { return GetInt() * 12 / 10 / 2; }
};

// Knows where the monsters are, and blows and shots always hit.
class CCharacterProphet : public CPlayerClass<8> {
public:
  bool HasTelepathy() const override { return true; }
  bool HasSureHit() const override { return true; }
  bool HasShotSureHit() const override { return true; }
};
