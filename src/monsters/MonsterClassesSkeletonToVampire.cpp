// The stats and animation tables of the families Skeleton to Vampire.
#include "monsters/MonsterTables.h"

namespace {

template <int N>
constexpr MonsterAnimation Table(std::int16_t rowY, const MonsterFrameRow (&frames)[N]) {
  return {rowY, frames, N};
}

// entry, sheet x, ticks, next
constexpr MonsterFrameRow SkeletonFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},  // standing
    {20, 20, 2, 21},   {21, 140, 2, 22}, {22, 180, 4, 23}, {23, 140, 2, 10},  // attack
    {70, 220, 10, 10}, {80, 220, 20, 0},                                      // hurt, dying
};
constexpr MonsterFrameRow GhostFrames[] = {
    {10, 20, 10, 11},  {11, 60, 10, 12}, {12, 20, 10, 13}, {13, 60, 10, 10},
    {20, 100, 4, 21},  {21, 140, 8, 10},
    {30, 100, 4, 31},  {31, 140, 8, 10},  // ghost fire
    {70, 180, 10, 10}, {80, 180, 20, 0},
};
constexpr MonsterFrameRow ZombieFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 140, 4, 21},  {21, 180, 2, 22}, {22, 220, 6, 23}, {23, 180, 2, 10},
    {90, 20, 255, 10},  // rising: the fade-in ends it first
    {70, 260, 10, 10}, {80, 260, 20, 0},
};
constexpr MonsterFrameRow MermanFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 140, 2, 21},  {21, 180, 2, 22}, {22, 220, 4, 23}, {23, 180, 2, 10},
    {70, 260, 10, 10}, {80, 260, 20, 0},
};
constexpr MonsterFrameRow HarpyFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 60, 6, 10},
    {20, 100, 4, 21},  {21, 140, 2, 22}, {22, 180, 4, 23}, {23, 140, 2, 10},
    {70, 220, 10, 10}, {80, 220, 20, 0},
};
constexpr MonsterFrameRow WerewolfFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 140, 2, 21},  {21, 180, 1, 22}, {22, 220, 2, 23}, {23, 260, 2, 24}, {24, 300, 1, 25}, {25, 340, 2, 10},
    {70, 380, 10, 10}, {80, 380, 20, 0},
};
constexpr MonsterFrameRow SpiderFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 60, 6, 10},
    {20, 100, 4, 21},  {21, 140, 2, 22}, {22, 100, 4, 23}, {23, 100, 2, 10},
    {30, 180, 4, 31},  {31, 220, 4, 32}, {32, 180, 4, 33}, {33, 220, 4, 10},  // the web
    {70, 260, 10, 10}, {80, 260, 20, 0},
};
constexpr MonsterFrameRow DogFrames[] = {
    {10, 20, 8, 11},   {11, 60, 8, 12},  {12, 20, 8, 13},  {13, 60, 8, 10},
    {20, 100, 2, 21},  {21, 140, 2, 22}, {22, 180, 4, 23}, {23, 140, 2, 24}, {24, 100, 2, 25}, {25, 60, 2, 10},
    {70, 220, 10, 10}, {80, 220, 20, 0},
};
constexpr MonsterFrameRow BeeFrames[] = {
    {10, 20, 4, 11},   {11, 60, 4, 12},  {12, 20, 4, 13},  {13, 60, 4, 10},
    {20, 100, 4, 21},  {21, 60, 2, 22},  {22, 140, 2, 23}, {23, 180, 4, 24}, {24, 140, 2, 10},
    {70, 220, 10, 10}, {80, 220, 20, 0},
};
constexpr MonsterFrameRow LivingArmorFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 140, 4, 21},  {21, 180, 2, 22}, {22, 220, 4, 23}, {23, 260, 2, 10},
    {60, 340, 4, 10},  // the guard pose
    {70, 300, 10, 10}, {80, 300, 20, 0},
};
constexpr MonsterFrameRow CyclopsFrames[] = {
    {10, 20, 8, 11},   {11, 60, 8, 12},  {12, 20, 8, 13},  {13, 100, 8, 10},
    {20, 140, 1, 21},  {21, 180, 1, 22}, {22, 140, 1, 23}, {23, 180, 1, 24}, {24, 220, 6, 10},
    {70, 260, 10, 10}, {80, 260, 20, 0},
};
constexpr MonsterFrameRow ShadowFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 100, 6, 13}, {13, 60, 6, 10},
    {20, 140, 2, 21},  {21, 180, 2, 22}, {22, 220, 2, 23}, {23, 260, 2, 24},
    {24, 260, 2, 25},  {25, 220, 2, 26}, {26, 180, 2, 27}, {27, 140, 2, 10},
    {29, 20, 10, 20},  {79, 300, 10, 70},  // appearing, before an attack and when hurt
    {70, 300, 10, 10}, {80, 300, 20, 0},
};
constexpr MonsterFrameRow MinotaurFrames[] = {
    {10, 20, 8, 11},   {11, 60, 8, 12},  {12, 20, 8, 13},  {13, 100, 8, 10},
    {20, 140, 4, 21},  {21, 180, 2, 22}, {22, 220, 2, 23}, {23, 260, 2, 10},
    {70, 300, 10, 10}, {80, 300, 20, 0},
};
constexpr MonsterFrameRow SamuraiFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 180, 4, 21},  {21, 220, 2, 22}, {22, 260, 3, 23}, {23, 300, 2, 10},
    {70, 140, 10, 10}, {80, 140, 20, 0},
};
constexpr MonsterFrameRow GoremFrames[] = {
    {10, 20, 8, 11},   {11, 60, 8, 12},  {12, 20, 8, 13},  {13, 100, 8, 10},
    {20, 140, 2, 21},  {21, 180, 2, 22}, {22, 140, 2, 23}, {23, 220, 2, 24}, {24, 260, 4, 25}, {25, 220, 2, 10},
    {70, 300, 10, 10}, {80, 300, 20, 0},
};
constexpr MonsterFrameRow GargoyleFrames[] = {
    {10, 20, 8, 11},   {11, 60, 8, 12},  {12, 20, 8, 13},  {13, 60, 8, 10},
    {20, 100, 4, 21},  {21, 140, 2, 22}, {22, 180, 2, 23}, {23, 140, 2, 10},
    {70, 220, 10, 10}, {80, 220, 20, 0},
};
constexpr MonsterFrameRow VampireFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 60, 6, 10},
    {20, 100, 4, 21},  {21, 140, 8, 10},
    {30, 100, 4, 31},  {31, 140, 8, 10},  // the spell
    {70, 180, 10, 10}, {80, 180, 20, 0},
};

// The Imp moves as the Skeleton does, in the same row of its own sheet.
constexpr MonsterAnimation Skeleton = Table(220, SkeletonFrames), Imp = Table(220, SkeletonFrames),
                           Ghost = Table(20, GhostFrames), Zombie = Table(20, ZombieFrames),
                           Merman = Table(220, MermanFrames), Harpy = Table(20, HarpyFrames),
                           Werewolf = Table(20, WerewolfFrames), Spider = Table(20, SpiderFrames),
                           Dog = Table(20, DogFrames), Bee = Table(20, BeeFrames),
                           LivingArmor = Table(20, LivingArmorFrames), Cyclops = Table(20, CyclopsFrames),
                           Shadow = Table(20, ShadowFrames), Minotaur = Table(220, MinotaurFrames),
                           Samurai = Table(20, SamuraiFrames), Gorem = Table(20, GoremFrames),
                           Gargoyle = Table(20, GargoyleFrames), Vampire = Table(220, VampireFrames);

constexpr std::int32_t Quick = static_cast<std::int32_t>(StatusKind::Quick);
constexpr std::int32_t Invisible = static_cast<std::int32_t>(StatusKind::Invisible);
constexpr AnimationEntry CastEntry = 31;

}  // namespace

// type, level, exp, HP, max HP, attack, defence, magic, second attack,
// strike entry, picture, table, then alpha, permanent status, shot entry.
const MonsterClassRow SkeletonToVampireClasses[] = {
    {283, 1, 1, 15, 15, 9, 2, 0, 0, 22, 38, &Skeleton},
    {284, 9, 23, 70, 70, 23, 13, 0, 0, 22, 39, &Skeleton},
    {285, 23, 399, 150, 150, 102, 21, 0, 0, 22, 40, &Skeleton},
    {286, 3, 4, 25, 25, 6, 6, 8, 0, 21, 50, &Ghost, 255, -1, CastEntry},
    {287, 10, 28, 50, 50, 15, 15, 17, 0, 21, 51, &Ghost, 255, -1, CastEntry},
    {288, 27, 780, 120, 120, 60, 31, 40, 0, 21, 52, &Ghost, 255, -1, CastEntry},
    {289, 3, 4, 26, 26, 7, 10, 0, 0, 22, 47, &Imp},
    {290, 11, 38, 60, 60, 33, 15, 0, 0, 22, 48, &Imp},
    {291, 23, 400, 90, 90, 87, 32, 0, 0, 22, 49, &Imp},
    {292, 12, 48, 140, 140, 22, 5, 0, 0, 22, 65, &Zombie},
    {293, 19, 220, 200, 200, 61, 4, 0, 0, 22, 66, &Zombie},
    {294, 27, 760, 300, 300, 105, 8, 0, 0, 22, 67, &Zombie},
    {295, 4, 7, 35, 35, 10, 10, 0, 0, 22, 59, &Merman},
    {296, 13, 59, 100, 100, 34, 17, 0, 0, 22, 60, &Merman},
    {297, 26, 680, 130, 130, 132, 32, 0, 0, 22, 61, &Merman},
    {298, 6, 11, 54, 54, 9, 7, 0, 0, 22, 53, &Harpy, 255, Quick},
    {299, 14, 76, 70, 70, 29, 18, 0, 0, 22, 54, &Harpy, 255, Quick},
    {300, 27, 720, 120, 120, 100, 28, 0, 0, 22, 55, &Harpy, 255, Quick},
    {301, 15, 96, 83, 83, 30, 19, 0, 0, 22, 77, &Werewolf},
    {302, 21, 300, 75, 75, 54, 33, 0, 0, 22, 78, &Werewolf},
    {303, 26, 710, 100, 100, 91, 31, 0, 0, 22, 79, &Werewolf},
    {304, 5, 8, 30, 30, 9, 14, 0, 0, 22, 41, &Spider},
    {305, 16, 114, 100, 100, 38, 23, 0, 0, 22, 42, &Spider},
    {306, 24, 490, 80, 80, 71, 43, 0, 0, 22, 43, &Spider},
    {307, 2, 2, 15, 15, 4, 2, 0, 0, 22, 92, &Dog, 255, Quick},
    {308, 10, 32, 70, 70, 18, 13, 0, 0, 21, 93, &Dog, 255, Quick},
    {309, 22, 360, 90, 90, 59, 30, 0, 0, 21, 94, &Dog, 255, Quick},
    {310, 5, 9, 40, 40, 11, 8, 0, 0, 23, 74, &Bee},
    {311, 18, 178, 90, 90, 65, 23, 0, 0, 23, 75, &Bee},
    {312, 25, 610, 120, 120, 111, 26, 0, 0, 23, 76, &Bee},
    {313, 6, 10, 50, 50, 16, 9, 0, 0, 22, 59, &LivingArmor},
    {314, 18, 180, 100, 100, 61, 23, 0, 0, 22, 60, &LivingArmor},
    {315, 29, 1000, 120, 120, 174, 33, 0, 0, 22, 61, &LivingArmor},
    {316, 7, 15, 80, 80, 20, 1, 0, 0, 24, 80, &Cyclops},
    {317, 17, 145, 180, 180, 60, 9, 0, 0, 24, 81, &Cyclops},
    {318, 28, 850, 280, 280, 180, 13, 0, 0, 24, 82, &Cyclops},
    {319, 7, 14, 52, 52, 17, 11, 0, 0, 24, 86, &Shadow, 255, Invisible},
    {320, 21, 310, 83, 83, 76, 31, 0, 0, 24, 87, &Shadow, 255, Invisible},
    {321, 28, 830, 110, 110, 132, 35, 0, 0, 24, 88, &Shadow, 255, Invisible},
    {322, 8, 21, 60, 60, 20, 15, 0, 0, 21, 53, &Minotaur},
    {323, 20, 260, 95, 95, 73, 31, 0, 0, 21, 54, &Minotaur},
    {324, 29, 900, 120, 120, 174, 39, 0, 0, 21, 55, &Minotaur},
    {325, 8, 22, 70, 70, 19, 10, 0, 0, 21, 89, &Samurai},
    {326, 19, 210, 140, 140, 73, 16, 0, 0, 21, 90, &Samurai},
    {327, 30, 1150, 180, 180, 194, 26, 0, 0, 21, 91, &Samurai},
    {328, 9, 25, 66, 66, 13, 30, 0, 0, 24, 62, &Gorem},
    {329, 17, 149, 90, 90, 39, 36, 0, 0, 24, 63, &Gorem},
    {330, 26, 700, 90, 90, 72, 55, 0, 0, 24, 64, &Gorem},
    {331, 12, 51, 50, 50, 25, 36, 0, 0, 22, 95, &Gargoyle},
    {332, 20, 250, 70, 70, 63, 43, 0, 0, 22, 96, &Gargoyle},
    {333, 28, 800, 90, 90, 137, 47, 0, 0, 22, 97, &Gargoyle},
    {334, 13, 64, 90, 90, 25, 14, 18, 0, 21, 65, &Vampire, 255, -1, CastEntry},
    {335, 20, 270, 120, 120, 55, 21, 26, 0, 21, 66, &Vampire, 255, -1, CastEntry},
    {336, 31, 1300, 140, 140, 120, 32, 40, 0, 21, 67, &Vampire, 255, -1, CastEntry},
    {-1, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, nullptr},
};
