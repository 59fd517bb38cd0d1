#include "items/CItem.h"

#include <algorithm>
#include <cstring>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/IdentifyTable.h"
#include "items/ItemCatalogue.h"
#include "items/ItemText.h"
#include "platform/Random.h"
#include "platform/Renderer.h"

namespace {

constexpr int ItemSheetResource = 200;
constexpr int ItemSharedResource = 199;
constexpr float ItemDrawScale = 4.0f;
constexpr PictureId MapMarkPicture = 7;
constexpr int FloorCellUnits = 80;
constexpr int AttackTypeThrown = 1;

std::uint32_t Argb(int a, int r, int g, int b) {
  const auto byte = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  return byte(a) << 24 | byte(r) << 16 | byte(g) << 8 | byte(b);
}

bool OnMap(int x, int y) { return x >= 0 && x < StageMapSize && y >= 0 && y < StageMapSize; }

}  // namespace

CItem::CItem() {
  CItem::Init();
}

void CItem::Init() {
  EnchantSlotCount = 0;
  std::fill(std::begin(Enchantments), std::end(Enchantments), NoItem);
  std::fill(std::begin(SpareIds), std::end(SpareIds), NoItem);
  // The two pictures are taken once, by the first item ever, and stay.
  static bool picturesTaken = false;
  if (!picturesTaken) {
    picturesTaken = true;
    LoadTexture(ItemSheetPicture, ItemSheetResource);
    LoadTexture(ItemSharedPicture, ItemSharedResource);
  }
}

void CItem::CopyFrom(const CItem& other) {
  Active = other.Active;
  Category = other.Category;
  Id = other.Id;
  BaseAttack = other.BaseAttack;
  BaseDefence = other.BaseDefence;
  X = other.X;
  Y = other.Y;
  Spare1 = other.Spare1;
  Spare2 = other.Spare2;
  Count = other.Count;
  IdentifyState = other.IdentifyState;
  Refinement = other.Refinement;
  Condition = other.Condition;
  Equipped = other.Equipped;
  Alpha = other.Alpha;
  Revealed = other.Revealed;
  ChargesUsed = other.ChargesUsed;
  ChargeCapacity = other.ChargeCapacity;
  std::copy(std::begin(other.Enchantments), std::end(other.Enchantments), Enchantments);
  std::copy(std::begin(other.SpareIds), std::end(other.SpareIds), SpareIds);
}

CItem* CItem::Clone() const {
  auto* copy = new (std::nothrow) CItem;
  if (copy) copy->CopyFrom(*this);
  return copy;
}

const ItemFrame& CItem::CurrentFrame(const ItemFrame (&frames)[ItemFrameCount]) const {
  return frames[FrameIndex >= 0 && FrameIndex < ItemFrameCount ? FrameIndex : 0];
}

void CItem::DrawAt(int x, int y) const {
  const ItemFrame& f = CurrentFrame(FloorFrames);
  SpriteDrawParameters& s = SpriteDrawState;
  s.MirrorX = 1.0f;
  s.Angle = 0.0f;
  s.OriginX = static_cast<float>(f.CenterX);
  s.OriginY = static_cast<float>(f.CenterY);
  s.ScaleX = s.ScaleY = ItemDrawScale;
  s.Colour = Argb(Alpha, 255, 255, 255);
  s.BlendMode = 0;
  s.Depth = 0.6f;
  s.DepthWrite = 1;
  DrawSprite(f.Picture, x - f.CenterX, y - f.CenterY, f.SourceX, f.SourceY, f.Width, f.Height);
  ResetDrawState();
}

void CItem::DrawOnFloor() const {
  CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  if (!stage || !stage->IsInDrawArea(X, Y) || !IsRevealed()) return;
  DrawAt(stage->ToScreenX(X) * FloorCellUnits + game->GetViewCenterX(),
         stage->ToScreenY(Y) * FloorCellUnits + game->GetViewCenterY());
}

void CItem::DrawIconTinted(int x, int y, int r, int g, int b, int a) const {
  const ItemFrame& f = CurrentFrame(IconFrames);
  SpriteDrawParameters& s = SpriteDrawState;
  s.MirrorX = 1.0f;
  s.Angle = 0.0f;
  s.OriginX = static_cast<float>(f.CenterX);
  s.OriginY = static_cast<float>(f.CenterY);
  s.ScaleX = s.ScaleY = ItemDrawScale;
  s.Colour = Argb(a, r, g, b);
  s.BlendMode = 0;
  s.Depth = 0.0f;
  s.DepthWrite = 0;
  DrawSprite(f.Picture, x - f.CenterX, y - f.CenterY, f.SourceX, f.SourceY, f.Width, f.Height);
  ResetDrawState();
}

void CItem::DrawIcon(int x, int y) const { DrawIconTinted(x, y, 255, 255, 255, 255); }

void CItem::DrawIconWithCountTinted(int x, int y, int r, int g, int b, int a) const {
  DrawIconTinted(x, y, r, g, b, a);
  if (GetStackLimit() <= 1) return;
  const ItemFrame& f = CurrentFrame(IconFrames);
  CDrawString& font = GetGameMain()->Fonts[3];
  char count[16];
  ItemTextWriter(count, sizeof count).AppendNumber("%d", GetCount());
  const auto channel = [](int v) { return static_cast<std::uint32_t>(std::clamp(v, 0, 255)); };
  font.SetColor(channel(r), channel(g), channel(b));
  font.SetAlpha(channel(std::clamp(Alpha, 0, 255) * std::clamp(a, 0, 255) / 255));
  font.SetUniformScale(ItemDrawScale);
  // Bottom-right in the icon's box.
  font.DrawText(count, x - 4 * f.CenterX, y - 4 * f.CenterY, 4 * f.Width - 4, 4 * f.Height, 15);
  font.SetUniformScale(1.0);
  font.SetAlpha(255);
  font.SetColor(255, 255, 255);
}

void CItem::DrawIconWithCount(int x, int y) const { DrawIconWithCountTinted(x, y, 255, 255, 255, 255); }

bool CItem::DrawMapMarker(int x, int y, float scaleX, float scaleY, int alpha) const {
  return DrawMarkerCell(396, true, x, y, scaleX, scaleY, alpha);
}

bool CItem::DrawMarkerCell(int column, bool telepathyShowsHidden, int x, int y, float scaleX, float scaleY,
                           int alpha) const {
  CGameMain* game = GetGameMain();
  const CStageData* stage = game->CurrentStage;
  if (!stage) return false;
  SpriteDrawParameters& s = SpriteDrawState;
  s.MirrorX = 1.0f;
  s.Angle = 0.0f;
  s.OriginX = s.OriginY = 0.0f;
  s.Colour = Argb(alpha, 255, 255, 255);
  s.BlendMode = 0;
  s.ScaleX = scaleX;
  s.ScaleY = scaleY;

  const bool onMap = OnMap(X, Y);
  const bool explored = onMap && stage->explored[X * StageMapSize + Y] != 0;
  const bool telepathy = game->Player && game->Player->HasTelepathy();
  if (!IsRevealed() && !(telepathy && telepathyShowsHidden)) return false;
  if (!telepathy && !explored) return false;

  const bool walkable = stage->IsFloor(X, Y) || stage->IsCorridor(X, Y) || stage->IsStairs(X, Y);
  const bool firstHalf = game->FrameCount % 40 < 20;
  int row;
  if (walkable && explored)
    row = firstHalf ? 0 : 3;
  else
    row = firstHalf ? 6 : 9;
  DrawSprite(MapMarkPicture, x, y, column, row, 3, 3);
  return true;
}

void CItem::SetFloorFrame(int i, int picture, int sourceX, int sourceY, int centerX, int centerY, int width,
                          int height, int next) {
  if (i < 0 || i >= ItemFrameCount) return;
  FloorFrames[i] = {picture, sourceX, sourceY, centerX, centerY, width, height, next};
}

void CItem::SetIconFrame(int i, int picture, int sourceX, int sourceY, int centerX, int centerY, int width,
                         int height, int next) {
  if (i < 0 || i >= ItemFrameCount) return;
  IconFrames[i] = {picture, sourceX, sourceY, centerX, centerY, width, height, next};
}

void CItem::SetCellFrames(int picture, int x, int y) {
  SetFloorFrame(0, picture, x, y, 10, 10, 20, 20, 0);
  SetIconFrame(0, picture, x, y, 10, 10, 20, 20, 0);
}

char* CItem::GetName(char* buffer, std::size_t size) const { return ClearItemText(buffer, size); }

char* CItem::GetDisplayName(char* buffer, std::size_t size) const { return GetNameWithCount(buffer, size); }

char* CItem::GetNameWithCount(char* buffer, std::size_t size) const { return GetName(buffer, size); }

char* CItem::GetStatusText(char* buffer, std::size_t size) const { return ClearItemText(buffer, size); }

char* CItem::GetDescription(char* buffer, std::size_t size) const { return ClearItemText(buffer, size); }

int CItem::GetCatalogueIndex() const { return ::GetCatalogueIndex(GetId()); }

bool CItem::CanStackWith(const CItem* other) const {
  if (!other) return false;
  if (GetId() != other->GetId()) return false;
  if (GetRefinement() != other->GetRefinement()) return false;
  if (!std::equal(std::begin(Enchantments), std::end(Enchantments), other->Enchantments)) return false;
  if (!std::equal(std::begin(SpareIds), std::end(SpareIds), other->SpareIds)) return false;
  return GetStackLimit() >= 2;
}

void CItem::SetIdentifyState(std::int32_t state) {
  IdentifyState = state;
  if (state == IdentifyStateKnown && Id >= 0 && Id < IdentifyTableSize) IdentifyTable[Id] = 0;
}

bool CItem::RollUnbreakable() const { return RandomChance(GetUnbreakableChance()); }

bool CItem::RollReturn() const { return RandomChance(GetReturnChance()); }

bool CItem::RollThrowHit(CCharacter* user, CCharacter* target) {
  return target && target->RollHit(AttackTypeThrown, user);
}

int CItem::GetTotalPrice() const { return GetUnitPrice() * GetCount(); }

int CItem::CountEnchantments() const {
  const int slots = std::clamp(EnchantSlotCount, 0, EnchantListSize);
  return static_cast<int>(std::count_if(Enchantments, Enchantments + slots, [](ItemId id) { return id != NoItem; }));
}

ItemId CItem::GetEnchantmentAt(int i) const { return i >= 0 && i < EnchantListSize ? Enchantments[i] : NoItem; }

bool IsKindIdentified(ItemId id) { return id < 0 || id >= IdentifyTableSize || IdentifyTable[id] == 0; }
