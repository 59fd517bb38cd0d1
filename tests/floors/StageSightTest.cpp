// Line of sight and what the player sees, on small hand-made maps.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "floors/FloorTestSupport.h"

namespace {

using floortest::MakeFloor;
using floortest::VisibleRows;

// A room with one door below leading into a corridor.
const std::vector<std::string> RoomWithDoor = {
    "##########",
    "#........#",
    "#........#",
    "#........#",
    "#####+####",
    "#####+####",
    "#####+####",
};

struct SightCase {
  int X1, Y1, X2, Y2;
  bool Seen;
  const char* Why;
};

TEST(StageSight, LineOfSightByTable) {
  auto floor = MakeFloor(RoomWithDoor);
  const SightCase cases[] = {
      {3, 2, 3, 2, true, "the own cell"},
      {3, 2, 8, 1, true, "across the room"},
      {3, 2, 0, 2, true, "the wall next to the room"},
      {3, 2, 3, 4, true, "the wall row below the room"},
      {3, 2, 3, 5, false, "behind that wall"},
      {5, 2, 5, 4, true, "the door cell"},
      {5, 2, 5, 5, false, "the corridor past the door"},
      {5, 5, 5, 6, true, "from a corridor: a neighbour"},
      {5, 5, 4, 4, true, "from a corridor: a diagonal neighbour"},
      {5, 5, 5, 3, false, "from a corridor: two steps away"},
      {5, 4, 5, 2, false, "from the door: two steps away"},
  };
  for (const SightCase& c : cases) {
    SCOPED_TRACE(c.Why);
    EXPECT_EQ(floor->HasLineOfSight(c.X1, c.Y1, c.X2, c.Y2), c.Seen);
  }
}

TEST(StageSight, ACornerOfWallsCutsTheDiagonal) {
  auto floor = MakeFloor({
      "#########",
      "#.......#",
      "#.......#",
      "#.......#",
      "#.......#",
      "#.....#.#",
      "#....#..#",
      "#.......#",
      "#########",
  });
  // (6, 5) and (5, 6) are wall; (6, 6) is floor.
  EXPECT_FALSE(floor->HasLineOfSight(5, 5, 7, 7));
  floor->terrain[CellIndex(5, 6)] = TerrainRoom;
  EXPECT_TRUE(floor->HasLineOfSight(5, 5, 7, 7)) << "one open side is enough";
  // A wall in the way of a straight look across the room.
  EXPECT_TRUE(floor->HasLineOfSight(1, 1, 7, 1));
  floor->terrain[CellIndex(4, 1)] = TerrainWall;
  EXPECT_FALSE(floor->HasLineOfSight(1, 1, 7, 1));
  EXPECT_TRUE(floor->HasLineOfSight(1, 2, 7, 1)) << "around it, through the rectangle";
}

TEST(StageSight, CanSeeFromACorridorLooksThroughTheRoomBesideIt) {
  auto floor = MakeFloor(RoomWithDoor);
  EXPECT_FALSE(floor->HasLineOfSight(5, 4, 1, 1));
  EXPECT_TRUE(floor->CanSee(5, 4, 1, 1)) << "the door stands next to the room";
  EXPECT_FALSE(floor->CanSee(5, 5, 1, 1)) << "one cell further down the corridor";
  EXPECT_TRUE(floor->CanSee(5, 5, 4, 4)) << "still its own neighbours";
  EXPECT_TRUE(floor->CanSee(2, 2, 8, 3)) << "from the room as the line of sight";
}

TEST(StageSight, InARoomThePlayerSeesTheRoomItsWallsAndItsDoor) {
  auto floor = MakeFloor(RoomWithDoor);
  floor->explored[CellIndex(8, 1)] = 2;  // mapped before
  floor->UpdateVisibility(3, 2);
  EXPECT_EQ(VisibleRows(*floor, 11, 7), (std::vector<std::string>{
                                            "11111111110",
                                            "12222222210",
                                            "12222222210",
                                            "12222222210",
                                            "11111111110",
                                            "00000000000",
                                            "00000000000",
                                        }));
  for (int x = 0; x < StageMapSize; ++x)
    for (int y = 0; y < StageMapSize; ++y) {
      const int seen = floor->visible[CellIndex(x, y)];
      const int explored = floor->explored[CellIndex(x, y)];
      if (x == 8 && y == 1) {
        EXPECT_EQ(explored, 2) << "explored only grows";
      } else {
        EXPECT_EQ(explored, seen ? 1 : 0) << x << ", " << y;
      }
    }
}

TEST(StageSight, InACorridorThePlayerSeesItsEightNeighbours) {
  auto floor = MakeFloor(RoomWithDoor);
  floor->UpdateVisibility(3, 2);
  floor->UpdateVisibility(5, 5);
  EXPECT_EQ(VisibleRows(*floor, 10, 7), (std::vector<std::string>{
                                            "0000000000",
                                            "0000000000",
                                            "0000000000",
                                            "0000000000",
                                            "0000111000",
                                            "0000121000",
                                            "0000111000",
                                        }))
      << "the room seen before is dark now";
  EXPECT_EQ(floor->explored[CellIndex(1, 1)], 1) << "but stays explored";

  floor->UpdateVisibility(0, 0);  // a corner: only the neighbours on the map
  int lit = 0;
  for (std::uint8_t v : floor->visible) lit += v != 0;
  EXPECT_EQ(lit, 4);
}

TEST(StageSight, TheRoomIsLitFromEveryCellOfIt) {
  // Whatever cell of the room the player stands on, the whole room shows:
  // the four quadrants meet without a gap on the player's row and column.
  auto floor = MakeFloor(RoomWithDoor);
  for (int x = 1; x <= 8; ++x)
    for (int y = 1; y <= 3; ++y) {
      floor->UpdateVisibility(x, y);
      for (int rx = 1; rx <= 8; ++rx)
        for (int ry = 1; ry <= 3; ++ry)
          ASSERT_EQ(floor->IsVisible(rx, ry), VisibleOpen) << "from " << x << ", " << y << " to " << rx << ", " << ry;
      ASSERT_EQ(floor->IsVisible(5, 4), VisibleBlocking);
      ASSERT_EQ(floor->IsVisible(5, 5), VisibleNone);
    }
}

}  // namespace
