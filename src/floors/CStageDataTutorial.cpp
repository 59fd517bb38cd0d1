#include "floors/CStageDataTutorial.h"

#include <cstdio>
#include <cstring>
#include <iterator>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "characters/CharacterFactory.h"
#include "floors/SpecialStages.h"
#include "floors/StageAreas.h"
#include "floors/StageFactory.h"
#include "floors/StagePlacement.h"
#include "items/CItem.h"
#include "platform/CMyInput.h"
#include "platform/TextTable.h"
#include "screens/CGameInputMainMenu.h"
#include "screens/CGameInputOptionJoyPadConfig.h"
#include "screens/KeyNames.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"

namespace {

// x 9-31, y 8-30: X wall, digits the gates (wall when built), anything else
// room floor (P the player, B T M the bush, tree and rock, S the stairs).
constexpr const char* TutorialRows[] = {
    "XXXXXXXXXXXXXXXXXXXXXXX",  // 8
    "X.....XXX.....XXX.....X",
    "X.....XXX.....XXX.....X",  // 10
    "X..B..333..T..444..M..X",
    "X.....XXX.....XXX.....X",
    "X.....XXX.....XXX.....X",
    "XXX2XXXXXXXXXXXXXXX5XXX",
    "XXX2XXXXXXXXXXXXXXX5XXX",  // 15
    "XXX2XXXXXXXXXXXXXXX5XXX",
    "X.....XXX.....XXX.....X",
    "X.....XXX.....XXX.....X",
    "X.....XXX..S..XXX.....X",
    "X.....XXX.....XXX.....X",  // 20
    "X.....XXX.....XXX.....X",
    "XXX1XXXXXXX8XXXXXXX6XXX",
    "XXX1XXXXXXX8XXXXXXX6XXX",
    "XXX1XXXXXXX8XXXXXXX6XXX",
    "X.....XXX.....XXX.....X",  // 25
    "X.....XXX.....XXX.....X",
    "X..P..XXX.....777.....X",
    "X.....XXX.....XXX.....X",
    "X.....XXX.....XXX.....X",
    "XXXXXXXXXXXXXXXXXXXXXXX",  // 30
};

TerrainCode TutorialSign(char c) { return c == 'X' || (c >= '1' && c <= '8') ? TerrainWall : TerrainRoom; }

constexpr handmade::Map TutorialMap{TutorialRows, static_cast<int>(std::size(TutorialRows)), 9, 8, TerrainWall,
                                    &TutorialSign};

constexpr int StartX = 12, StartY = 27;

// The three mining points, in the order they are placed.
struct MiningPointRow {
  CharacterType Type;
  int X, Y;
};
constexpr MiningPointRow MiningPoints[] = {{784, 28, 11}, {786, 20, 11}, {785, 12, 11}};

// Gate g (1-8): its first cell and the step to the next two.
struct GateRow {
  int X, Y, Dx, Dy;
};
constexpr GateRow Gates[TutorialGateCount] = {
    {12, 22, 0, 1}, {12, 14, 0, 1}, {15, 11, 1, 0}, {23, 11, 1, 0},
    {28, 14, 0, 1}, {28, 22, 0, 1}, {23, 27, 1, 0}, {20, 22, 0, 1},
};
constexpr int GateLength = 3;

// What the lesson texts name: the bound pad button or key of an action, or
// the four keys that move.
enum class Button { None, Move, Attack, Dash, Menu, Direction, DiagonalMove };
int ActionOf(Button button) {
  switch (button) {
    case Button::Attack: return InputActionAttack;
    case Button::Dash: return InputActionDash;
    case Button::Menu: return InputActionMenu;
    case Button::Direction: return InputActionDirection;
    case Button::DiagonalMove: return InputActionDiagonalMove;
    case Button::None:
    case Button::Move: break;
  }
  return -1;
}

constexpr TextId NoButtonText = 1258, FirstButtonText = 1259;

// The pad's name of a button: the first pad button of its action's row.
void NamePadButton(Button button, char* out, std::size_t size) {
  const int pad = FirstPadButton(ActionOf(button) - InputActionAttack);
  const TextId name = pad >= 0 && pad < PadButtonCount ? FirstButtonText + pad : NoButtonText;
  std::snprintf(out, size, "%s", button == Button::None ? "" : GetCurrentLanguageText(name));
}

// The layout's name of the key bound to `action`; "-" for one it cannot name.
void NameBoundKey(int action, char (&name)[KeyDisplayNameSize]) {
  if (GetKeyDisplayName(GetInput()->KeyBindingTable[action], name) < 1)
    std::snprintf(name, sizeof name, "%s", GetCurrentLanguageText(NoButtonText));
}

// The keyboard's name of a button: its action's key, and for Move the four
// moving keys as UP/DOWN/LEFT/RIGHT.
void NameKey(Button button, char* out, std::size_t size) {
  char keys[4][KeyDisplayNameSize] = {};
  if (button == Button::Move) {
    for (int d = 0; d < 4; ++d) NameBoundKey(InputActionUp + d, keys[d]);
    std::snprintf(out, size, "%s/%s/%s/%s", keys[0], keys[1], keys[2], keys[3]);
    return;
  }
  if (button != Button::None) NameBoundKey(ActionOf(button), keys[0]);
  std::snprintf(out, size, "%s", keys[0]);
}

// A lesson's text as the pad and as the keyboard name it, the "%s" of each
// filled with its buttons in order.
struct NamedText {
  TextId Text;
  Button Names[4];
};
struct LessonText {
  NamedText Pad, Keys;
};

constexpr LessonText Plain(TextId text) { return {{text, {}}, {text, {}}}; }

void ShowLesson(const LessonText& lesson) {
  const bool keys = GetInput()->IsKeyboardInUse();
  const NamedText& shown = keys ? lesson.Keys : lesson.Pad;
  char names[4][4 * KeyDisplayNameSize];
  for (int i = 0; i < 4; ++i) (keys ? NameKey : NamePadButton)(shown.Names[i], names[i], sizeof names[i]);
  char line[CGameInputMain::MessageRowSize * CGameInputMain::MessageRowCount];
  std::snprintf(line, sizeof line, GetCurrentLanguageText(shown.Text), names[0], names[1], names[2], names[3]);
  GetGameInputMain()->ShowMessageTimed(line, -1);
}

constexpr LessonText PotionLesson{{724, {Button::Menu}}, {1428, {Button::Menu}}};
constexpr LessonText RecipeLesson = Plain(725);
constexpr LessonText EnchantLesson = Plain(726);

// The cells that show a lesson text each time the player stands on them.
struct LessonCell {
  int X, Y;
  LessonText Lesson;
};
constexpr LessonCell LessonCells[] = {
    {12, 27,
     {{719, {Button::Direction, Button::DiagonalMove}},
      {1426, {Button::Move, Button::Direction, Button::DiagonalMove}}}},
    {12, 21,
     {{723, {Button::Attack, Button::Dash, Button::Attack, Button::Dash}},
      {1427, {Button::Attack, Button::Dash, Button::Attack, Button::Dash}}}},
    {12, 13, Plain(711)},
    {18, 11, Plain(712)},
    {26, 11, Plain(713)},
    {28, 17, PotionLesson},
    {28, 25, RecipeLesson},
    {22, 27, EnchantLesson},
    {20, 24, Plain(727)},
    {20, 21, Plain(728)},
};

// What a step does every frame while it is the current one, and what ends it.
enum class StepKind {
  OpenUntilPassed,   // its gate open; done when the player stands past it, which closes it
  OpenWhenMined,     // its gate open while the floor is clear and the point is gone; done as above
  Craft,             // its text shown, its gate shut; done when the player carries the item, which opens it
  ClosePassedGate,   // done when the player stands past the gate the craft opened, which closes it
  End,
};
struct StepRow {
  std::uint32_t Lesson;  // the menu's lesson mode
  StepKind Kind;
  int Gate;
  int X, Y;             // the cell that ends it; the point's cell for OpenWhenMined
  int PointX, PointY;
  const LessonText* Text;
  std::int32_t Item;    // ItemId carried, or held in enchant slot 0
  bool InFirstEnchantment;
};
constexpr std::int32_t PotionOfHealing = 0x900, MagicStoneOfHealing = 0xa00;
constexpr StepRow Steps[TutorialStepCount] = {
    {1, StepKind::OpenUntilPassed, 1, 12, 21, 0, 0, nullptr, 0, false},
    {1, StepKind::OpenUntilPassed, 2, 12, 13, 0, 0, nullptr, 0, false},
    {1, StepKind::OpenWhenMined, 3, 18, 11, 12, 11, nullptr, 0, false},
    {1, StepKind::OpenWhenMined, 4, 26, 11, 20, 11, nullptr, 0, false},
    {1, StepKind::OpenWhenMined, 5, 28, 17, 28, 11, nullptr, 0, false},
    {2, StepKind::Craft, 6, 0, 0, 0, 0, &PotionLesson, PotionOfHealing, false},
    {1, StepKind::ClosePassedGate, 6, 28, 25, 0, 0, nullptr, 0, false},
    {3, StepKind::Craft, 7, 0, 0, 0, 0, &RecipeLesson, MagicStoneOfHealing, false},
    {1, StepKind::ClosePassedGate, 7, 22, 27, 0, 0, nullptr, 0, false},
    {4, StepKind::Craft, 8, 0, 0, 0, 0, &EnchantLesson, MagicStoneOfHealing, true},
    {1, StepKind::ClosePassedGate, 8, 20, 21, 0, 0, nullptr, 0, false},
    {1, StepKind::End, 0, 0, 0, 0, 0, nullptr, 0, false},
};
constexpr int LastCraftStep = 9;

template <class Visit>
bool ForEachGateCell(int gate, const Visit& visit) {
  if (gate < 1 || gate > TutorialGateCount) return false;
  const GateRow& row = Gates[gate - 1];
  for (int i = 0; i < GateLength; ++i)
    if (!visit(row.X + i * row.Dx, row.Y + i * row.Dy)) return false;
  return true;
}

}  // namespace

CStageDataTutorial::CStageDataTutorial() {
  StageId = TutorialStage;
  stagearea::SetUpKind(*this, AreaKind::Grass, 1);
}

void CStageDataTutorial::GenerateFloor() {
  handmade::LayMap(*this, TutorialMap);
  handmade::PlacePlayer(*this, StartX, StartY);
  for (const MiningPointRow& row : MiningPoints)
    if (CCharacter* point = CreateCharacter(row.Type)) PlaceCharacter(this, point, row.X, row.Y);
}

void CStageDataTutorial::LoadArea() {
  AreaId = GetAreaKindRow(AreaKind::Grass).AreaId;
  CStageData::LoadArea();
}

int CStageDataTutorial::GetEnemyCount() { return stagearea::NoLooseItems(); }
int CStageDataTutorial::GetItemCount() { return stagearea::NoLooseItems(); }
int CStageDataTutorial::GetTrapCount() { return stagearea::NoLooseItems(); }

// 501 names no floor: the tutorial has nothing below.
CStageData* CStageDataTutorial::CreateNextFloor() { return CreateStage(StageId + 1); }

CItem* CStageDataTutorial::PickFloorItem() { return stagearea::PickFloorItem(); }

bool CStageDataTutorial::OnTurnEvent(int x, int y) {
  for (const LessonCell& cell : LessonCells) {
    if (cell.X != x || cell.Y != y) continue;
    ShowLesson(cell.Lesson);
    handmade::StopHeldMoves();
    return true;
  }
  return false;
}

bool CStageDataTutorial::IsFloorClear() {
  for (const CItem* item : itemAt)
    if (item != nullptr) return false;
  return true;
}

void CStageDataTutorial::OpenGate(int gate) {
  ForEachGateCell(gate, [this](int x, int y) {
    terrain[CellIndex(x, y)] = TerrainCorridor;
    return true;
  });
}

bool CStageDataTutorial::IsGateOpen(int gate) const {
  return ForEachGateCell(gate, [this](int x, int y) { return terrain[CellIndex(x, y)] == TerrainCorridor; });
}

bool CStageDataTutorial::CloseGate(int gate) {
  if (!ForEachGateCell(gate, [this](int x, int y) { return characterAt[CellIndex(x, y)] == nullptr; })) return false;
  // Walled first, so that no item is moved from one gate cell to the next.
  bool closed = true;
  ForEachGateCell(gate, [this, &closed](int x, int y) {
    const TerrainCode before = terrain[CellIndex(x, y)];
    terrain[CellIndex(x, y)] = TerrainWall;
    if (itemAt[CellIndex(x, y)] != nullptr && !MoveItemOffGate(x, y)) {
      terrain[CellIndex(x, y)] = before;
      closed = false;
    }
    return true;
  });
  return closed;
}

bool CStageDataTutorial::MoveItemOffGate(int gateX, int gateY) {
  CItem* item = itemAt[CellIndex(gateX, gateY)];
  const CCharacter* player = GetGameMain()->Player;
  const int ox = player ? player->GetX() : gateX, oy = player ? player->GetY() : gateY;
  // Rings around the player, nearest first: a free room cell on its side.
  for (int r = 1; r < StageMapSize; ++r) {
    for (int y = oy - r; y <= oy + r; ++y) {
      for (int x = ox - r; x <= ox + r; ++x) {
        if (x != ox - r && x != ox + r && y != oy - r && y != oy + r) continue;
        if (!IsFloor(x, y) || itemAt[CellIndex(x, y)] || characterAt[CellIndex(x, y)]) continue;
        itemAt[CellIndex(gateX, gateY)] = nullptr;
        return PutItemAt(x, y, item);
      }
    }
  }
  return false;
}

int CStageDataTutorial::GetCurrentStep() const {
  for (int step = 0; step < TutorialStepCount; ++step)
    if (EventFlags[step] == 0) return step;
  return TutorialStepCount - 1;
}

void CStageDataTutorial::Update() {
  CStageData::Update();
  CCharacter* player = GetGameMain()->Player;
  if (player == nullptr) return;
  player->satiety = 2000;
  RunStep(GetCurrentStep());
}

bool CStageDataTutorial::IsPlayerAt(int x, int y) const {
  const CCharacter* player = GetGameMain()->Player;
  return player != nullptr && GetCharacterAt(x, y) == player;
}

bool CStageDataTutorial::PlayerCarries(std::int32_t itemId, bool inFirstEnchantment) const {
  const CCharacter* player = GetGameMain()->Player;
  if (player == nullptr) return false;
  // The places only: an item lying under the player is not carried.
  for (int slot = 0; slot < InventorySize; ++slot) {
    const CItem* item = player->GetItem(slot);
    if (item == nullptr) continue;
    if ((inFirstEnchantment ? item->GetEnchantmentAt(0) : item->GetId()) == itemId) return true;
  }
  return false;
}

void CStageDataTutorial::RunStep(int step) {
  const StepRow& row = Steps[step];
  GetGameInputMainMenu()->TutorialStep = row.Lesson;
  auto finish = [this, step] { EventFlags[step] = 1; };
  switch (row.Kind) {
    case StepKind::OpenUntilPassed:
    case StepKind::OpenWhenMined: {
      bool open = true;
      if (row.Kind == StepKind::OpenWhenMined) {
        const CCharacter* standing = GetCharacterAt(row.PointX, row.PointY);
        open = IsFloorClear() && (standing == nullptr || standing == GetGameMain()->Player);
      }
      if (open) {
        OpenGate(row.Gate);
      } else {
        CloseGate(row.Gate);
      }
      if (IsPlayerAt(row.X, row.Y) && CloseGate(row.Gate)) finish();
      break;
    }
    case StepKind::Craft:
      if (!GetGameInputMain()->IsMessageShown()) ShowLesson(*row.Text);
      CloseGate(row.Gate);
      if (!PlayerCarries(row.Item, row.InFirstEnchantment)) break;
      OpenGate(row.Gate);
      finish();
      if (step == LastCraftStep) terrain[CellIndex(TutorialStairsX, TutorialStairsY)] = TerrainStairs;
      break;
    case StepKind::ClosePassedGate:
      if (IsPlayerAt(row.X, row.Y) && CloseGate(row.Gate)) finish();
      break;
    case StepKind::End: break;
  }
}
