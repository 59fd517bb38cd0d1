#include "items/ItemRecord.h"

#include <algorithm>
#include <cstring>

#include "floors/CStageData.h"
#include "items/ItemCatalogue.h"
#include "items/ItemFactory.h"
#include "platform/CSaveFile.h"

namespace {

// Offsets in the record.
constexpr int ActiveAt = 0;
constexpr int CategoryAt = 4;
constexpr int IdAt = 8;
constexpr int BaseAttackAt = 12;
constexpr int BaseDefenceAt = 16;
constexpr int XAt = 20;
constexpr int YAt = 24;
constexpr int Spare1At = 28;
constexpr int Spare2At = 32;
constexpr int CountAt = 36;
constexpr int IdentifyStateAt = 40;
constexpr int RefinementAt = 44;
constexpr int ConditionAt = 48;
constexpr int EquippedAt = 52;
constexpr int AlphaAt = 56;
constexpr int RevealedAt = 60;
constexpr int ChargesUsedAt = 64;
constexpr int ChargeCapacityAt = 68;
constexpr int EnchantmentsAt = 72;
constexpr int SpareIdsAt = 136;

// Beyond anything play reaches, and small enough that prices and attack
// sums made from them stay within 32 bits.
constexpr std::int32_t RefinementLimit = 999;
constexpr std::int32_t ChargeLimit = 999;

void PutI32(ItemRecord& record, int at, std::int32_t value) {
  const auto v = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) record.Bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::int32_t GetI32(const ItemRecord& record, int at) {
  std::uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= static_cast<std::uint32_t>(record.Bytes[at + i]) << (8 * i);
  return static_cast<std::int32_t>(v);
}

}  // namespace

void PackItemRecord(const CItem& item, ItemRecord& record) {
  std::memset(record.Bytes, 0, sizeof record.Bytes);
  record.Bytes[ActiveAt] = item.Active;
  PutI32(record, CategoryAt, item.Category);
  PutI32(record, IdAt, item.Id);
  PutI32(record, BaseAttackAt, item.BaseAttack);
  PutI32(record, BaseDefenceAt, item.BaseDefence);
  PutI32(record, XAt, item.X);
  PutI32(record, YAt, item.Y);
  PutI32(record, Spare1At, item.Spare1);
  PutI32(record, Spare2At, item.Spare2);
  PutI32(record, CountAt, item.Count);
  PutI32(record, IdentifyStateAt, item.IdentifyState);
  PutI32(record, RefinementAt, item.Refinement);
  PutI32(record, ConditionAt, item.Condition);
  record.Bytes[EquippedAt] = item.Equipped;
  PutI32(record, AlphaAt, item.Alpha);
  record.Bytes[RevealedAt] = item.Revealed;
  PutI32(record, ChargesUsedAt, item.ChargesUsed);
  PutI32(record, ChargeCapacityAt, item.ChargeCapacity);
  for (int i = 0; i < EnchantListSize; ++i) {
    PutI32(record, EnchantmentsAt + 4 * i, item.Enchantments[i]);
    PutI32(record, SpareIdsAt + 4 * i, item.SpareIds[i]);
  }
}

void RecordToItem(const ItemRecord& record, CItem& item) {
  // A saved item always belongs somewhere: never a stand-in to be deleted.
  item.Active = 1;
  item.X = std::clamp(GetI32(record, XAt), 0, StageMapSize - 1);
  item.Y = std::clamp(GetI32(record, YAt), 0, StageMapSize - 1);
  item.Spare1 = GetI32(record, Spare1At);
  item.Spare2 = GetI32(record, Spare2At);
  item.Count = std::clamp(GetI32(record, CountAt), 1, std::max(1, item.StackLimit));
  const std::int32_t identify = GetI32(record, IdentifyStateAt);
  if (identify == IdentifyStateUnknown || identify == IdentifyStateKnown) item.IdentifyState = identify;
  item.Refinement = std::clamp(GetI32(record, RefinementAt), -RefinementLimit, RefinementLimit);
  item.Condition = GetI32(record, ConditionAt) == 1 ? 1 : 0;
  item.Equipped = record.Bytes[EquippedAt] != 0 && item.IsEquipment() ? 1 : 0;
  item.Alpha = std::clamp(GetI32(record, AlphaAt), 0, 255);
  item.Revealed = record.Bytes[RevealedAt] != 0 ? 1 : 0;
  // Only wands hold charges.
  if (item.Category == ItemCategoryWand) {
    item.ChargeCapacity = std::clamp(GetI32(record, ChargeCapacityAt), 0, ChargeLimit);
    item.ChargesUsed = std::clamp(GetI32(record, ChargesUsedAt), 0, item.ChargeCapacity);
  }
  const int slots = std::clamp(item.EnchantSlotCount, 0, EnchantListSize);
  int filled = 0;
  std::fill(std::begin(item.Enchantments), std::end(item.Enchantments), NoItem);
  for (int i = 0; i < slots; ++i) {
    const ItemId stone = GetI32(record, EnchantmentsAt + 4 * i);
    if (IsMagicStoneId(stone)) item.Enchantments[filled++] = stone;
  }
}

bool LoadItem(CSaveFile& file, CItem*& item) {
  item = nullptr;
  std::uint8_t lengthBytes[4];
  if (!file.Read(lengthBytes, sizeof lengthBytes, nullptr)) return false;
  const std::uint32_t length = static_cast<std::uint32_t>(lengthBytes[0]) |
                               static_cast<std::uint32_t>(lengthBytes[1]) << 8 |
                               static_cast<std::uint32_t>(lengthBytes[2]) << 16 |
                               static_cast<std::uint32_t>(lengthBytes[3]) << 24;
  if (length != ItemRecordSize) return false;
  ItemRecord record;
  if (!file.Read(record.Bytes, ItemRecordSize, nullptr)) return false;
  item = CreateItem(GetI32(record, IdAt));
  if (item) RecordToItem(record, *item);
  return true;
}

bool CItem::Save(CSaveFile& file) const {
  ItemRecord record;
  PackItemRecord(*this, record);
  std::uint8_t length[4];
  for (int i = 0; i < 4; ++i) length[i] = static_cast<std::uint8_t>(ItemRecordSize >> (8 * i));
  return file.Write(length, sizeof length, nullptr) && file.Write(record.Bytes, ItemRecordSize, nullptr);
}
