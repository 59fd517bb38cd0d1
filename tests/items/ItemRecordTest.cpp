#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <functional>
#include <random>
#include <typeinfo>

#include "items/ItemCatalogue.h"
#include "items/ItemRecord.h"
#include "items/ItemTestSupport.h"

namespace {

using namespace itemtest;

class ItemRecordTest : public ItemFixture {
protected:
  static std::int32_t I32(const ItemRecord& r, int at) {
    std::int32_t v;
    std::memcpy(&v, r.Bytes + at, 4);
    return v;
  }
  static void PutI32(ItemRecord& r, int at, std::int32_t v) { std::memcpy(r.Bytes + at, &v, 4); }

  // A file holding the entry of each record in turn.
  static void AddEntry(MemoryFile& file, const ItemRecord& record) {
    const std::uint32_t length = ItemRecordSize;
    file.Write(&length, 4, nullptr);
    file.Write(record.Bytes, ItemRecordSize, nullptr);
  }
  static ItemRecord RecordOf(const CItem& item) {
    ItemRecord r;
    PackItemRecord(item, r);
    return r;
  }
  static ItemPtr Load(const ItemRecord& record) {
    MemoryFile file;
    AddEntry(file, record);
    CItem* item = nullptr;
    EXPECT_TRUE(LoadItem(file, item));
    return ItemPtr(item);
  }
};

TEST_F(ItemRecordTest, LaysTheFieldsOutAtTheirOffsetsAndZeroesTheRest) {
  ItemPtr item = Make(0x01C);  // base defence -5, two enchant slots
  item->SetPosition(5, 6);
  item->Spare1 = 11;
  item->Spare2 = 12;
  item->SetCount(1);
  item->SetIdentifyState(1);
  item->SetRefinement(-2);
  item->SetCondition(1);
  item->SetEquipped(true);
  item->Alpha = 200;
  item->Enchantments[0] = 0xA0A;
  item->Enchantments[1] = 0xA13;

  MemoryFile file;
  ASSERT_TRUE(item->Save(file));
  ASSERT_EQ(file.Bytes.size(), 260u);
  EXPECT_EQ(file.Bytes[0], 0x00);
  EXPECT_EQ(file.Bytes[1], 0x01);  // 256, little-endian
  ItemRecord r;
  std::memcpy(r.Bytes, file.Bytes.data() + 4, ItemRecordSize);

  EXPECT_EQ(r.Bytes[0], 1);
  const struct {
    int At;
    std::int32_t Value;
  } words[] = {{4, 0},  {8, 0x01C}, {12, 24}, {16, -5}, {20, 5},  {24, 6},  {28, 11}, {32, 12},
               {36, 1}, {40, 1},     {44, -2}, {48, 1},  {56, 200}, {64, 0}, {68, 0},  {72, 0xA0A},
               {76, 0xA13}, {80, -1}, {132, -1}, {136, -1}, {196, -1}};
  for (const auto& w : words) EXPECT_EQ(I32(r, w.At), w.Value) << "offset " << w.At;
  EXPECT_EQ(r.Bytes[52], 1);
  EXPECT_EQ(r.Bytes[60], 1);
  for (int at : {1, 2, 3, 53, 54, 55, 61, 62, 63}) EXPECT_EQ(r.Bytes[at], 0) << at;
  for (int at = 200; at < 256; ++at) EXPECT_EQ(r.Bytes[at], 0) << at;
}

TEST_F(ItemRecordTest, EveryKindComesBackAsItWasSaved) {
  const std::vector<ItemId> ids = AllItemIds();
  MemoryFile file;
  std::vector<ItemRecord> written;
  for (ItemId id : ids) {
    ItemPtr item = Make(id);
    item->SetCount(std::min(37, item->GetStackLimit()));
    item->SetIdentifyState(id % 2 ? 1 : 2);
    item->SetRefinement(id % 7 - 3);
    item->SetCondition(id % 2);
    item->SetPosition(id % 40, id / 40 % 40);
    item->SetEquipped(item->IsEquipment());
    item->SetRevealed(id % 3 != 0);
    item->Alpha = id % 256;
    item->Spare1 = id;
    item->Spare2 = -id;
    for (int i = 0; i < item->GetEnchantSlotCount(); ++i) item->Enchantments[i] = GetMagicStoneIdAt((id + i) % 25);
    if (item->GetCategory() == ItemCategoryWand) {
      item->ChargeCapacity = 7;
      item->ChargesUsed = 3;
    }
    ASSERT_TRUE(item->Save(file));
    written.push_back(RecordOf(*item));
  }

  for (std::size_t i = 0; i < ids.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << std::hex << "id 0x" << ids[i]);
    CItem* loaded = nullptr;
    ASSERT_TRUE(LoadItem(file, loaded));
    ItemPtr item(loaded);
    ItemPtr fresh = Make(ids[i]);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(typeid(*item), typeid(*fresh));
    EXPECT_EQ(0, std::memcmp(RecordOf(*item).Bytes, written[i].Bytes, ItemRecordSize));
    // What the record does not hold comes from the kind.
    EXPECT_EQ(item->GetStackLimit(), fresh->GetStackLimit());
    EXPECT_EQ(item->GetEnchantSlotCount(), fresh->GetEnchantSlotCount());
    EXPECT_EQ(item->BaseShotPower, fresh->BaseShotPower);
    EXPECT_EQ(item->FloorFrames[0].SourceX, fresh->FloorFrames[0].SourceX);
  }
  EXPECT_EQ(file.Position, file.Bytes.size());
}

TEST_F(ItemRecordTest, AWandKeepsItsOwnCapacity) {
  ItemPtr wand = Make(0xB0B);
  wand->ChargeCapacity = 7;
  wand->ChargesUsed = 3;
  ItemPtr loaded = Load(RecordOf(*wand));
  EXPECT_EQ(loaded->GetChargesLeft(), 4);
}

TEST_F(ItemRecordTest, TrustsNoFieldOfADamagedRecord) {
  struct Case {
    const char* What;
    ItemId Id;
    std::function<void(ItemRecord&)> Damage;
    std::function<void(const CItem&)> Check;
  };
  auto stones = [](const CItem& item, ItemId a, ItemId b) {
    EXPECT_EQ(item.Enchantments[0], a);
    EXPECT_EQ(item.Enchantments[1], b);
    for (int i = 2; i < EnchantListSize; ++i) EXPECT_EQ(item.Enchantments[i], -1);
  };
  const Case cases[] = {
      {"count 0", 0x800, [](ItemRecord& r) { PutI32(r, 36, 0); }, [](const CItem& i) { EXPECT_EQ(i.Count, 1); }},
      {"count -7", 0x800, [](ItemRecord& r) { PutI32(r, 36, -7); }, [](const CItem& i) { EXPECT_EQ(i.Count, 1); }},
      {"count past the stack", 0x800, [](ItemRecord& r) { PutI32(r, 36, 6); },
       [](const CItem& i) { EXPECT_EQ(i.Count, 5); }},
      {"a stack of weapons", 0x000, [](ItemRecord& r) { PutI32(r, 36, 2); },
       [](const CItem& i) { EXPECT_EQ(i.Count, 1); }},
      {"arrows", 0x200, [](ItemRecord& r) { PutI32(r, 36, INT_MAX); },
       [](const CItem& i) { EXPECT_EQ(i.Count, 999); }},
      {"category", 0x000, [](ItemRecord& r) { PutI32(r, 4, 5); },
       [](const CItem& i) { EXPECT_EQ(i.Category, ItemCategoryWeapon); }},
      {"base values", 0x01C, [](ItemRecord& r) { PutI32(r, 12, INT_MAX), PutI32(r, 16, INT_MIN); },
       [](const CItem& i) {
         EXPECT_EQ(i.BaseAttack, 24);
         EXPECT_EQ(i.BaseDefence, -5);
       }},
      {"identify state 3", 0x600, [](ItemRecord& r) { PutI32(r, 40, 3); },
       [](const CItem& i) { EXPECT_EQ(i.IdentifyState, 2); }},
      {"refinement", 0x000, [](ItemRecord& r) { PutI32(r, 44, INT_MAX); },
       [](const CItem& i) { EXPECT_EQ(i.Refinement, 999); }},
      {"refinement low", 0x300, [](ItemRecord& r) { PutI32(r, 44, INT_MIN); },
       [](const CItem& i) { EXPECT_EQ(i.Refinement, -999); }},
      {"condition", 0x000, [](ItemRecord& r) { PutI32(r, 48, 7); }, [](const CItem& i) { EXPECT_EQ(i.Condition, 0); }},
      {"equipped material", 0x800, [](ItemRecord& r) { r.Bytes[52] = 1; },
       [](const CItem& i) { EXPECT_FALSE(i.IsEquipped()); }},
      {"equipped ring", 0x600, [](ItemRecord& r) { r.Bytes[52] = 9; },
       [](const CItem& i) { EXPECT_EQ(i.Equipped, 1); }},
      {"alpha", 0x000, [](ItemRecord& r) { PutI32(r, 56, 300); }, [](const CItem& i) { EXPECT_EQ(i.Alpha, 255); }},
      {"revealed", 0xC00, [](ItemRecord& r) { r.Bytes[60] = 5; }, [](const CItem& i) { EXPECT_EQ(i.Revealed, 1); }},
      {"stand-in flag", 0x000, [](ItemRecord& r) { r.Bytes[0] = 0; }, [](const CItem& i) { EXPECT_EQ(i.Active, 1); }},
      {"cell", 0x000, [](ItemRecord& r) { PutI32(r, 20, 40), PutI32(r, 24, -1); },
       [](const CItem& i) {
         EXPECT_EQ(i.X, 39);
         EXPECT_EQ(i.Y, 0);
       }},
      {"charges past the capacity", 0xB00, [](ItemRecord& r) { PutI32(r, 64, 9), PutI32(r, 68, 7); },
       [](const CItem& i) { EXPECT_EQ(i.GetChargesLeft(), 0); }},
      {"negative capacity", 0xB00, [](ItemRecord& r) { PutI32(r, 64, -4), PutI32(r, 68, -3); },
       [](const CItem& i) {
         EXPECT_EQ(i.ChargeCapacity, 0);
         EXPECT_EQ(i.ChargesUsed, 0);
       }},
      {"huge capacity", 0xB00, [](ItemRecord& r) { PutI32(r, 68, INT_MAX); },
       [](const CItem& i) { EXPECT_EQ(i.ChargeCapacity, 999); }},
      {"charges on a potion", 0x900, [](ItemRecord& r) { PutI32(r, 64, 3), PutI32(r, 68, 7); },
       [](const CItem& i) { EXPECT_EQ(i.GetChargesLeft(), 0); }},
      {"a gap before a stone", 0x000, [](ItemRecord& r) { PutI32(r, 72, -1), PutI32(r, 76, 0xA0D); },
       [&](const CItem& i) { stones(i, 0xA0D, -1); }},
      {"no such stone", 0x000, [](ItemRecord& r) { PutI32(r, 72, 0xA05), PutI32(r, 76, 0xA13); },
       [&](const CItem& i) { stones(i, 0xA13, -1); }},
      {"not stones", 0x000, [](ItemRecord& r) { PutI32(r, 72, 0x123), PutI32(r, 76, 0x800); },
       [&](const CItem& i) { stones(i, -1, -1); }},
      {"a stone past the slots", 0x000, [](ItemRecord& r) { PutI32(r, 80, 0xA00); },
       [&](const CItem& i) { stones(i, -1, -1); }},
      {"a stone in an item without slots", 0x0B8, [](ItemRecord& r) { PutI32(r, 72, 0xA00); },
       [&](const CItem& i) { stones(i, -1, -1); }},
      {"spare ids", 0x200, [](ItemRecord& r) { PutI32(r, 136, 0x200); },
       [](const CItem& i) { EXPECT_EQ(i.SpareIds[0], -1); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.What);
    ItemPtr item = Make(c.Id);
    ItemRecord r = RecordOf(*item);
    c.Damage(r);
    ItemPtr loaded = Load(r);
    ASSERT_NE(loaded, nullptr);
    c.Check(*loaded);
  }
}

TEST_F(ItemRecordTest, AnEntryCutShortOrOfAnotherLengthFailsTheLoad) {
  MemoryFile whole;
  ASSERT_TRUE(Make(0x103)->Save(whole));
  for (std::size_t n = 0; n < whole.Bytes.size(); ++n) {
    MemoryFile cut;
    cut.Bytes.assign(whole.Bytes.begin(), whole.Bytes.begin() + n);
    CItem* item = reinterpret_cast<CItem*>(1);
    EXPECT_FALSE(LoadItem(cut, item)) << n;
    EXPECT_EQ(item, nullptr) << n;
  }
  for (std::uint32_t length : {0u, 255u, 257u, 0xFFFFFFFFu}) {
    MemoryFile other;
    other.Bytes = whole.Bytes;
    std::memcpy(other.Bytes.data(), &length, 4);
    other.Bytes.resize(4 + 512, 0);
    CItem* item = nullptr;
    EXPECT_FALSE(LoadItem(other, item)) << length;
    EXPECT_EQ(item, nullptr);
  }
}

TEST_F(ItemRecordTest, AnEntryOfAnUnknownIdIsSkippedAndTheNextOneRead) {
  MemoryFile file;
  ItemRecord unknown = RecordOf(*Make(0x900));
  PutI32(unknown, 8, 0xA05);
  AddEntry(file, unknown);
  AddEntry(file, RecordOf(*Make(0x901)));
  CItem* item = nullptr;
  EXPECT_TRUE(LoadItem(file, item));
  EXPECT_EQ(item, nullptr);
  EXPECT_TRUE(LoadItem(file, item));
  ItemPtr next(item);
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(next->GetId(), 0x901);
}

TEST_F(ItemRecordTest, SaveReportsAFailedWrite) {
  MemoryFile file;
  file.FailWrites = true;
  EXPECT_FALSE(Make(0x000)->Save(file));
}

// Whatever bytes a record holds, the item read from it is one the game can use.
TEST_F(ItemRecordTest, RandomRecordsAlwaysGiveUsableItems) {
  const std::vector<ItemId> ids = AllItemIds();
  std::mt19937 rng(1234);
  for (int round = 0; round < 3000; ++round) {
    ItemRecord r;
    for (std::uint8_t& b : r.Bytes) b = static_cast<std::uint8_t>(rng());
    const ItemId id = ids[rng() % ids.size()];
    PutI32(r, 8, id);
    if (round % 2) {  // half the time plausible stone ids, to reach the slot rules
      for (int i = 0; i < 4; ++i) PutI32(r, 72 + 4 * i, static_cast<std::int32_t>(0x9FE + rng() % 30));
    }
    ItemPtr item = Load(r);
    ItemPtr fresh = Make(id);
    SCOPED_TRACE(::testing::Message() << "round " << round << std::hex << " id 0x" << id);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetCategory(), fresh->GetCategory());
    EXPECT_GE(item->GetCount(), 1);
    EXPECT_LE(item->GetCount(), item->GetStackLimit());
    EXPECT_GE(item->ChargesUsed, 0);
    EXPECT_LE(item->ChargesUsed, item->ChargeCapacity);
    EXPECT_LE(item->ChargeCapacity, 999);
    if (!item->IsEquipment()) {
      EXPECT_FALSE(item->IsEquipped());
    }
    const int slots = item->GetEnchantSlotCount();
    bool gap = false;
    for (int i = 0; i < EnchantListSize; ++i) {
      const ItemId stone = item->GetEnchantmentAt(i);
      if (stone == -1) {
        gap = true;
        continue;
      }
      EXPECT_FALSE(gap) << "stone after an empty slot";
      EXPECT_LT(i, slots);
      EXPECT_TRUE(IsMagicStoneId(stone));
    }
    char text[ItemTextSize];
    item->GetStatusText(text, sizeof text);
    item->GetNameWithCount(text, sizeof text);
  }
}

}  // namespace
