// The floor's cell services on small hand-made maps.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <utility>
#include <vector>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "floors/FloorTestSupport.h"
#include "items/CItem.h"

namespace {

using floortest::MakeFloor;

struct TerrainCase {
  TerrainCode Code;
  bool Floor, Corridor, Stairs, Wall, House, Barrier, Room, Passable;
};

TEST(StageTerrain, EachCodeAnswersItsTests) {
  const TerrainCase cases[] = {
      {0, true, false, false, false, false, false, true, true},
      {1, true, false, false, false, true, false, true, true},
      {2, false, true, false, false, false, false, false, true},
      {3, false, false, true, false, false, false, true, true},
      {4, false, false, false, true, false, false, false, false},
      {5, false, false, false, false, false, true, false, false},
      {6, false, false, false, false, false, true, true, false},
      {7, false, false, false, false, false, false, false, false},
  };
  CStageData floor;
  for (const TerrainCase& c : cases) {
    SCOPED_TRACE(c.Code);
    floor.terrain[CellIndex(5, 7)] = c.Code;
    EXPECT_EQ(floor.GetTerrain(5, 7), c.Code);
    EXPECT_EQ(floor.IsFloor(5, 7), c.Floor);
    EXPECT_EQ(floor.IsCorridor(5, 7), c.Corridor);
    EXPECT_EQ(floor.IsStairs(5, 7), c.Stairs);
    EXPECT_EQ(floor.IsWall(5, 7), c.Wall);
    EXPECT_EQ(floor.IsMonsterHouseFloor(5, 7), c.House);
    EXPECT_EQ(floor.IsOpenBarrier(5, 7), c.Barrier);
    EXPECT_EQ(floor.IsRoomCell(5, 7), c.Room);
    EXPECT_EQ(floor.IsPassable(5, 7), c.Passable);
    EXPECT_FALSE(floor.IsOutOfMap(5, 7));
  }
}

TEST(StageTerrain, OffTheMapIsWallAndHoldsNothing) {
  CStageData floor;  // all room floor
  for (auto [x, y] : std::vector<std::pair<int, int>>{{-1, 5}, {40, 0}, {0, -1}, {5, 40}, {-2147483647 - 1, 0}}) {
    SCOPED_TRACE(testing::Message() << x << ", " << y);
    EXPECT_EQ(floor.GetTerrain(x, y), TerrainWall);
    EXPECT_TRUE(floor.IsWall(x, y));
    EXPECT_TRUE(floor.IsOutOfMap(x, y));
    EXPECT_FALSE(floor.IsFloor(x, y));
    EXPECT_FALSE(floor.IsPassable(x, y));
    EXPECT_FALSE(floor.IsRoomCell(x, y));
    EXPECT_FALSE(floor.CanEnter(x, y, 1));
    EXPECT_EQ(floor.GetCharacterAt(x, y), nullptr);
    EXPECT_EQ(floor.GetItemAt(x, y), nullptr);
    EXPECT_EQ(floor.IsVisible(x, y), 0);
    EXPECT_FALSE(floor.RemoveItemAt(x, y));
    floor.SetExplored(x, y, 1);  // refused, not written anywhere
  }
  for (std::uint8_t e : floor.explored) ASSERT_EQ(e, 0);
  EXPECT_EQ(floor.GetWidth(), 40);
  EXPECT_EQ(floor.GetHeight(), 40);
}

TEST(StageTerrain, ConstructionGivesEveryFieldItsValue) {
  CStageData floor;
  EXPECT_EQ(floor.AreaId, -1);
  EXPECT_EQ(floor.BgmTrack, -1);
  EXPECT_EQ(floor.BgmResourceId, -1);
  EXPECT_EQ(floor.ScrollCounter, 8);
  EXPECT_EQ(floor.TrapRange, 1);
  EXPECT_EQ(floor.LightMode, 1);
  EXPECT_EQ(floor.OverlayKind, 0);
  EXPECT_EQ(floor.OverlayBands, 0);
  EXPECT_EQ(floor.ReadyToDraw, 0);
  EXPECT_EQ(floor.GetMaxEnemiesInView(), 65535);
}

struct StepCase {
  int FromX, FromY, ToX, ToY, Ignore;
  bool Allowed;
};

TEST(StageMoves, CanStepByTable) {
  const auto floor = MakeFloor({
      "#######",
      "#...#.#",
      "#.....#",
      "#~..#.#",
      "#######",
  });
  const StepCase cases[] = {
      {1, 1, 2, 1, 0, true},    // straight
      {1, 1, 1, 1, 0, false},   // the start cell
      {1, 1, 3, 1, 0, false},   // two cells away
      {2, 2, 3, 1, 0, true},    // diagonal between open corners
      {3, 1, 4, 2, 0, false},   // diagonal past the wall corner (4, 1)
      {3, 1, 4, 2, 1, true},    // ... unless terrain is ignored
      {3, 2, 4, 3, 0, false},   // into a wall
      {3, 2, 4, 3, 1, true},    // ... unless terrain is ignored
      {1, 2, 2, 3, 0, true},    // a barrier corner does not block
      {2, 2, 1, 3, 0, false},   // nor can barrier ground be entered
      {0, 0, -1, 0, 1, false},  // off the map
      {39, 39, 40, 39, 1, false},
  };
  for (const StepCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.FromX << ", " << c.FromY << ") -> (" << c.ToX << ", " << c.ToY
                                    << ") ignore " << c.Ignore);
    EXPECT_EQ(floor->CanStep(c.FromX, c.FromY, c.ToX, c.ToY, c.Ignore), c.Allowed);
  }
}

struct AttackCase {
  int FromX, FromY, ToX, ToY, Mode;
  bool Allowed;
};

TEST(StageMoves, CanAttackByTable) {
  auto floor = MakeFloor({
      "########",
      "#......#",
      "#......#",
      "#......#",
      "#....#.#",
      "########",
  });
  CCharacter target, between, offLine, diagonal, corner;
  floor->characterAt[CellIndex(6, 2)] = &target;
  floor->characterAt[CellIndex(3, 2)] = &between;
  floor->characterAt[CellIndex(5, 3)] = &offLine;
  floor->characterAt[CellIndex(4, 3)] = &diagonal;
  floor->characterAt[CellIndex(6, 4)] = &corner;
  const AttackCase cases[] = {
      {2, 2, 3, 2, 0, true},   // adjacent
      {2, 2, 1, 1, 0, false},  // adjacent, no one there
      {5, 3, 6, 4, 0, false},  // diagonal past the wall corner (5, 4)
      {2, 2, 4, 3, 0, false},  // two cells away
      {2, 2, 6, 2, 1, true},   // straight reach; a monster between does not block
      {2, 2, 5, 3, 1, false},  // not on a line
      {2, 1, 4, 3, 1, true},   // exact diagonal
      {2, 2, 2, 4, 1, false},  // no one there
      {2, 2, 9, 9, 7, true},   // any other mode
      {2, 2, 40, 2, 7, false},
  };
  for (const AttackCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.FromX << ", " << c.FromY << ") -> (" << c.ToX << ", " << c.ToY
                                    << ") mode " << c.Mode);
    EXPECT_EQ(floor->CanAttack(c.FromX, c.FromY, c.ToX, c.ToY, c.Mode), c.Allowed);
  }
  floor->terrain[CellIndex(4, 2)] = TerrainWall;
  EXPECT_FALSE(floor->CanAttack(2, 2, 6, 2, 1)) << "a wall between stops the reach";
}

TEST(StageMoves, AStepOntoACharacterIsRefused) {
  auto floor = MakeFloor({"####", "#..#", "####"});
  CCharacter standing;
  floor->characterAt[CellIndex(2, 1)] = &standing;
  EXPECT_FALSE(floor->CanStep(1, 1, 2, 1, 1));
  EXPECT_TRUE(floor->CanEnter(2, 1, 0)) << "entering looks at terrain only";
}

class PlayerOnFloor : public ::testing::Test {
protected:
  void SetUp() override { GetGameMain()->Player = &player; }
  void TearDown() override { GetGameMain()->Player = nullptr; }
  CCharacterPlayer player;
};

TEST_F(PlayerOnFloor, MovingThePlayerCarriesTheCamera) {
  CStageData floor;
  floor.CameraX = floor.PrevCameraX = 3;
  floor.CameraY = floor.PrevCameraY = 4;
  ASSERT_TRUE(floor.MoveCharacterTo(3, 4, &player));
  ASSERT_TRUE(floor.MoveCharacterTo(4, 5, &player));
  EXPECT_EQ(floor.GetCharacterAt(4, 5), &player);
  EXPECT_EQ(floor.GetCharacterAt(3, 4), nullptr) << "the old cell is cleared";
  EXPECT_EQ(floor.CameraX, 4);
  EXPECT_EQ(floor.CameraY, 5);
  EXPECT_EQ(floor.PrevCameraX, 3);
  EXPECT_EQ(floor.PrevCameraY, 4);
  EXPECT_EQ(floor.ScrollCounter, 8) << "the caller starts the scroll";

  CCharacter other;
  floor.characterAt[CellIndex(6, 6)] = &other;
  EXPECT_FALSE(floor.MoveCharacterTo(6, 6, &player));
  EXPECT_FALSE(floor.MoveCharacterTo(-1, 6, &player));
  EXPECT_FALSE(floor.MoveCharacterTo(6, 40, &player));
  EXPECT_FALSE(floor.MoveCharacterTo(7, 7, nullptr));
  EXPECT_EQ(floor.GetCharacterAt(4, 5), &player) << "a refused move changes nothing";
  EXPECT_EQ(floor.CameraX, 4);
  EXPECT_EQ(floor.PrevCameraX, 3);

  ASSERT_TRUE(floor.MoveCharacterTo(8, 8, &other));
  EXPECT_EQ(floor.CameraX, 4) << "only the player moves the view";
  EXPECT_EQ(floor.GetCharacterAt(6, 6), nullptr);
}

TEST(StageCamera, TheViewIs21By17CellsAroundTheCamera) {
  CStageData floor;
  floor.CameraX = 20;
  floor.CameraY = 20;
  EXPECT_EQ(floor.ToScreenX(25), 5);
  EXPECT_EQ(floor.ToScreenY(12), -8);
  EXPECT_TRUE(floor.IsInDrawArea(30, 28));
  EXPECT_TRUE(floor.IsInDrawArea(10, 12));
  EXPECT_FALSE(floor.IsInDrawArea(31, 20));
  EXPECT_FALSE(floor.IsInDrawArea(20, 11));
  EXPECT_EQ(floor.IsOnScreen(9, 20), floor.IsInDrawArea(9, 20));
}

// A mining point keeps items off its cell while it stands.
class MiningPointStandIn : public CCharacter {
public:
  bool CanShareCellWithItem() const override { return hp <= 0; }
};

TEST(StageItems, PutItemAtTakesFloorAndCorridorOnly) {
  auto floor = MakeFloor({
      "######",
      "#..>+#",
      "#h..##",
      "######",
  });
  MiningPointStandIn mine;
  mine.hp = 5;
  floor->characterAt[CellIndex(2, 2)] = &mine;
  CItem* item = new CItem;
  EXPECT_FALSE(floor->PutItemAt(3, 1, item)) << "stairs";
  EXPECT_FALSE(floor->PutItemAt(0, 0, item)) << "wall";
  EXPECT_FALSE(floor->PutItemAt(-1, 1, item));
  EXPECT_FALSE(floor->PutItemAt(2, 2, item)) << "a standing mining point";
  EXPECT_FALSE(floor->PutItemAt(1, 1, nullptr));
  ASSERT_TRUE(floor->PutItemAt(4, 1, item)) << "corridor";
  EXPECT_EQ(floor->GetItemAt(4, 1), item);
  EXPECT_EQ(item->GetX(), 4);
  EXPECT_EQ(item->GetY(), 1);

  ASSERT_TRUE(floor->PutItemAt(1, 2, item)) << "monster-house floor";
  EXPECT_EQ(floor->GetItemAt(4, 1), nullptr) << "an item lies on one cell only";
  EXPECT_EQ(floor->GetFreeFloorCode(1, 2), TerrainRoom) << "an item takes the cell";
  EXPECT_EQ(floor->GetFreeFloorCode(1, 1), TerrainRoom);
  EXPECT_EQ(floor->GetFreeFloorCode(4, 1), TerrainRoom);

  CItem* second = new CItem;
  EXPECT_FALSE(floor->PutItemAt(1, 2, second)) << "the cell holds an item";
  mine.hp = 0;
  ASSERT_TRUE(floor->PutItemAt(2, 2, second)) << "a spent mining point lets it lie";

  ASSERT_TRUE(floor->RemoveItemAt(1, 2));
  EXPECT_EQ(floor->GetItemAt(1, 2), nullptr);
  EXPECT_EQ(floor->GetFreeFloorCode(1, 2), TerrainMonsterHouse);
  delete item;  // removed: the caller's again
}

TEST(StageItems, HiddenTrapsAreNotReported) {
  CStageData floor;
  CItem* trap = new CItem;
  trap->SetRevealed(false);
  ASSERT_TRUE(floor.PutItemAt(5, 5, trap));
  EXPECT_EQ(floor.GetItemAt(5, 5), trap);
  EXPECT_EQ(floor.GetRevealedItemAt(5, 5), nullptr);
  trap->SetRevealed(true);
  EXPECT_EQ(floor.GetRevealedItemAt(5, 5), trap);
}

// Records every cell DropItemNear offers and refuses them all.
class RefusingFloor : public CStageData {
public:
  bool PutItemAt(int x, int y, CItem*) override {
    Tried.emplace_back(x, y);
    return false;
  }
  std::vector<std::pair<int, int>> Tried;
};

TEST(StageItems, DropItemNearTriesRingsInOrder) {
  using Cells = std::vector<std::pair<int, int>>;
  const Cells centre(8, {5, 5});
  const Cells rowsFirst = {{5, 4}, {5, 4}, {5, 6}, {5, 6}, {4, 5}, {4, 5}, {6, 5}, {6, 5},
                           {4, 4}, {6, 4}, {4, 6}, {6, 6}, {4, 4}, {4, 6}, {6, 4}, {6, 6}};
  const Cells columnsFirst = {{4, 5}, {4, 5}, {6, 5}, {6, 5}, {5, 4}, {5, 4}, {5, 6}, {5, 6},
                              {4, 4}, {4, 6}, {6, 4}, {6, 6}, {4, 4}, {6, 4}, {4, 6}, {6, 6}};
  for (bool columns : {false, true}) {
    SCOPED_TRACE(columns ? "columns first" : "rows first");
    RefusingFloor floor;
    EXPECT_FALSE(floor.DropItemNear(5, 5, nullptr, columns));
    ASSERT_GE(floor.Tried.size(), 24u);
    EXPECT_EQ(Cells(floor.Tried.begin(), floor.Tried.begin() + 8), centre);
    EXPECT_EQ(Cells(floor.Tried.begin() + 8, floor.Tried.begin() + 24), columns ? columnsFirst : rowsFirst);
    // The rings go on while any cell of one lies on the map: to 34 cells away.
    int farthest = 0;
    for (auto [x, y] : floor.Tried) {
      ASSERT_TRUE(IsOnMap(x, y));
      farthest = std::max({farthest, std::abs(x - 5), std::abs(y - 5)});
    }
    EXPECT_EQ(farthest, 34);
  }
  RefusingFloor forced;
  forced.DropItemNearForced(5, 5, nullptr);
  EXPECT_EQ(Cells(forced.Tried.begin() + 8, forced.Tried.begin() + 24), columnsFirst);
}

TEST(StageItems, DropItemNearFindsTheNearestCellThatTakesIt) {
  auto floor = MakeFloor({
      "#####",
      "#...#",
      "#...#",
      "#####",
  });
  CItem* lying = new CItem;
  ASSERT_TRUE(floor->PutItemAt(1, 1, lying));
  CItem* dropped = new CItem;
  ASSERT_TRUE(floor->DropItemNear(1, 1, dropped, true));
  EXPECT_EQ(floor->GetItemAt(2, 1), dropped) << "ring 1, column cells first: (2, 1) before (1, 2)";
  EXPECT_EQ(dropped->GetX(), 2);

  auto full = MakeFloor({"###", "#.#", "###"});
  CItem* first = new CItem;
  ASSERT_TRUE(full->DropItemNear(1, 1, first, false));
  CItem* homeless = new CItem;
  EXPECT_FALSE(full->DropItemNear(1, 1, homeless, false)) << "no cell takes it";
  delete homeless;
}

TEST(StageRooms, FindRoomExitOnEachSide) {
  const auto floor = MakeFloor({
      "##########",
      "#####+####",
      "#.......+#",
      "+.......##",
      "#........+",
      "#######+##",
  });
  struct Case {
    int X, Y, Side;
    bool Found;
    int ExitX, ExitY;
  };
  const Case cases[] = {
      {3, 3, 0, true, 5, 1},   // above: scanned towards higher x after lower x found none
      {6, 3, 0, true, 5, 1},   // above: towards lower x first
      {3, 3, 1, true, 7, 5},   // below
      {3, 3, 2, true, 0, 3},   // left
      {3, 2, 3, true, 8, 2},   // right, first corridor scanning up from y 2
      {3, 4, 3, true, 9, 4},   // right: row 4 reaches a column further
      {3, 3, 9, true, 8, 2},   // any other side is the higher x
      {5, 1, 0, false, 0, 0},  // not in a room
      {0, 0, 1, false, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "(" << c.X << ", " << c.Y << ") side " << c.Side);
    int x = -9, y = -9;
    EXPECT_EQ(floor->FindRoomExit(c.X, c.Y, x, y, c.Side), c.Found);
    if (c.Found) {
      EXPECT_EQ(std::make_pair(x, y), std::make_pair(c.ExitX, c.ExitY));
    }
  }
}

TEST(StageRooms, IsConnectedFloodsAlongRowsAndColumns) {
  EXPECT_TRUE(MakeFloor({"#####", "#..+#", "###.#", "#####"})->IsConnected());
  EXPECT_FALSE(MakeFloor({"#####", "#.#.#", "#####"})->IsConnected()) << "two rooms apart";
  EXPECT_FALSE(MakeFloor({"####", "#.##", "##.#", "####"})->IsConnected()) << "diagonals do not join";
  EXPECT_TRUE(MakeFloor({"#####", "#.~r#", "#####"})->IsConnected()) << "anything but wall is open";
  EXPECT_TRUE(MakeFloor({})->IsConnected()) << "all wall";
  CStageData open;
  EXPECT_TRUE(open.IsConnected()) << "all room floor";
}

}  // namespace
