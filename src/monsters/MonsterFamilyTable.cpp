// Every family's sheets, drops and combat constants, one row each, in type
// order (256 + 3 x family + grade - 1).
#include <iterator>

#include "monsters/MonsterTables.h"

namespace {

// The drops.
constexpr ItemId MonsterMeat = 0x700, Leather = 0x823, CobaltOre = 0x81a, Mushroom = 0x816, Scale = 0x60c,
                 ManaStone = 0x80f, MythrilOre = 0x804, SilverOre = 0x803, IronOre = 0x802, Stone = 0x800,
                 GoldOre = 0x81b, DemonBlood = 0x910, TailOfDemon = 0x60b, Feather = 0x610, BeastTusk = 0x60f,
                 SamuraiSoul = 0x60e, GorgonHead = 0x611, DragonScale = 0x60d, Cotton = 0x817, Fabric = 0x818,
                 Stick = 0x811, Wood = 0x810, GoldenApple = 0x819, SilverCrystal = 0xd05;
constexpr DropRoll End = {0, NoItem};

constexpr DropRoll NoDrop[] = {End};
constexpr DropRoll DefaultDrop[] = {{10, MonsterMeat}, End};
constexpr DropRoll LeatherOrMeat[] = {{10, Leather}, {10, MonsterMeat}, End};
constexpr DropRoll KoboldDrop[] = {{5, CobaltOre}, {10, Leather}, {10, MonsterMeat}, End};
constexpr DropRoll MushroomDrop[] = {{10, Mushroom}, End};
constexpr DropRoll SnakeDrop[] = {{2, Scale}, {10, Leather}, {10, MonsterMeat}, End};
constexpr DropRoll ManaEaterDrop[] = {{10, ManaStone}, End};
constexpr DropRoll MetalEaterDrop[] = {{2, MythrilOre}, {3, SilverOre}, {6, IronOre}, End};
constexpr DropRoll DemonDrop[] = {{1, DemonBlood}, {2, TailOfDemon}, {10, MonsterMeat}, End};
constexpr DropRoll MermanDrop[] = {{2, Scale}, {10, MonsterMeat}, End};
constexpr DropRoll HarpyDrop[] = {{2, Feather}, {10, MonsterMeat}, End};
constexpr DropRoll BeastDrop[] = {{2, BeastTusk}, {10, Leather}, {10, MonsterMeat}, End};
constexpr DropRoll SamuraiDrop[] = {{2, SamuraiSoul}, {10, MonsterMeat}, End};
constexpr DropRoll StoneDrop[] = {{10, Stone}, End};
constexpr DropRoll IronOreDrop[] = {{10, IronOre}, End};
constexpr DropRoll GoldOreDrop[] = {{2, GoldOre}, End};
constexpr DropRoll GorgonDrop[] = {{2, GorgonHead}, {3, Scale}, {10, MonsterMeat}, End};
constexpr DropRoll DragonDrop[] = {{2, DragonScale}, {10, Leather}, {10, MonsterMeat}, End};
constexpr DropRoll DollDrop[] = {{10, Cotton}, {5, Fabric}, End};
constexpr DropRoll PyroliskDrop[] = {{2, Feather}, {10, Leather}, {10, MonsterMeat}, End};
constexpr DropRoll TreantDrop[] = {{5, Stick}, {5, Wood}, {3, GoldenApple}, End};
constexpr DropRoll AlchemistDrop[] = {{DropAlways, SilverCrystal}, End};

constexpr std::uint8_t AllGrades = 0b111;
constexpr std::int32_t Slow = static_cast<std::int32_t>(StatusKind::Slow);
constexpr std::int32_t Confuse = static_cast<std::int32_t>(StatusKind::Confuse);
constexpr std::int32_t Poison = static_cast<std::int32_t>(StatusKind::Poison);
constexpr std::int32_t Paralyze = static_cast<std::int32_t>(StatusKind::Paralyze);
constexpr std::int32_t Weakness = static_cast<std::int32_t>(StatusKind::Weakness);

#define SAME3(x) {x, x, x}

constexpr MonsterFamilyRow Families[MonsterFamilyCount] = {
    {.Name = "Slime", .Sheets = {38, 39, 40}, .Drops = SAME3(DefaultDrop), .PoisonousGrades = 0b110,
     .OnHit = {{Slow, {0, 30, 40}}}, .Sounds = {{20, 33}}},
    {.Name = "Rat", .Sheets = {47, 48, 49}, .Drops = SAME3(LeatherOrMeat), .Sounds = {{20, 28}}},
    {.Name = "Kobold", .Sheets = {68, 69, 70}, .Drops = SAME3(KoboldDrop), .Sounds = {{21, 55}}},
    {.Name = "Mushroom", .Sheets = {41, 42, 43}, .Drops = SAME3(MushroomDrop), .PoisonousGrades = AllGrades,
     .Sounds = {{20, 21}, {31, 21}, {34, 21}}},
    {.Name = "Bat", .Sheets = {44, 45, 46}, .Drops = SAME3(LeatherOrMeat), .RandomMoveChance = 50,
     .Sounds = {{20, 10}}},
    {.Name = "Frog", .Sheets = {56, 57, 58}, .Drops = SAME3(LeatherOrMeat), .Sounds = {{20, 17}}},
    {.Name = "Goblin", .Sheets = {68, 69, 70}, .Drops = SAME3(DefaultDrop), .Sounds = {{20, 49}, {30, 49}}},
    {.Name = "Snake", .Sheets = {44, 46, 45}, .Drops = SAME3(SnakeDrop), .PoisonousGrades = AllGrades,
     .Dragon = true, .OnHit = {{Poison, {30, 40, 50}}}, .Sounds = {{20, 30}}},
    {.Name = "ManaEater", .Sheets = {50, 51, 52}, .Drops = {ManaEaterDrop, MetalEaterDrop, MetalEaterDrop},
     .Sounds = {{20, 59}, {30, 60}, {32, 60}}},
    {.Name = "Skeleton", .Sheets = {38, 39, 40}, .Drops = SAME3(NoDrop), .Sounds = {{20, 76}, {21, 76}, {22, 76}}},
    {.Name = "Ghost", .Sheets = {50, 51, 52}, .Drops = SAME3(NoDrop), .Sounds = {{30, 18}}},
    {.Name = "Imp", .Sheets = {47, 48, 49}, .Drops = SAME3(DemonDrop), .PoisonousGrades = AllGrades,
     .OnHit = {{Confuse, {20, 25, 30}}}, .Sounds = {{20, 69}}},
    {.Name = "Zombie", .Sheets = {65, 66, 67}, .Drops = SAME3(NoDrop), .PoisonousGrades = AllGrades,
     .FireDamageCut = -100, .OnHit = {{Weakness, {30, 35, 40}}}, .LongWeakness = true, .Sounds = {{20, 67}}},
    {.Name = "Merman", .Sheets = {59, 60, 61}, .Drops = SAME3(MermanDrop), .Sounds = {{20, 17}}},
    {.Name = "Harpy", .Sheets = {53, 54, 55}, .Drops = SAME3(HarpyDrop), .Sounds = {{20, 77}}},
    {.Name = "Werewolf", .Sheets = {77, 78, 79}, .Drops = SAME3(BeastDrop), .AlwaysDoubleAttack = true,
     .Sounds = {{21, 61}, {24, 61}}},
    {.Name = "Spider", .Sheets = {41, 42, 43}, .Drops = SAME3(DefaultDrop), .PoisonousGrades = AllGrades,
     .Sounds = {{20, 78}, {30, 79}, {32, 79}}},
    {.Name = "Dog", .Sheets = {92, 93, 94}, .Drops = SAME3(BeastDrop), .Sounds = {{20, 12}}},
    {.Name = "Bee", .Sheets = {74, 75, 76}, .Drops = SAME3(DefaultDrop), .PoisonousGrades = AllGrades,
     .OnHit = {{Poison, {0, 30, 40}}, {Paralyze, {30, 40, 50}}}, .SparesParalyzedPlayer = true,
     .Sounds = {{20, 56}, {21, 56}, {22, 56}}},
    {.Name = "LivingArmor", .Sheets = {59, 60, 61}, .Drops = SAME3(NoDrop), .GuardChance = 30, .Sounds = {{20, 72}}},
    {.Name = "Cyclops", .Sheets = {80, 81, 82}, .Drops = SAME3(LeatherOrMeat), .Sounds = {{20, 40}}},
    {.Name = "Shadow", .Sheets = {86, 87, 88}, .Drops = SAME3(DefaultDrop),
     .Sounds = {{20, 57}, {22, 57}, {24, 57}, {26, 57}, {29, 58}, {79, 58}}},
    {.Name = "Minotaur", .Sheets = {53, 54, 55}, .Drops = SAME3(LeatherOrMeat), .Sounds = {{21, 66}}},
    {.Name = "Samurai", .Sheets = {89, 90, 91}, .Drops = SAME3(SamuraiDrop), .CriticalChance = 30,
     .Sounds = {{20, 68}}},
    {.Name = "Gorem", .Sheets = {62, 63, 64}, .Drops = {NoDrop, StoneDrop, IronOreDrop}, .StatusResistance = 100,
     .Sounds = {{20, 63}}},
    {.Name = "Gargoyle", .Sheets = {95, 96, 97}, .Drops = {StoneDrop, NoDrop, GoldOreDrop}, .HoldsStillUnhurt = true,
     .Sounds = {{20, 75}}},
    {.Name = "Vampire", .Sheets = {65, 66, 67}, .Drops = SAME3(DefaultDrop), .PoisonousGrades = AllGrades,
     .Sounds = {{30, 70}}},
    {.Name = "Gorgon", .Sheets = {62, 63, 64}, .Drops = SAME3(GorgonDrop), .PoisonousGrades = AllGrades,
     .Sounds = {{20, 64}, {30, 65}}},
    {.Name = "Death", .Sheets = {56, 57, 58}, .Drops = SAME3(NoDrop), .Sounds = {{23, 62}}},
    {.Name = "Dragon", .Sheets = {71, 72, 73}, .Drops = SAME3(DragonDrop), .Dragon = true,
     .Sounds = {{21, 80}, {30, 15}}},
    {.Name = "Demon", .Sheets = {83, 84, 85}, .Drops = SAME3(DemonDrop), .Sounds = {{22, 74}}},
    {.Name = "Eye", .Sheets = {98, 99, 100}, .Drops = SAME3(DefaultDrop), .CounterParalyzeTurns = {4, 5, 6},
     .Sounds = {{20, 81}, {72, 65}, {74, 65}}},
    {.Name = "Doll", .Sheets = {101, 102, 103}, .Drops = SAME3(DollDrop), .CounterDamagePercent = 20,
     .Sounds = {{21, 36}}},
    {.Name = "Pyrolisk", .Sheets = {104, 105, 106}, .Drops = SAME3(PyroliskDrop), .FireDamageCut = 100,
     .Sounds = {{20, 84}, {21, 84}, {30, 65}}},
    {.Name = "Necromancer", .Sheets = {107, 108, 109}, .ExtraSheets = {65, 66, 67}, .Drops = SAME3(DefaultDrop),
     .SummonType = {292, 293, 294}, .Sounds = {{20, 82}, {30, 65}}},
    {.Name = "Mimic", .Sheets = {110, 111, 112}, .Drops = SAME3(NoDrop), .Sounds = {{20, 75}, {23, 75}}},
    {.Name = "Treant", .Sheets = {113, -1, -1}, .Drops = {TreantDrop, NoDrop, NoDrop}, .Sounds = {{20, 75}}},
    {.Name = "Alchemist", .Sheets = {116, -1, -1}, .ExtraSheets = {38, -1, -1}, .Drops = {AlchemistDrop, NoDrop, NoDrop},
     .StatusResistance = 100, .DeathResistance = 100, .Sounds = {{20, 82}}},
};

#undef SAME3

}  // namespace

const MonsterFamilyRow* FindMonsterFamily(CharacterType type) {
  if (type < FirstMonsterType || type > LastMonsterType) return nullptr;
  return &Families[(type - FirstMonsterType) / 3];
}

int MonsterGrade(CharacterType type) {
  if (type < FirstMonsterType || type > LastMonsterType) return 0;
  return (type - FirstMonsterType) % 3 + 1;
}
