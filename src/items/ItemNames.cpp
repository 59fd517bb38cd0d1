#include "items/ItemNames.h"

#include <algorithm>

#include "items/ItemCatalogue.h"
#include "items/ItemText.h"

namespace {

constexpr TextId AttackUnknownText = 987;   // "Attack x"
constexpr TextId DefenceUnknownText = 1002;  // "Defense +"
constexpr TextId ShotText = 121;             // "SHT +%d"
constexpr TextId DefenceText = 262;          // "DEF +%d"
constexpr TextId EnchantText = 755;          // "ENCHANT"
constexpr TextId EmptySlotText = 757;        // "----"

// Room for one piece (a name, a description) before it joins the text.
constexpr std::size_t PieceSize = 512;

bool IsUnidentified(const CItem& item) { return item.GetIdentifyState() == IdentifyStateUnknown; }

void AppendName(ItemTextWriter& text, const CItem& item) {
  char piece[PieceSize];
  text.Append(item.GetName(piece, sizeof piece));
}

void AppendDisplayName(ItemTextWriter& text, const CItem& item) {
  char piece[PieceSize];
  text.Append(item.GetDisplayName(piece, sizeof piece));
}

void AppendDescription(ItemTextWriter& text, const CItem& item) {
  char piece[PieceSize];
  text.Append(item.GetDescription(piece, sizeof piece));
}

// The stand-in while the kind is unknown.
bool AppendUnknownKind(ItemTextWriter& text, const CItem& item) {
  if (IsKindIdentified(item.GetId())) return false;
  text.AppendText(UnknownNameText);
  return true;
}

// "Attack x?.?" and the description: what an unidentified weapon, bow or
// arrow shows.
void AppendUnknownAttack(ItemTextWriter& text, const CItem& item) {
  text.AppendText(AttackUnknownText);
  text.Append("?.?\n");
  AppendDescription(text, item);
}

// One heading and one line per enchant slot: "ENCHANT" (numbered from 1 when
// there are two or more slots), then the fused stone's line or "----".
void AppendEnchantLines(ItemTextWriter& text, const CItem& item, int textOffset) {
  const int slots = std::clamp(item.GetEnchantSlotCount(), 0, EnchantListSize);
  for (int i = 0; i < slots; ++i) {
    text.AppendFormat(EnchantText);
    if (slots >= 2) text.AppendNumber("%d", i + 1);
    text.Append("\n");
    const ItemId stone = item.GetEnchantmentAt(i);
    // The stone lines are laid out for 0xA00-0xA19; anything else is no stone.
    if (stone >= 0xA00 && stone <= 0xA19)
      text.AppendFormat(stone - textOffset);
    else
      text.AppendText(EmptySlotText);
    text.Append("\n");
  }
}

}  // namespace

char* WriteEquipmentName(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (IsUnidentified(item))
    text.Append("? ");
  else if (item.GetRefinement() != 0)
    text.AppendNumber("%+d ", item.GetRefinement());
  AppendName(text, item);
  return buffer;
}

char* WriteArrowName(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (IsUnidentified(item)) text.Append("? ");
  AppendName(text, item);
  return buffer;
}

char* WriteAccessoryName(const CItem& item, char* buffer, std::size_t size) {
  if (IsKindIdentified(item.GetId())) return WriteArrowName(item, buffer, size);
  ItemTextWriter(buffer, size).AppendText(UnknownNameText);
  return buffer;
}

char* WriteKindGatedName(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (!AppendUnknownKind(text, item)) AppendName(text, item);
  return buffer;
}

char* WriteWandName(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (AppendUnknownKind(text, item)) return buffer;
  AppendName(text, item);
  text.AppendNumber("(%d)", item.GetChargesLeft());
  return buffer;
}

char* WriteNameAndCount(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  AppendDisplayName(text, item);
  text.AppendNumber(" x%d", item.GetCount());
  return buffer;
}

char* WriteWeaponStatus(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (IsUnidentified(item)) {
    AppendUnknownAttack(text, item);
    return buffer;
  }
  AppendDescription(text, item);
  text.Append("\n");
  AppendEnchantLines(text, item, WeaponEnchantTextOffset);
  return buffer;
}

char* WriteBowStatus(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (IsUnidentified(item)) {
    AppendUnknownAttack(text, item);
    return buffer;
  }
  text.AppendFormat(ShotText, item.GetBaseShotPower() - 10);
  AppendDescription(text, item);
  text.Append("\n");
  AppendEnchantLines(text, item, BowEnchantTextOffset);
  return buffer;
}

char* WriteArrowStatus(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (IsUnidentified(item)) {
    AppendUnknownAttack(text, item);
    return buffer;
  }
  text.AppendFormat(ShotText, item.GetShotPower() - 10);
  AppendDescription(text, item);
  return buffer;
}

char* WriteProtectorStatus(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (IsUnidentified(item)) {
    text.AppendText(DefenceUnknownText);
    text.Append("?\n");
    AppendDescription(text, item);
    return buffer;
  }
  text.AppendFormat(DefenceText, item.GetBaseDefence());
  AppendDescription(text, item);
  text.Append("\n");
  AppendEnchantLines(text, item, ProtectorEnchantTextOffset);
  return buffer;
}

char* WriteKindGatedStatus(const CItem& item, char* buffer, std::size_t size) {
  ItemTextWriter text(buffer, size);
  if (!AppendUnknownKind(text, item)) AppendDescription(text, item);
  return buffer;
}
