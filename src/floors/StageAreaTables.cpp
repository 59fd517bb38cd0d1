#include "floors/StageAreaTables.h"

namespace {

using K = AreaKind;
using G = AreaGround;
using P = AreaPictures;

constexpr AreaKindRow AreaKinds[AreaKindCount] = {
    // AreaId  music  overlay  red  green  blue  bands  blend
    {300, 0, 1, 64, 64, 32, 24, 2},      // Grass, Grass1
    {301, 1, 1, 255, 255, 255, 24, 0},   // Lake, Lake1
    {302, 2, 2, 24, 24, 32, 24, 0},      // Cave1
    {303, 3, 2, 24, 24, 24, 24, 0},      // Cave2
    {304, 7, 1, 64, 64, 48, 16, 2},      // Castle1
    {305, 7, 2, 32, 32, 32, 24, 0},      // Castle2
    {306, 5, 1, 128, 64, 0, 24, 2},      // Desert1
    {307, 4, 2, 32, 32, 128, 16, 0},     // Ice1
    {308, 11, 1, 128, 128, 128, 24, 2},  // Mountain, Mountain1
    {309, 10, 1, 192, 192, 255, 16, 0},  // SnowField1
    {310, 6, 2, 96, 0, 0, 32, 0},        // Volcano1
    {311, 13, 1, 80, 80, 80, 20, 2},     // Tower1
    {312, 14, 1, 80, 80, 80, 20, 2},     // Tower2
    {313, 15, 1, 96, 96, 48, 16, 2},     // Tower3
    {314, 16, 2, 16, 0, 32, 16, 0},      // Tower4
    {316, 17, 2, 32, 16, 32, 20, 0},     // Lab1
    {316, 12, 2, 32, 16, 32, 20, 0},     // Boss1
};

constexpr AreaPictureSet PictureSets[] = {
    {130, 32, 130, 32},  // plain
    {367, 8, -1, 0},     // cave
    {361, 32, -1, 0},    // Tower1
    {130, 32, 362, 512}, // Tower2
    {130, 32, 363, 512}, // Tower3
    {130, 32, 364, 512}, // Tower4
    {130, 32, 366, 512}, // Lab
};

constexpr AreaCountRule R(std::int32_t range, std::int32_t base) { return {range, base}; }

constexpr AreaClassRow AreaClasses[AreaClassCount] = {
    // kind  light  monster house  traps  view  mines trees bushes  extra  ground  pictures  tint
    {K::Grass, 2, 0, R(1, 0), 1, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},       // Lite1Grass
    {K::Lake, 2, 0, R(2, 1), 1, 1, 1, 1, R(3, 3), G::Lake, P::Plain, 255, 255, 255},         // Lite1Lake
    {K::Cave1, 1, 1280, R(3, 1), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},  // Lite1Cave1
    {K::Cave2, 1, 1280, R(3, 2), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},  // Lite1Cave2
    {K::Ice1, 1, 1280, R(3, 3), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},   // Lite1Ice1
    {K::Grass, 2, 0, R(1, 0), 1, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},       // Level1Grass
    {K::Cave1, 1, 0, R(3, 1), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},    // Level1Cave1
    {K::Lake, 2, 0, R(1, 0), 1, 1, 1, 1, R(3, 3), G::Lake, P::Plain, 255, 255, 255},          // Level2Lake
    {K::Mountain, 2, 0, R(3, 1), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255}, // Level2Mountain
    {K::Cave2, 1, 0, R(3, 2), 65535, 1, 1, 1, R(3, 3), G::WalledEdge, P::Cave, 0, 0, 32},     // Level2Cave2
    {K::SnowField1, 2, 0, R(2, 0), 1, 1, 1, 1, R(3, 3), G::Lake, P::Plain, 255, 255, 255},    // Level3SnowField1
    {K::Cave1, 1, 1280, R(3, 1), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255}, // Level3Cave1
    {K::Cave2, 1, 1280, R(3, 2), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Cave, 0, 0, 32},       // Level3Cave2
    {K::Ice1, 1, 1280, R(3, 3), 65535, 1, 1, 1, R(3, 3), G::Plain, P::Plain, 255, 255, 255},  // Level3Ice1
    {K::Desert1, 2, 0, R(2, 0), 1, 1, 1, 1, R(3, 2), G::Plain, P::Plain, 255, 255, 255},      // Level4Desert1
    {K::Cave2, 1, 1280, R(3, 1), 65535, 1, 1, 1, R(3, 2), G::Plain, P::Cave, 0, 0, 32},       // Level4Cave2
    {K::Lake, 1, 1280, R(1, 2), 65535, 1, 1, 1, R(3, 2), G::Lake, P::Plain, 255, 255, 255},   // Level4Lake
    {K::Cave1, 1, 1280, R(3, 3), 65535, 1, 1, 1, R(3, 2), G::Plain, P::Plain, 255, 255, 255}, // Level4Cave1
    {K::Mountain, 1, 1280, R(3, 4), 65535, 1, 1, 1, R(3, 2), G::Plain, P::Plain, 255, 255, 255},  // Level4Mountain
    {K::Volcano1, 1, 1280, R(3, 5), 65535, 1, 1, 1, R(3, 2), G::Lake, P::Plain, 255, 255, 255},   // Level4Volcano1
    {K::Grass, 1, 0, R(2, 0), 1, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},            // Level5Grass1
    {K::Cave1, 1, 1280, R(3, 1), 65535, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},     // Level5Cave1
    {K::Lake, 1, 1280, R(3, 2), 65535, 0, 0, 0, R(2, 5), G::Lake, P::Plain, 255, 255, 255},       // Level5Lake1
    {K::Mountain, 1, 1280, R(3, 3), 65535, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},  // Level5Mountain1
    {K::SnowField1, 1, 1280, R(3, 4), 65535, 0, 0, 0, R(2, 5), G::Lake, P::Plain, 255, 255, 255}, // Level5SnowField1
    {K::Ice1, 1, 1280, R(3, 5), 65535, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},      // Level5Ice1
    {K::Desert1, 1, 1280, R(3, 6), 65535, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},   // Level5Desert1
    {K::Volcano1, 1, 1280, R(3, 6), 65535, 0, 0, 0, R(2, 5), G::Lake, P::Plain, 255, 255, 255},   // Level5Volcano1
    {K::Castle1, 1, 1280, R(3, 7), 65535, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},   // Level5Castle1
    {K::Castle2, 1, 1280, R(3, 7), 65535, 0, 0, 0, R(2, 5), G::Plain, P::Plain, 255, 255, 255},   // Level5Castle2
    {K::Tower1, 1, 0, R(2, 0), 1, 0, 0, 0, R(2, 5), G::WalledEdge, P::Tower1, 255, 255, 255},     // Level6Tower1
    {K::Tower1, 1, 1280, R(3, 2), 2, 0, 0, 0, R(2, 5), G::WalledEdge, P::Tower1, 255, 255, 255},  // Level6Tower1_1
    {K::Tower2, 1, 1280, R(3, 4), 2, 0, 0, 0, R(2, 5), G::WalledEdge, P::Tower2, 255, 255, 255},  // Level6Tower2
    {K::Tower3, 1, 1280, R(3, 5), 2, 0, 0, 0, R(2, 5), G::WalledEdge, P::Tower3, 255, 255, 255},  // Level6Tower3
    {K::Tower4, 1, 1280, R(3, 6), 2, 0, 0, 0, R(2, 5), G::WalledEdge, P::Tower4, 255, 255, 255},  // Level6Tower4
    {K::Lab1, 1, 1280, R(3, 7), 2, 0, 0, 0, R(2, 5), G::WalledEdge, P::Lab, 255, 255, 255},       // Level6Lab1
    {K::Boss1, 1, 1280, R(2, 0), 1, 0, 0, 0, R(2, 5), G::Plain, P::Lab, 255, 255, 255},           // Level6Boss1
};

// Loose items: id, weight, base count 1, count range 1.
constexpr FloorItemEntry I(std::int32_t id, std::int32_t weight) { return {id, weight, 1, 1, {0, 0, 0, 0}}; }
constexpr FloorItemEntry ItemsEnd{-1, 0, 0, 0, {0, 0, 0, 0}};

#define VORLUMEN_ITEMS_600_60A \
  I(0x600, 3), I(0x601, 3), I(0x602, 3), I(0x603, 3), I(0x604, 3), I(0x605, 3), I(0x606, 3), I(0x607, 3), \
      I(0x608, 3), I(0x609, 3), I(0x60a, 3)
#define VORLUMEN_ITEMS_WEIGHT_8                                                                            \
  I(0x909, 8), I(0x90c, 8), I(0x90d, 8), I(0x90e, 8), I(0x911, 8), I(0xa0a, 8), I(0xa0d, 8), I(0xa0e, 8), \
      I(0xa0f, 8), I(0xa12, 8)
#define VORLUMEN_ITEMS_C \
  VORLUMEN_ITEMS_600_60A, I(0x803, 2), I(0x804, 2), I(0x808, 2), I(0x809, 2), I(0x819, 8), VORLUMEN_ITEMS_WEIGHT_8
#define VORLUMEN_ITEMS_B VORLUMEN_ITEMS_C, I(0x90f, 8), I(0x910, 8)

constexpr FloorItemEntry ItemsE[] = {VORLUMEN_ITEMS_600_60A, I(0x807, 2), VORLUMEN_ITEMS_WEIGHT_8, ItemsEnd};
constexpr FloorItemEntry ItemsD[] = {VORLUMEN_ITEMS_600_60A, I(0x803, 2), I(0x804, 2), I(0x808, 2),
                                     VORLUMEN_ITEMS_WEIGHT_8, ItemsEnd};
constexpr FloorItemEntry ItemsC[] = {VORLUMEN_ITEMS_C, ItemsEnd};
constexpr FloorItemEntry ItemsB[] = {VORLUMEN_ITEMS_B, ItemsEnd};
constexpr FloorItemEntry ItemsA[] = {VORLUMEN_ITEMS_B,    I(0x60b, 1), I(0x60c, 1), I(0x60d, 1), I(0x60e, 1),
                                     I(0x60f, 1),         I(0x610, 1), I(0x611, 1), I(0x81a, 1), I(0x81d, 1),
                                     ItemsEnd};

#undef VORLUMEN_ITEMS_B
#undef VORLUMEN_ITEMS_C
#undef VORLUMEN_ITEMS_WEIGHT_8
#undef VORLUMEN_ITEMS_600_60A

}  // namespace

const AreaKindRow& GetAreaKindRow(AreaKind kind) {
  const int index = static_cast<int>(kind);
  return AreaKinds[index >= 0 && index < AreaKindCount ? index : 0];
}

const AreaPictureSet& GetAreaPictureSet(AreaPictures pictures) {
  const int index = static_cast<int>(pictures);
  constexpr int count = static_cast<int>(sizeof PictureSets / sizeof PictureSets[0]);
  return PictureSets[index >= 0 && index < count ? index : 0];
}

const AreaClassRow& GetAreaClassRow(AreaClass area) {
  const int index = static_cast<int>(area);
  return AreaClasses[index >= 0 && index < AreaClassCount ? index : 0];
}

const FloorItemEntry* GetFloorItemTable(const std::uint32_t (&cleared)[8]) {
  if (cleared[5] != 0 || cleared[4] != 0) return ItemsA;
  if (cleared[3] != 0) return ItemsB;
  if (cleared[2] != 0) return ItemsC;
  if (cleared[1] != 0) return ItemsD;
  return ItemsE;
}
