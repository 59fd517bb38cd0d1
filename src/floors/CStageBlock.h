#pragma once
#include <cstdint>

class CCharacter;
class CStageData;

// One node of the tree that splits a floor into rooms: a rectangle of cells
// that is either cut in two (both children set) or holds one room or, when too
// narrow for a room, the junction point its corridors meet at. Sides are
// 0 lower y, 1 higher y, 2 lower x, 3 higher x.
class CStageBlock {
public:
  CStageBlock() = default;
  virtual ~CStageBlock();
  CStageBlock(const CStageBlock&) = delete;
  CStageBlock& operator=(const CStageBlock&) = delete;

  // Walls the rectangle in, then splits it, carves its rooms and digs the
  // corridors that join them; may make one room the floor's monster house.
  void Build(int x, int y, int w, int h, int depth, CStageData* floor);
  // A room inside the leaf with a wall all round; false (and a 3 x 3
  // junction box instead) for a leaf too narrow for one.
  bool CarveRoom();
  // Digs this side's corridor out to the line just outside the block and
  // joins what reaches that line.
  bool DigCorridor(int side);
  // Joins the corridors that touch the line (a row when horizontal) between
  // its first and last touching cell; false when fewer than two touch.
  bool JoinCorridorEnds(int startX, int startY, int length, bool horizontal);
  // A room of monster-house floor with chests, sleeping monsters and traps;
  // false with nothing placed when the block is too narrow for a room.
  bool MakeMonsterHouse();

  enum State : std::int32_t { Empty = 0, Room = 1, Junction = 2 };

  std::int32_t x = 0, y = 0, w = 0, h = 0;
  std::int32_t state = Empty;
  std::int32_t roomX = 0, roomY = 0, roomW = 0, roomH = 0;
  std::int32_t corridorDone[4] = {};
  CStageBlock* child[2] = {};
  CStageData* floor = nullptr;

private:
  void DigLeafCorridors();
  bool DigAndJoin(int side);
  bool PassToTouchingChildren(int side);
  void FillMonsterHouse();
  bool PlaceInRoom(CCharacter* character);
  std::uint32_t GetCell(int cx, int cy) const;
  void SetCell(int cx, int cy, std::uint32_t code);
  bool IsCorridorCell(int cx, int cy) const;
};
