#include "characters/CharacterFactory.h"

#include <algorithm>
#include <array>
#include <iterator>
#include <new>

#include "characters/CCharacterEffect.h"
#include "characters/CCharacterMiningPoint.h"
#include "characters/CCharacterPlayerChild.h"
#include "characters/PlayerClasses.h"
#include "monsters/MonstersGorgonToAlchemist.h"
#include "monsters/MonstersSkeletonToVampire.h"
#include "monsters/MonstersSlimeToManaEater.h"
#include "platform/TextTable.h"
#include "ui/TextCopy.h"

namespace {

using Maker = CCharacter* (*)();

template <class T>
CCharacter* Make() {
  return new (std::nothrow) T;
}

// The classes by type id.
constexpr Maker PlayerClasses[9] = {
    Make<CCharacterFighter>, Make<CCharacterHunter>,   Make<CCharacterDwarf>,
    Make<CCharacterWitch>,   Make<CCharacterValkyrie>, Make<CCharacterNinja>,
    Make<CCharacterKunoichi>, Make<CCharacterElf>,     Make<CCharacterProphet>,
};
constexpr CharacterType FirstMonster = 256;
// Monsters 256-367: 256 + 3 x family + grade - 1. The Treant (364) and the
// Alchemist (367) have one grade; 365 and 366 have a name but no class.
constexpr Maker Monsters[112] = {
    Make<CCharacterSlime1>, Make<CCharacterSlime2>, Make<CCharacterSlime3>,  // 256 Slime 1-3
    Make<CCharacterRat1>, Make<CCharacterRat2>, Make<CCharacterRat3>,  // 259 Rat
    Make<CCharacterKobold1>, Make<CCharacterKobold2>, Make<CCharacterKobold3>,  // 262 Kobold
    Make<CCharacterMushroom1>, Make<CCharacterMushroom2>, Make<CCharacterMushroom3>,  // 265 Mushroom
    Make<CCharacterBat1>, Make<CCharacterBat2>, Make<CCharacterBat3>,  // 268 Bat
    Make<CCharacterFrog1>, Make<CCharacterFrog2>, Make<CCharacterFrog3>,  // 271 Frog
    Make<CCharacterGoblin1>, Make<CCharacterGoblin2>, Make<CCharacterGoblin3>,  // 274 Goblin
    Make<CCharacterSnake1>, Make<CCharacterSnake2>, Make<CCharacterSnake3>,  // 277 Snake
    Make<CCharacterManaEater1>, Make<CCharacterManaEater2>, Make<CCharacterManaEater3>,  // 280 ManaEater
    Make<CCharacterSkeleton1>, Make<CCharacterSkeleton2>, Make<CCharacterSkeleton3>,  // 283 Skeleton
    Make<CCharacterGhost1>, Make<CCharacterGhost2>, Make<CCharacterGhost3>,  // 286 Ghost
    Make<CCharacterImp1>, Make<CCharacterImp2>, Make<CCharacterImp3>,  // 289 Imp
    Make<CCharacterZombie1>, Make<CCharacterZombie2>, Make<CCharacterZombie3>,  // 292 Zombie
    Make<CCharacterMerman1>, Make<CCharacterMerman2>, Make<CCharacterMerman3>,  // 295 Merman
    Make<CCharacterHarpy1>, Make<CCharacterHarpy2>, Make<CCharacterHarpy3>,  // 298 Harpy
    Make<CCharacterWerewolf1>, Make<CCharacterWerewolf2>, Make<CCharacterWerewolf3>,  // 301 Werewolf
    Make<CCharacterSpider1>, Make<CCharacterSpider2>, Make<CCharacterSpider3>,  // 304 Spider
    Make<CCharacterDog1>, Make<CCharacterDog2>, Make<CCharacterDog3>,  // 307 Dog
    Make<CCharacterBee1>, Make<CCharacterBee2>, Make<CCharacterBee3>,  // 310 Bee
    Make<CCharacterLivingArmor1>, Make<CCharacterLivingArmor2>, Make<CCharacterLivingArmor3>,  // 313 LivingArmor
    Make<CCharacterCyclops1>, Make<CCharacterCyclops2>, Make<CCharacterCyclops3>,  // 316 Cyclops
    Make<CCharacterShadow1>, Make<CCharacterShadow2>, Make<CCharacterShadow3>,  // 319 Shadow
    Make<CCharacterMinotaur1>, Make<CCharacterMinotaur2>, Make<CCharacterMinotaur3>,  // 322 Minotaur
    Make<CCharacterSamurai1>, Make<CCharacterSamurai2>, Make<CCharacterSamurai3>,  // 325 Samurai
    Make<CCharacterGorem1>, Make<CCharacterGorem2>, Make<CCharacterGorem3>,  // 328 Gorem
    Make<CCharacterGargoyle1>, Make<CCharacterGargoyle2>, Make<CCharacterGargoyle3>,  // 331 Gargoyle
    Make<CCharacterVampire1>, Make<CCharacterVampire2>, Make<CCharacterVampire3>,  // 334 Vampire
    Make<CCharacterGorgon1>, Make<CCharacterGorgon2>, Make<CCharacterGorgon3>,  // 337 Gorgon
    Make<CCharacterDeath1>, Make<CCharacterDeath2>, Make<CCharacterDeath3>,  // 340 Death
    Make<CCharacterDragon1>, Make<CCharacterDragon2>, Make<CCharacterDragon3>,  // 343 Dragon
    Make<CCharacterDemon1>, Make<CCharacterDemon2>, Make<CCharacterDemon3>,  // 346 Demon
    Make<CCharacterEye1>, Make<CCharacterEye2>, Make<CCharacterEye3>,  // 349 Eye
    Make<CCharacterDoll1>, Make<CCharacterDoll2>, Make<CCharacterDoll3>,  // 352 Doll
    Make<CCharacterPyrolisk1>, Make<CCharacterPyrolisk2>, Make<CCharacterPyrolisk3>,  // 355 Pyrolisk
    Make<CCharacterNecromancer1>, Make<CCharacterNecromancer2>, Make<CCharacterNecromancer3>,  // 358 Necromancer
    Make<CCharacterMimic1>, Make<CCharacterMimic2>, Make<CCharacterMimic3>,  // 361 Mimic
    Make<CCharacterTreant1>, nullptr, nullptr,  // 364 Treant1, 365 and 366 none
    Make<CCharacterAlchemist1>,                 // 367 Alchemist1
};
constexpr CharacterType FirstMiningPoint = 768;
constexpr Maker MiningPoints[4] = {Make<CCharacterMine>, Make<CCharacterBush>, Make<CCharacterTree>,
                                   Make<CCharacterChest>};
constexpr CharacterType FirstTutorialPoint = 784;
// The tutorial's Mine, Bush and Tree: built by the ordinary constructor,
// then given their own type.
constexpr Maker TutorialPoints[3] = {Make<CCharacterMineTutorial>, Make<CCharacterBushTutorial>,
                                     Make<CCharacterTreeTutorial>};
constexpr CharacterType EffectType = 4096;
constexpr Maker Effect = &Make<CCharacterEffect>;
constexpr CharacterType CompanionType = 4097;
constexpr Maker Companion = &Make<CCharacterPlayerChild>;

template <std::size_t N>
Maker MakerIn(const Maker (&table)[N], CharacterType first, CharacterType type) {
  if (type < first || type - first >= static_cast<CharacterType>(N)) return nullptr;
  return table[type - first];
}

Maker MakerOf(CharacterType type) {
  if (Maker maker = MakerIn(PlayerClasses, 0, type)) return maker;
  if (Maker maker = MakerIn(Monsters, FirstMonster, type)) return maker;
  if (Maker maker = MakerIn(MiningPoints, FirstMiningPoint, type)) return maker;
  if (Maker maker = MakerIn(TutorialPoints, FirstTutorialPoint, type)) return maker;
  if (type == EffectType) return Effect;
  if (type == CompanionType) return Companion;
  return nullptr;
}

// The names of the types 368-405: the texts 903-947 without those of the
// types that were dropped.
constexpr std::array<TextId, 38> LaterTypeNames = [] {
  constexpr TextId skipped[] = {904, 906, 907, 911, 915, 916, 936};
  std::array<TextId, 38> names{};
  std::size_t n = 0;
  for (TextId id = 903; n < names.size(); ++id)
    if (std::find(std::begin(skipped), std::end(skipped), id) == std::end(skipped)) names[n++] = id;
  return names;
}();
static_assert(LaterTypeNames[1] == 905 && LaterTypeNames[26] == 935 && LaterTypeNames[37] == 947);

constexpr TextId NoName = -1;

TextId NameTextOf(CharacterType type) {
  if (type >= 0 && type <= 8) return 776 + type;
  if (type == 10) return 785;
  if (type == 80) return 902;
  if (type >= 256 && type <= 367) return 786 + (type - 256);
  if (type >= 368 && type <= 405) return LaterTypeNames[static_cast<std::size_t>(type - 368)];
  if (type >= 768 && type <= 771) return 898 + (type - 768);
  return NoName;
}

}  // namespace

CCharacter* CreateCharacter(CharacterType type) {
  const Maker maker = MakerOf(type);
  if (!maker) return nullptr;
  CCharacter* character = maker();
  if (character && MakerIn(TutorialPoints, FirstTutorialPoint, type)) character->type = type;
  return character;
}

char* GetCharacterTypeName(CharacterType type, char* buffer, std::size_t capacity) {
  const TextId text = NameTextOf(type);
  if (text != NoName && buffer) CopyTextCut(buffer, capacity, GetCurrentLanguageText(text));
  return buffer;
}

void CopyCharacterState(CCharacter* destination, const CCharacter* source) {
  if (!destination || !source || destination == source) return;
  CCharacter& d = *destination;
  const CCharacter& s = *source;
  d.spareFlag = s.spareFlag;
  d.alive = s.alive;
  d.type = s.type;
  d.level = s.level;
  d.exp = s.exp;
  d.satiety = s.satiety;
  d.hp = s.hp;
  d.maxHp = s.maxHp;
  d.attack = s.attack;
  d.defence = s.defence;
  d.magicDamageCut = s.magicDamageCut;
  d.accuracy = s.accuracy;
  d.evasion = s.evasion;
  d.sureHit = s.sureHit;
  d.criticalChance = s.criticalChance;
  d.counterDamagePercent = s.counterDamagePercent;
  d.maxHpX100 = s.maxHpX100;
  d.strength = s.strength;
  d.spareStat = s.spareStat;
  // A class's own DEX and INT stay unless the source has some.
  if (s.dexterity > 0) d.dexterity = s.dexterity;
  if (s.intelligence > 0) d.intelligence = s.intelligence;
  d.meleeAttackType = s.meleeAttackType;
  d.meleeReach = s.meleeReach;
  d.passesWalls = s.passesWalls;
  d.x = s.x;
  d.y = s.y;
  d.prevX = s.prevX;
  d.prevPrevX = s.prevPrevX;
  d.prevY = s.prevY;
  d.prevPrevY = s.prevPrevY;
  d.direction = s.direction;
  std::copy(std::begin(s.extraWords), std::end(s.extraWords), d.extraWords);
  std::copy(std::begin(s.status), std::end(s.status), d.status);
  d.regenAmount = s.regenAmount;
  d.spriteRotation = s.spriteRotation;
  d.spriteScale = s.spriteScale;
  d.moveStep = s.moveStep;
  d.animEntry = s.animEntry;
  d.animTick = s.animTick;
  d.animSpare = s.animSpare;
  d.alpha = s.alpha;
  d.red = s.red;
  d.green = s.green;
  d.blue = s.blue;
  d.actionPoints = s.actionPoints;
  d.regenProgress = s.regenProgress;
  // Not the item count: it must always match the destination's own slots.
  d.selectedItem = s.selectedItem;
}
