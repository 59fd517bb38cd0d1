#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "items/ItemText.h"
#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

class ItemNames : public ItemFixture {};

struct Shown {
  std::string Display, WithCount, Status;
};

Shown Show(const CItem& item) {
  char display[ItemTextSize], withCount[ItemTextSize], status[ItemTextSize];
  // The menus' buffers hold their own text before an item writes its own.
  std::strcpy(display, "menu text");
  std::strcpy(withCount, "menu text");
  std::strcpy(status, "menu text");
  return {ToUtf8(item.GetDisplayName(display, sizeof display)), ToUtf8(item.GetNameWithCount(withCount, sizeof withCount)),
          ToUtf8(item.GetStatusText(status, sizeof status))};
}

struct Case {
  ItemId Id;
  std::uint32_t Language;
  std::function<void(CItem&)> Setup;
  Shown Expected;
};

const auto Plain = [](CItem&) {};
auto Refined(int n) {
  return [n](CItem& item) { item.SetRefinement(n); };
}
auto Unidentified(int refinement = 0) {
  return [refinement](CItem& item) {
    item.IdentifyState = IdentifyStateUnknown;
    item.SetRefinement(refinement);
  };
}
auto Stones(ItemId first, ItemId second = -1) {
  return [first, second](CItem& item) {
    item.Enchantments[0] = first;
    item.Enchantments[1] = second;
  };
}
auto Counted(int n) {
  return [n](CItem& item) { item.SetCount(n); };
}
const auto KindUnknown = [](CItem& item) { IdentifyTable[item.GetId()] = 1; };

const std::string TwoEmptySlots = "\nENCHANT1\n----\nENCHANT2\n----\n";
const std::string OneEmptySlot = "\nENCHANT\n----\n";

TEST_F(ItemNames, ShowEveryFamilyIdentifiedOrNotInBothLanguages) {
  const Case cases[] = {
      // Weapons: the refinement before the name, the attack above 10 in the detail.
      {0x002, 0, Refined(2), {"+2 IRON SHORTSWORD", "+2 IRON SHORTSWORD", "ATK +7" + TwoEmptySlots}},
      {0x002, 0, Plain, {"IRON SHORTSWORD", "IRON SHORTSWORD", "ATK +5" + TwoEmptySlots}},
      {0x002, 0, Refined(-1), {"-1 IRON SHORTSWORD", "-1 IRON SHORTSWORD", "ATK +4" + TwoEmptySlots}},
      {0x002, 0, Unidentified(3), {"? IRON SHORTSWORD", "? IRON SHORTSWORD", "Attack x?.?\nATK +8"}},
      {0x01A, 0, Plain, {"COBALT SHORTSWORD", "COBALT SHORTSWORD", "ATK +8, 30% POISON" + TwoEmptySlots}},
      {0x01C, 0, Stones(0xA0A),
       {"DEMONIUM SHORTSWORD", "DEMONIUM SHORTSWORD", "ATK +14, DEF -5\nENCHANT1\nATK +5.\nENCHANT2\n----\n"}},
      {0x005, 0, Stones(0xA0D), {"STONE AXE", "STONE AXE", "ATK +4\nENCHANT\n30% CRITICAL.\n"}},
      {0x0A8, 0, Plain,
       {"TRIDENT", "TRIDENT", "ATK +2, 2RANGE ATTACK, 30% POISON\nRETURNS AFTER YOU THROW IT.." + OneEmptySlot}},
      {0x0B0, 0, Plain, {"KATANA OF SHINOBI", "KATANA OF SHINOBI", "ATK +1, DOUBLE ATTACK\n"}},
      {0x0B9, 0, Counted(6), {"KUNAI＋", "KUNAI＋", "ATK +0, DOUBLE ATTACK\nUNBREAK YOU THROW IT" + OneEmptySlot}},
      // Bows and arrows.
      {0x103, 0, [](CItem& i) { Refined(1)(i), Stones(0xA0A)(i); }, {"+1 IRON BOW", "+1 IRON BOW", "SHT +5\nENCHANT\nSHT +5.\n"}},
      {0x109, 0, Plain, {"SAMURAI BOW", "SAMURAI BOW", "SHT +4, 50% CRITICAL" + OneEmptySlot}},
      {0x103, 0, Unidentified(2), {"? IRON BOW", "? IRON BOW", "Attack x?.?\n"}},
      {0x202, 0, [](CItem& i) { Counted(37)(i), Refined(2)(i); }, {"IRON ARROW", "IRON ARROW x37", "SHT +6"}},
      {0x205, 0, Plain, {"COBALT ARROW", "COBALT ARROW x1", "SHT +9, 100% POISON"}},
      {0x202, 0, Unidentified(), {"? IRON ARROW", "? IRON ARROW x1", "Attack x?.?\n"}},
      // Protectors: the defence with refinement, then the description pieces.
      {0x303, 0, [](CItem& i) { Refined(2)(i), Stones(0xA0A)(i); }, {"+2 IRON ARMOR", "+2 IRON ARMOR", "DEF +9\nENCHANT\nDEF +5.\n"}},
      {0x306, 0, Plain, {"COBALT ARMOR", "COBALT ARMOR", "DEF +10, 30% POISON COUNTER" + OneEmptySlot}},
      {0x308, 0, Plain, {"DEMONIUM ARMOR", "DEMONIUM ARMOR", "DEF +7, ATK +5, SHT +5" + OneEmptySlot}},
      {0x416, 0, Plain, {"COBALT GLOVE", "COBALT GLOVE", "DEF +8, SHT +1, 30% POISON COUNTER" + OneEmptySlot}},
      {0x58A, 0, Plain,
       {"CIRCLET OF TELEPATHY", "CIRCLET OF TELEPATHY", "DEF +2, INT +2\nSEARCH ENEMIES ON FLOOR" + OneEmptySlot}},
      {0x3C0, 0, Plain, {"SHINOBI CLOTHES", "SHINOBI CLOTHES", "DEF +2, EVASION +30%\n"}},
      {0x303, 0, Unidentified(4), {"? IRON ARMOR", "? IRON ARMOR", "Defense +?\n"}},
      // Kinds that hide their names until identified.
      {0x603, 0, Plain, {"RING OF PROTECTION", "RING OF PROTECTION", "DEF +6"}},
      {0x603, 0, Unidentified(), {"? RING OF PROTECTION", "? RING OF PROTECTION", "DEF +6"}},
      {0x603, 0, KindUnknown, {"???", "???", "???"}},
      {0x60C, 0, Plain, {"SCALE", "SCALE", "DEF +4, 65% PREVENT BAD STATUS."}},
      {0x900, 0, Plain, {"POTION OF HEALING", "POTION OF HEALING", "HEAL 100HP."}},
      {0x900, 0, KindUnknown, {"???", "???", "???"}},
      {0xA0A, 0, Plain,
       {"MAGIC STONE OF MIGHT", "MAGIC STONE OF MIGHT", "STRx2, DEXx2, PREVENT DAMAGE FOR 30 OF YOUR TURN."}},
      {0xA0A, 0, KindUnknown, {"???", "???", "???"}},
      {0xB0B, 0, [](CItem& i) { i.ChargesUsed = 2; }, {"WAND OF FIRE(3)", "WAND OF FIRE(3)", "DEAL FIRE DAMAGE TO TARGET."}},
      {0xB0B, 0, KindUnknown, {"???", "???", "???"}},
      // Plain names.
      {0x800, 0, Plain, {"STONE", "STONE x1", "MATERIAL"}},
      {0x807, 0, Counted(5), {"IRON BAR", "IRON BAR x5", "MATERIAL"}},
      {0x700, 0, Plain, {"MONSTER MEAT", "MONSTER MEAT", "HNG +10"}},
      {0xC00, 0, Plain, {"NEEDLE TRAP", "NEEDLE TRAP", ""}},
      {0xD00, 0, Plain, {"GREEN CRYSTAL", "GREEN CRYSTAL", ""}},
      {0xD08, 0, Plain, {"CRYSTAL ORB", "CRYSTAL ORB", ""}},
      {0xD09, 0, Plain, {"Princess", "Princess", ""}},
      // Japanese.
      {0x002, 1, Refined(2), {"+2 てつのけん", "+2 てつのけん", "こうげき +7\nきょうか1\n----\nきょうか2\n----\n"}},
      {0x002, 1, Unidentified(3), {"? てつのけん", "? てつのけん", "こうげき x?.?\nこうげき +8"}},
      {0x308, 1, Plain, {"デモニウムのよろい", "デモニウムのよろい", "ぼうぎょ +7、こうげき +5、しゃげき +5\nきょうか\n----\n"}},
      {0x303, 1, Unidentified(), {"? てつのよろい", "? てつのよろい", "ぼうぎょ +?\n"}},
      {0x202, 1, Counted(37), {"てつのや", "てつのや x37", "しゃげき +4"}},
      {0x603, 1, Plain, {"まもりのゆびわ", "まもりのゆびわ", "ぼうぎょ +6"}},
      {0x900, 1, KindUnknown, {"???", "???", "???"}},
      {0xB0B, 1, Plain, {"ほのおのワンド(5)", "ほのおのワンド(5)", "あいてに ほのおの ダメージ。"}},
      {0x800, 1, Plain, {"いし", "いし x1", "そざい"}},
      {0x0B1, 1, Plain, {"しのびのかたな＋", "しのびのかたな＋", "こうげき +1、2かいこうげき\nきょうか\n----\n"}},
      {0xD09, 1, Plain, {"Princess", "Princess", ""}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << c.Id << " language " << c.Language);
    std::memset(IdentifyTable, 0, sizeof IdentifyTable);
    SetLanguage(c.Language);
    ItemPtr item = Make(c.Id);
    c.Setup(*item);
    const Shown shown = Show(*item);
    EXPECT_EQ(shown.Display, c.Expected.Display);
    EXPECT_EQ(shown.WithCount, c.Expected.WithCount);
    EXPECT_EQ(shown.Status, c.Expected.Status);
  }
}

TEST_F(ItemNames, IdentifyingOneItemNamesEveryItemOfItsKind) {
  IdentifyTable[0x900] = 1;
  IdentifyTable[0x901] = 1;
  ItemPtr drunk = Make(0x900), other = Make(0x900), otherKind = Make(0x901);
  drunk->SetIdentifyState(1);  // the item alone
  EXPECT_EQ(Show(*other).Display, "???");
  drunk->SetIdentifyState(2);
  EXPECT_EQ(Show(*other).Display, "POTION OF HEALING");
  EXPECT_EQ(Show(*otherKind).Display, "???");
}

TEST_F(ItemNames, AnEnchantmentThatIsNoStoneShowsAsAnEmptySlot) {
  for (ItemId notAStone : {0x9FF, 0xA1A, 0x000, -5, 0x7FFFFFFF}) {
    ItemPtr item = Make(0x005);
    item->Enchantments[0] = notAStone;
    EXPECT_EQ(Show(*item).Status, "ATK +4" + OneEmptySlot) << notAStone;
  }
  // The stone lines of the three families for the same stone.
  const struct {
    ItemId Id;
    std::string Line;
  } lines[] = {{0x005, "ATK +5."}, {0x103, "SHT +5."}, {0x303, "DEF +5."}};
  for (const auto& l : lines) {
    ItemPtr item = Make(l.Id);
    item->Enchantments[0] = 0xA0A;
    const std::string status = Show(*item).Status;
    EXPECT_EQ(status.substr(status.size() - l.Line.size() - 1), l.Line + "\n") << std::hex << l.Id;
  }
}

TEST_F(ItemNames, ATextLongerThanItsBufferIsCutAtAWholeCharacter) {
  SetLanguage(1);
  ItemPtr item = Make(0x308);  // a long Japanese detail text
  char whole[ItemTextSize];
  item->GetStatusText(whole, sizeof whole);
  const std::size_t length = std::strlen(whole);
  for (std::size_t size = 0; size <= length + 1; ++size) {
    std::string buffer(size + 8, '#');
    char* text = item->GetStatusText(size ? buffer.data() : nullptr, size);
    if (size == 0) {
      EXPECT_EQ(text, nullptr);
      continue;
    }
    EXPECT_EQ(buffer[size + 1], '#') << "wrote past the buffer at size " << size;
    const std::size_t cut = std::strlen(text);
    ASSERT_LT(cut, size);
    EXPECT_EQ(std::string(whole, cut), std::string(text)) << size;
    EXPECT_NE(ToUtf8(text), "<not convertible>") << size;  // no half character at the end
  }
}

TEST(ItemTextFormats, OnlyWholeNumbersAreFilledIn) {
  for (const char* text : {"ATK +%d", ", ATK %+d, SHT %+d", "100%% HIT.", "", "plain"})
    EXPECT_TRUE(IsWholeNumberFormat(text)) << text;
  for (const char* text : {"%s", "%n", "%d %d %d", "50%", "%f", "%.*d", "%ld"}) EXPECT_FALSE(IsWholeNumberFormat(text)) << text;
}

// Every text an item fills in through printf is filled: no conversion and
// no doubled percent sign is left in what it shows.
TEST_F(ItemNames, EveryDetailTextIsFilledIn) {
  for (std::uint32_t language : {0u, 1u}) {
    SetLanguage(language);
    for (ItemId id : AllItemIds()) {
      ItemPtr item = Make(id);
      for (int i = 0; i < item->GetEnchantSlotCount(); ++i) item->Enchantments[i] = 0xA00 + i;
      char name[ItemTextSize], status[ItemTextSize];
      EXPECT_NE(item->GetName(name, sizeof name)[0], '\0') << std::hex << id;
      const std::string shown = item->GetStatusText(status, sizeof status);
      for (const char* left : {"%d", "%+d", "%%"}) EXPECT_EQ(shown.find(left), std::string::npos) << std::hex << id;
    }
  }
}

}  // namespace
