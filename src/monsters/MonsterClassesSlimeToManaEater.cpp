// The stats and animation tables of the families Slime to ManaEater.
#include "monsters/MonsterTables.h"

namespace {

template <int N>
constexpr MonsterAnimation Table(std::int16_t rowY, const MonsterFrameRow (&frames)[N]) {
  return {rowY, frames, N};
}

// entry, sheet x, ticks, next
constexpr MonsterFrameRow SlimeFrames[] = {
    {10, 20, 10, 11},  {11, 60, 10, 10},                                        // standing
    {20, 20, 2, 21},   {21, 100, 2, 22}, {22, 140, 4, 23}, {23, 100, 2, 10},    // attack
    {70, 180, 10, 10}, {80, 180, 20, 0},                                        // hurt, dying
};
constexpr MonsterFrameRow KoboldFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 140, 4, 21},  {21, 180, 2, 22}, {22, 220, 4, 23}, {23, 260, 2, 10},
    {70, 300, 10, 10}, {80, 300, 20, 0},
};
constexpr MonsterFrameRow MushroomFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 10},
    {20, 100, 2, 21},  {21, 140, 2, 22}, {22, 180, 4, 23}, {23, 140, 2, 10},
    {30, 220, 4, 31},  {31, 260, 2, 32}, {32, 300, 2, 33}, {33, 220, 4, 34}, {34, 260, 2, 35}, {35, 300, 2, 10},
    {70, 340, 10, 10}, {80, 340, 20, 0},
};
constexpr MonsterFrameRow BatFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 10},
    {20, 60, 2, 21},   {21, 100, 2, 22}, {22, 140, 4, 23}, {23, 100, 2, 10},
    {70, 180, 10, 10}, {80, 180, 20, 0},
};
constexpr MonsterFrameRow FrogFrames[] = {
    {10, 20, 10, 11},  {11, 60, 10, 10},
    {20, 100, 2, 21},  {21, 140, 2, 22}, {22, 180, 2, 23}, {23, 220, 4, 24}, {24, 180, 2, 25}, {25, 140, 2, 10},
    {70, 260, 10, 10}, {80, 260, 20, 0},
};
constexpr MonsterFrameRow GoblinFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 12},  {12, 20, 6, 13},  {13, 100, 6, 10},
    {20, 140, 2, 21},  {21, 180, 2, 22}, {22, 220, 2, 10},
    {30, 140, 2, 31},  {31, 180, 2, 32}, {32, 220, 2, 10},  // the arrow
    {70, 260, 10, 10}, {80, 260, 20, 0},
};
constexpr MonsterFrameRow SnakeFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 10},
    {20, 20, 2, 21},   {21, 100, 2, 22}, {22, 140, 2, 23}, {23, 180, 2, 24}, {24, 140, 2, 25}, {25, 100, 2, 10},
    {70, 220, 10, 10}, {80, 220, 20, 0},
};
constexpr MonsterFrameRow ManaEaterFrames[] = {
    {10, 20, 6, 11},   {11, 60, 6, 10},
    {20, 60, 2, 21},   {21, 100, 2, 22}, {22, 140, 4, 23}, {23, 100, 2, 10},
    {30, 180, 3, 31},  {31, 220, 3, 32}, {32, 180, 3, 33}, {33, 220, 3, 10},  // eating
    {70, 260, 10, 10}, {80, 260, 20, 0},
};

// The Rat moves as the Slime does, a row of its own sheet.
constexpr MonsterAnimation Slime = Table(20, SlimeFrames), Rat = Table(20, SlimeFrames),
                           Kobold = Table(20, KoboldFrames), Mushroom = Table(220, MushroomFrames),
                           Bat = Table(220, BatFrames), Frog = Table(220, FrogFrames),
                           Goblin = Table(220, GoblinFrames), Snake = Table(20, SnakeFrames),
                           ManaEater = Table(220, ManaEaterFrames);

constexpr std::int32_t Translucent = 224;
constexpr std::int32_t Quick = static_cast<std::int32_t>(StatusKind::Quick);

}  // namespace

// type, level, exp, HP, max HP, attack, defence, magic, second attack,
// strike entry, picture, table, then alpha, permanent status, shot entry.
const MonsterClassRow SlimeToManaEaterClasses[] = {
    {256, 1, 1, 10, 10, 6, 5, 0, 0, 22, 38, &Slime, Translucent},
    {257, 9, 26, 60, 60, 21, 12, 0, 0, 22, 39, &Slime, Translucent},
    {258, 29, 850, 95, 95, 115, 47, 0, 0, 22, 40, &Slime, Translucent},
    {259, 1, 1, 14, 14, 7, 5, 0, 0, 22, 47, &Rat},
    {260, 4, 6, 29, 29, 13, 9, 0, 0, 22, 48, &Rat},
    {261, 13, 61, 80, 80, 43, 16, 0, 0, 22, 49, &Rat},
    {262, 2, 2, 16, 16, 8, 5, 0, 0, 21, 68, &Kobold},
    {263, 10, 29, 67, 67, 26, 17, 0, 0, 21, 69, &Kobold},
    {264, 25, 590, 110, 110, 141, 32, 0, 0, 21, 70, &Kobold},
    {265, 3, 3, 22, 22, 9, 8, 0, 0, 22, 41, &Mushroom},
    {266, 11, 40, 66, 66, 29, 17, 0, 0, 22, 42, &Mushroom},
    {267, 17, 144, 80, 80, 55, 23, 0, 0, 22, 43, &Mushroom},
    {268, 4, 5, 28, 28, 14, 8, 0, 0, 22, 44, &Bat},
    {269, 12, 56, 86, 86, 34, 15, 0, 0, 22, 45, &Bat, 255, Quick},
    {270, 24, 500, 130, 130, 112, 28, 0, 0, 22, 46, &Bat, 255, Quick},
    {271, 5, 7, 35, 35, 14, 9, 0, 0, 23, 56, &Frog},
    {272, 14, 81, 70, 70, 49, 22, 0, 0, 23, 57, &Frog},
    {273, 21, 290, 110, 110, 91, 24, 0, 0, 23, 58, &Frog},
    {274, 6, 9, 47, 47, 14, 9, 0, 14, 22, 68, &Goblin, 255, -1, 32},
    {275, 11, 42, 50, 50, 37, 21, 0, 37, 22, 69, &Goblin, 255, -1, 32},
    {276, 25, 580, 105, 105, 139, 31, 0, 139, 22, 70, &Goblin, 255, -1, 32},
    {277, 7, 13, 50, 50, 18, 12, 0, 0, 23, 44, &Snake},
    {278, 15, 100, 120, 120, 35, 18, 0, 0, 23, 46, &Snake},
    {279, 23, 430, 150, 150, 81, 28, 0, 0, 23, 45, &Snake},
    {280, 8, 19, 50, 50, 18, 13, 0, 0, 23, 50, &ManaEater},
    {281, 15, 92, 50, 50, 29, 33, 0, 0, 23, 51, &ManaEater},
    {282, 22, 330, 75, 75, 52, 35, 0, 0, 23, 52, &ManaEater},
    {-1, 0, 0, 0, 0, 0, 0, 0, 0, -1, 0, nullptr},
};
