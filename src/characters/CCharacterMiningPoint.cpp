#include "characters/CCharacterMiningPoint.h"

#include "app/CGameMain.h"
#include "characters/CCharacterEffect.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "items/ItemFactory.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "ui/CGameInputMain.h"

namespace {

constexpr int FrameTableSize = 100;
constexpr PictureId PointSheet = 4;
constexpr int SheetRow = 250;
constexpr AnimationEntry HitPose = 70;
constexpr AnimationEntry HitPoseLeft = 71;
constexpr int MaterialsPerBreak = 3;
constexpr TextId NiceText = 714;

// Sheet columns and sounds of the kinds.
constexpr int RockColumn = 50, ChestColumn = 90, BushColumn = 110, TreeColumn = 130;
constexpr SoundEffectId RockHit = 42, RockBreak = 43, TreeHit = 44, TreeBreak = 45, BushHit = 46, BushBreak = 47,
                        ChestBreak = 48;

constexpr MaterialEntry NoMaterials[] = {{0, 0}};
constexpr MaterialEntry RockMaterials[] = {{0x800, 39}, {0x801, 20}, {0x802, 10}, {0x80F, 25}, {0, 0}};
constexpr MaterialEntry RockMaterialsFirstCleared[] = {{0x800, 39}, {0x801, 20}, {0x802, 10},
                                                       {0x803, 4},  {0x80F, 25}, {0, 0}};
constexpr MaterialEntry RockMaterialsSecondCleared[] = {{0x800, 39}, {0x801, 20}, {0x802, 10}, {0x803, 4},
                                                        {0x804, 2},  {0x80F, 25}, {0, 0}};
constexpr MaterialEntry BushMaterials[] = {{0x814, 28}, {0x815, 28}, {0x816, 28}, {0x817, 16}, {0, 0}};
constexpr MaterialEntry TreeMaterials[] = {{0x810, 18}, {0x811, 36}, {0x813, 40}, {0, 0}};
constexpr MaterialEntry TreeMaterialsSecondCleared[] = {{0x810, 18}, {0x811, 36}, {0x813, 40}, {0x819, 6}, {0, 0}};
constexpr MaterialEntry TutorialRockMaterials[] = {{0x80F, 25}, {0, 0}};
constexpr MaterialEntry TutorialBushMaterials[] = {{0x814, 28}, {0, 0}};
constexpr MaterialEntry TutorialTreeMaterials[] = {{0x813, 40}, {0, 0}};

// Read at every pick: clearing a dungeon enriches the next one at once.
bool Cleared(int dungeon) { return GetGameMain()->Settings.Block.DungeonClearedFlags[dungeon] != 0; }

bool Breaking(AnimationEntry e) { return e >= AnimationDying && e <= AnimationDying + 9; }
bool Shaking(AnimationEntry e) { return e >= HitPose && e <= HitPose + 9; }

AnimationFrame Record(int centreX, int centreY, int left, int right, int top, int bottom, AnimationEntry next,
                      int duration, PictureId picture) {
  AnimationFrame f;
  f.centreX = centreX;
  f.centreY = centreY;
  f.left = left;
  f.right = right;
  f.top = top;
  f.bottom = bottom;
  f.next = next;
  f.duration = duration;
  f.texture = static_cast<std::uint16_t>(picture);
  return f;
}

void PlaySe(SoundEffectId id) { GetSoundManager()->PlaySe(id); }

void Praise() { GetGameInputMain()->ShowMessage(GetCurrentLanguageText(NiceText)); }

}  // namespace

// ---- The point

CCharacterMiningPoint::CCharacterMiningPoint(int hitPoints, int column) {
  level = 1;
  exp = 1;
  hp = maxHp = hitPoints;
  attack = 6;
  defence = 4;
  evasion = 0;
  alpha = 255;
  animEntry = AnimationIdle;
  frames.assign(FrameTableSize, AnimationFrame{});
  frames[AnimationGone] = Record(20, 20, -20, 19, -20, 19, AnimationGone, 1, 0);
  frames[AnimationIdle] = Record(column, SheetRow, -10, 9, -10, 9, AnimationIdle, 10, PointSheet);
  // The idle pixels, anchored a pixel to one side and then the other.
  frames[HitPose] = Record(column + 1, SheetRow, -11, 8, -10, 9, AnimationIdle, 4, PointSheet);
  frames[HitPoseLeft] = Record(column - 1, SheetRow, -9, 10, -10, 9, AnimationIdle, 4, PointSheet);
  frames[AnimationDying] = Record(column, SheetRow, -10, 9, -10, 9, AnimationGone, 4, PointSheet);
}

bool CCharacterMiningPoint::DrawAt(int screenX, int screenY, float scaleX, float scaleY, int markerAlpha) {
  return DrawObjectMapMarker(screenX, screenY, scaleX, scaleY, markerAlpha);
}

void CCharacterMiningPoint::SetAnimation(AnimationEntry entry) {
  if (entry == -1) return;
  const AnimationEntry prev = animEntry;
  animEntry = entry;
  animTick = 0;
  if (entry == AnimationGone) LeaveFloor();
  if (entry == AnimationDying && !Breaking(prev)) TakeRangeHold(DyingHold);
  if (Breaking(prev) && !Breaking(entry)) ReleaseRangeHold(DyingHold);
}

int CCharacterMiningPoint::ReceiveAttack(AttackType, bool strong, int, CCharacter* attacker) {
  lastAttacker = attacker;
  if (strong)
    hp = 0;
  else
    hp -= attacker ? attacker->GetMiningPower() : 1;
  if (hp > 0) {
    SetAnimation(HitPose);
    if (attacker && attacker->GetX() < x) SetAnimation(HitPoseLeft);
  } else {
    hp = 0;
    if (attacker) causeOfDeath = attacker->type;
    OnDefeated();
    SetAnimation(AnimationDying);
  }
  return 0;
}

const MaterialEntry* CCharacterMiningPoint::GetMaterialTable() const { return NoMaterials; }

ItemId CCharacterMiningPoint::PickMaterial() const {
  const MaterialEntry* table = GetMaterialTable();
  int total = 0;
  for (const MaterialEntry* row = table; row->Item != 0; ++row) total += row->Weight;
  if (total <= 0) return NoItem;
  int r = Random() % total;
  for (const MaterialEntry* row = table; row->Item != 0; ++row) {
    r -= row->Weight;
    if (r < 0) return row->Item;
  }
  return NoItem;
}

void CCharacterMiningPoint::Scatter(CItem* item) {
  if (!item) return;
  CGameMain* game = GetGameMain();
  CStageData* stage = game->CurrentStage;
  // Rows first when the player stands on the point's row, else columns.
  const bool columnsFirst = !(game->Player && game->Player->GetY() == y);
  if (!stage || !stage->DropItemNear(x, y, item, columnsFirst)) {
    delete item;
    return;
  }
  // Hidden until it has hopped onto its cell.
  if (CCharacterEffect::SpawnDroppedItem(item, x, y)) item->SetRevealed(false);
}

void CCharacterMiningPoint::GatherStep(AnimationEntry entry, SoundEffectId hitSound, SoundEffectId breakSound) {
  if (entry == HitPose && !Shaking(animEntry)) PlaySe(hitSound);
  if (entry == AnimationDying && !Breaking(animEntry)) PlaySe(breakSound);
  if (Breaking(animEntry) && !Breaking(entry) && entry != -1)
    for (int i = 0; i < MaterialsPerBreak; ++i) Scatter(CreateItem(PickMaterial()));
}

// ---- The kinds

CCharacterMine::CCharacterMine() : CCharacterMiningPoint(4, RockColumn) { type = MineType; }

void CCharacterMine::SetAnimation(AnimationEntry entry) {
  GatherStep(entry, RockHit, RockBreak);
  CCharacterMiningPoint::SetAnimation(entry);
}

const MaterialEntry* CCharacterMine::GetMaterialTable() const {
  if (Cleared(2)) return RockMaterialsSecondCleared;
  if (Cleared(1)) return RockMaterialsFirstCleared;
  return RockMaterials;
}

CCharacterBush::CCharacterBush() : CCharacterMiningPoint(2, BushColumn) { type = BushType; }

void CCharacterBush::SetAnimation(AnimationEntry entry) {
  GatherStep(entry, BushHit, BushBreak);
  CCharacterMiningPoint::SetAnimation(entry);
}

const MaterialEntry* CCharacterBush::GetMaterialTable() const { return BushMaterials; }

CCharacterTree::CCharacterTree() : CCharacterMiningPoint(3, TreeColumn) { type = TreeType; }

void CCharacterTree::SetAnimation(AnimationEntry entry) {
  GatherStep(entry, TreeHit, TreeBreak);
  CCharacterMiningPoint::SetAnimation(entry);
}

const MaterialEntry* CCharacterTree::GetMaterialTable() const {
  return Cleared(2) ? TreeMaterialsSecondCleared : TreeMaterials;
}

CCharacterChest::CCharacterChest() : CCharacterMiningPoint(1, ChestColumn) { type = ChestType; }

void CCharacterChest::SetAnimation(AnimationEntry entry) {
  if (entry == AnimationDying && !Breaking(animEntry)) PlaySe(ChestBreak);
  if (Breaking(animEntry) && !Breaking(entry) && entry != -1)
    if (CStageData* stage = GetGameMain()->CurrentStage) Scatter(stage->PickFloorItem());
  CCharacterMiningPoint::SetAnimation(entry);
}

// ---- The tutorial's points

void CCharacterMineTutorial::SetAnimation(AnimationEntry entry) {
  if (entry == AnimationDying && !Breaking(animEntry)) Praise();
  CCharacterMine::SetAnimation(entry);
}
const MaterialEntry* CCharacterMineTutorial::GetMaterialTable() const { return TutorialRockMaterials; }

void CCharacterBushTutorial::SetAnimation(AnimationEntry entry) {
  if (entry == AnimationDying && !Breaking(animEntry)) Praise();
  CCharacterBush::SetAnimation(entry);
}
const MaterialEntry* CCharacterBushTutorial::GetMaterialTable() const { return TutorialBushMaterials; }

void CCharacterTreeTutorial::SetAnimation(AnimationEntry entry) {
  if (entry == AnimationDying && !Breaking(animEntry)) Praise();
  CCharacterTree::SetAnimation(entry);
}
const MaterialEntry* CCharacterTreeTutorial::GetMaterialTable() const { return TutorialTreeMaterials; }
