// A monster's turn: the points it gets and spends, where it heads for and
// how it gets there, and what it does when it can act. Monsters know no
// map-wide paths: they head for the player when they see him, else follow
// the corridor they are in, else make for a room exit.
#include <algorithm>
#include <cstdlib>
#include <iterator>

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "monsters/CCharacterEnemy.h"
#include "platform/Random.h"
#include "platform/TextTable.h"
#include "ui/CGameInput.h"

namespace {

constexpr std::int32_t ParalyzeWakeMarker = -100;
constexpr TextId CureText = 599;
constexpr int MaxLevel = 99;

CStageData* Stage() { return GetGameMain()->CurrentStage; }
CCharacter* Player() { return GetGameMain()->Player; }

int Sign(int v) { return (v > 0) - (v < 0); }

bool IsStraight(Direction d) {
  return d == DirectionLeft || d == DirectionRight || d == DirectionUp || d == DirectionDown;
}
bool IsDiagonal(Direction d) {
  return d == DirectionUpLeft || d == DirectionUpRight || d == DirectionDownLeft || d == DirectionDownRight;
}

// Whether the player stands within `reach` cells on both axes.
bool PlayerWithin(const CCharacter& self, const CCharacter* player, int reach) {
  return player && std::abs(player->x - self.x) <= reach && std::abs(player->y - self.y) <= reach;
}

// A short list of directions or cells, in the order they were found.
template <class T, int N>
struct Candidates {
  T Items[N];
  int Count = 0;
  void Add(T item) {
    if (Count < N) Items[Count++] = item;
  }
  void RemoveAt(int i) {
    std::copy(Items + i + 1, Items + Count, Items + i);
    --Count;
  }
  // One pass of a pruning rule: candidates go one at a time, and the pass
  // stops as soon as one is left.
  template <class Rule>
  void Prune(Rule removes) {
    for (int i = 0; i < Count && Count > 1;) {
      if (removes(Items[i]))
        RemoveAt(i);
      else
        ++i;
    }
  }
};

struct Cell {
  int X, Y;
};

}  // namespace

// ---- Points

int CCharacterEnemy::GetActionCost() const {
  const CCharacter* player = Player();
  int cost = player && player->IsQuick() ? 8 : 4;
  if (IsQuick()) cost /= 2;
  if (!IsSlow()) cost /= 2;
  return cost;
}

void CCharacterEnemy::SpendActionPoints() {
  if (IsQuick() && !IsSlow())
    actionPoints -= GetActionCost();
  else
    actionPoints = 0;
}

void CCharacterEnemy::StartTurn() {
  actionPoints += 2;
  if (!IsQuick()) actionPoints = std::min(actionPoints, GetActionCost());
  CCharacter::StartTurn();
}

void CCharacterEnemy::UpdateTurn() {
  // Woken by its next move phase instead.
  std::int32_t& paralyze = status[static_cast<int>(StatusKind::Paralyze)];
  if (paralyze == 1) paralyze = ParalyzeWakeMarker;
  CCharacter::UpdateTurn();
}

void CCharacterEnemy::LevelUp() {
  if (level < MaxLevel) SetLevel(level + 1);
}

void CCharacterEnemy::LevelDown() {
  if (level > 1) SetLevel(level - 1);
}

// ---- What it sees and reaches

bool CCharacterEnemy::CanSeePlayer() const {
  const CStageData* stage = Stage();
  const CCharacter* player = Player();
  return stage && player && stage->CanSee(x, y, player->x, player->y);
}

bool CCharacterEnemy::CanAttackPlayer() const {
  const CStageData* stage = Stage();
  const CCharacter* player = Player();
  return stage && player && stage->CanAttack(x, y, player->x, player->y, 0);
}

bool CCharacterEnemy::PlayerInLineOfFire() const {
  const CStageData* stage = Stage();
  const CCharacter* player = Player();
  return stage && player && stage->CanAttack(x, y, player->x, player->y, 1) && CanSeePlayer();
}

bool CCharacterEnemy::PlayerInSight() const {
  const CStageData* stage = Stage();
  const CCharacter* player = Player();
  return stage && player && stage->HasLineOfSight(x, y, player->x, player->y);
}

void CCharacterEnemy::StartSpecial() {
  SetAnimation(AnimationThrow);
  OnShoot();
}

void CCharacterEnemy::AnnounceSpecial() {
  OnShoot();
  SetAnimation(AnimationThrow);
}

bool CCharacterEnemy::RollSpecial(int percent) { return CanUseSpecialAttack() && RandomChance(percent); }

void CCharacterEnemy::FaceTarget() { SetDirection(FacingToward(x, y, targetX, targetY, direction)); }

bool CCharacterEnemy::TargetRoomExit(const int* sides, int sideCount) {
  const CStageData* stage = Stage();
  if (!stage) return false;
  Candidates<Cell, 4> exits;
  for (int i = 0; i < sideCount; ++i) {
    Cell exit{};
    if (stage->FindRoomExit(x, y, exit.X, exit.Y, sides[i])) exits.Add(exit);
  }
  if (exits.Count == 0) return false;
  const Cell pick = exits.Items[Random() % exits.Count];
  targetX = pick.X;
  targetY = pick.Y;
  return true;
}

// ---- Target choice

void CCharacterEnemy::SearchPlayer() {
  const CStageData* stage = Stage();
  if (!stage) return;
  const CCharacter* player = Player();
  if (CanSeePlayer()) {
    targetX = player->x;
    targetY = player->y;
    return;
  }
  // A corridor target holds until it is reached.
  if (targetX != -1 && targetY != -1 && stage->GetTerrain(targetX, targetY) == TerrainCorridor &&
      !(targetX == x && targetY == y))
    return;

  auto nowhere = [this] {
    targetX = targetY = -1;
    actionPoints = 0;
  };
  const int behindX = x - GetFacingDx(), behindY = y - GetFacingDy();

  if (stage->GetTerrain(x, y) != TerrainCorridor) {
    // In a room: a room exit, not the one it came in by while there are others.
    Candidates<Cell, 4> exits;
    for (int side = 0; side < 4; ++side) {
      Cell exit{};
      if (stage->FindRoomExit(x, y, exit.X, exit.Y, side)) exits.Add(exit);
    }
    if (exits.Count == 0) return nowhere();
    if (exits.Count >= 2) {
      for (int i = 0; i < exits.Count; ++i) {
        if (exits.Items[i].X == behindX && exits.Items[i].Y == behindY) {
          exits.RemoveAt(i);
          break;
        }
      }
    }
    const Cell pick = exits.Items[Random() % exits.Count];
    targetX = pick.X;
    targetY = pick.Y;
    return;
  }

  // In a corridor: the player's trail, else the way on.
  Candidates<Direction, 8> ways;
  if (player && stage->HasLineOfSight(x, y, player->prevX, player->prevY) &&
      stage->CanStep(x, y, player->prevX, player->prevY, passesWalls)) {
    ways.Add(DirectionFromDelta(player->prevX - x, player->prevY - y));
  } else {
    for (Direction d : {DirectionLeft, DirectionRight, DirectionUp, DirectionDown, DirectionUpLeft,
                        DirectionUpRight, DirectionDownLeft, DirectionDownRight})
      if (stage->CanStep(x, y, x + DirectionDx(d), y + DirectionDy(d), passesWalls)) ways.Add(d);
    if (ways.Count == 0) return nowhere();

    const Direction facing = direction;
    auto cellOf = [this](Direction d) { return Cell{x + DirectionDx(d), y + DirectionDy(d)}; };
    auto canStep = [&](int fromX, int fromY, int toX, int toY) {
      return stage->CanStep(fromX, fromY, toX, toY, passesWalls);
    };
    // Not back the way it faces from.
    if (IsStraight(facing) || IsDiagonal(facing)) {
      ways.Prune([facing](Direction d) {
        return d == RotateDirection(facing, 3) || d == RotateDirection(facing, 4) || d == RotateDirection(facing, 5);
      });
    }
    // Not into a cell it could have entered straight from where it was.
    ways.Prune([&](Direction d) {
      const Cell c = cellOf(d);
      return canStep(behindX, behindY, c.X, c.Y);
    });
    // Not round a corner it could have cut through a side cell.
    if (IsDiagonal(facing)) {
      ways.Prune([&](Direction d) {
        const Cell c = cellOf(d);
        Cell middle{};
        if (c.X == behindX && std::abs(c.Y - behindY) == 2)
          middle = {behindX, (behindY + c.Y) / 2};
        else if (c.Y == behindY && std::abs(c.X - behindX) == 2)
          middle = {(behindX + c.X) / 2, behindY};
        else
          return false;
        return canStep(behindX, behindY, middle.X, middle.Y) && canStep(middle.X, middle.Y, c.X, c.Y);
      });
    }
    // Not straight into a dead end.
    ways.Prune([&](Direction d) {
      if (!IsStraight(d)) return false;
      const Cell c = cellOf(d);
      return !canStep(c.X, c.Y, c.X + DirectionDx(d), c.Y + DirectionDy(d));
    });
    // Not diagonally off the corridor.
    ways.Prune([&](Direction d) {
      const Cell c = cellOf(d);
      return IsDiagonal(d) && !stage->IsCorridor(c.X, c.Y);
    });
  }
  const Direction way = ways.Items[Random() % ways.Count];
  targetX = x + DirectionDx(way);
  targetY = y + DirectionDy(way);
}

// ---- The move phase

void CCharacterEnemy::DecideMove() {
  CStageData* stage = Stage();
  if (!stage || !alive || hp <= 0) return;
  CCharacter* player = Player();

  std::int32_t& paralyze = status[static_cast<int>(StatusKind::Paralyze)];
  if (paralyze == ParalyzeWakeMarker) {
    paralyze = 0;
    ShowPopup(GetCurrentLanguageText(CureText));
    OnCure();
  }

  auto targetPlayerIfSeen = [&] {
    if (!CanSeePlayer()) return;
    targetX = player->x;
    targetY = player->y;
  };

  while (GetActionCost() <= actionPoints) {
    if (IsDisguise()) {
      // Exactly one action kept for the action phase.
      actionPoints = GetActionCost();
      return;
    }
    if (IsHold()) {
      if (player) {
        // Next to it, or showing or hiding himself by his last step, the
        // player may break the hold.
        const bool adjacent = PlayerWithin(*this, player, 1);
        const bool sightChanged = stage->HasLineOfSight(player->prevX, player->prevY, x, y) !=
                                  stage->HasLineOfSight(player->x, player->y, x, y);
        if ((adjacent || sightChanged) && RandomChance(50)) ClearHold();
        if (!IsHold()) targetPlayerIfSeen();
      }
      actionPoints = 0;
      return;
    }
    if (IsDormant()) {
      if (player && stage->HasLineOfSight(player->x, player->y, x, y)) ClearDormant();
      if (!IsDormant()) targetPlayerIfSeen();
      actionPoints = 0;
      return;
    }
    if (IsSleep() || IsParalyze()) {
      actionPoints = 0;
      return;
    }

    SearchPlayer();
    if (targetX == -1 || targetY == -1) {
      // Nowhere to go: the turn ends here.
      actionPoints = std::max(actionPoints, 0);
      return;
    }
    FaceTarget();

    const auto playerAhead = [&] {
      const int aheadX = x + GetFacingDx(), aheadY = y + GetFacingDy();
      return player && stage->CanAttack(x, y, aheadX, aheadY, 0) && stage->GetCharacterAt(aheadX, aheadY) == player;
    };

    if (IsConfuse()) {
      const Direction facing = direction;
      SetDirection(RandomDirection());
      if (!StepForward() && stage->CanAttack(x, y, x + GetFacingDx(), y + GetFacingDy(), 0)) {
        // Whoever it bumped into is struck in the action phase.
        SetDirection(facing);
        return;
      }
      SpendActionPoints();
      continue;
    }

    if (RollRandomMove()) {
      SetDirection(RandomDirection());
      if (!StepForward() && playerAhead()) return;
      SpendActionPoints();
      continue;
    }
    if (WantsSpecialAttack() || CanAttackPlayer()) return;
    if (HoldsStillNearPlayer() && CanSeePlayer() && PlayerWithin(*this, player, 2)) {
      SpendActionPoints();
      continue;
    }
    if (StepForward()) {
      SpendActionPoints();
      continue;
    }
    StepAroundBlock();
  }
}

void CCharacterEnemy::StepAroundBlock() {
  const Direction facing = direction;
  Direction first, second;
  if (IsStraight(facing)) {
    // The two diagonals beside it, in a drawn order.
    const bool vertical = facing == DirectionUp || facing == DirectionDown;
    const Direction a = facing + (vertical ? DirectionRight : DirectionDown);
    const Direction b = facing + (vertical ? DirectionLeft : DirectionUp);
    const bool even = (Random() & 1) == 0;
    first = even ? a : b;
    second = even ? b : a;
  } else {
    // Its two sides, the one along the longer way to the target first.
    const Direction vertical = facing & (DirectionUp | DirectionDown);
    const Direction horizontal = facing & (DirectionLeft | DirectionRight);
    const int distanceX = std::abs(targetX - x), distanceY = std::abs(targetY - y);
    bool verticalFirst;
    if (distanceX != distanceY)
      verticalFirst = distanceX < distanceY;
    else
      verticalFirst = (Random() & 1) == 0;
    first = verticalFirst ? vertical : horizontal;
    second = verticalFirst ? horizontal : vertical;
  }
  SetDirection(first);
  if (StepForward()) return SpendActionPoints();
  SetDirection(second);
  if (StepForward()) return SpendActionPoints();

  SetDirection(facing);
  SpendActionPoints();
  static constexpr int AllSides[] = {0, 1, 2, 3};
  if (!TargetRoomExit(AllSides, 4)) {
    actionPoints = 0;
    targetX = targetY = -1;
  }
}

// ---- The action phase

bool CCharacterEnemy::DecideAction() {
  CStageData* stage = Stage();
  if (!stage || !alive || hp <= 0) return false;
  CCharacter* player = Player();

  auto facePlayer = [&] { SetDirection(FacingToward(x, y, player->x, player->y, direction)); };

  if (IsDisguise()) {
    if (PlayerWithin(*this, player, 1) && CanAttackPlayer() && GetActionCost() <= actionPoints) ClearDisguise();
    if (IsDisguise()) {
      actionPoints = 0;
    } else if (CanSeePlayer()) {
      targetX = player->x;
      targetY = player->y;
    }
  }
  if (!IsSleep() && !IsParalyze() && !IsConfuse() && !IsHold() && !IsDormant() && !IsDisguise() &&
      GetRandomMoveChance() < 1 && CanSeePlayer()) {
    facePlayer();
    targetX = player->x;
    targetY = player->y;
  }

  while (GetActionCost() <= actionPoints) {
    SpendActionPoints();
    if (!IsConfuse()) {
      if (WantsSpecialAttack()) {
        UseSpecialAttack();
        return true;
      }
      if (CanAttackPlayer()) {
        facePlayer();
        SetAnimation(AnimationAttack);
        OnAttack();
        return true;
      }
      if (CanUseSpecialAttack()) {
        UseSpecialAttack();
        return true;
      }
      continue;
    }
    // Confused: whatever neighbour it happens to face is struck.
    static constexpr Direction Around[] = {DirectionUpLeft,   DirectionUp,   DirectionUpRight,
                                           DirectionLeft,     DirectionRight, DirectionDownLeft,
                                           DirectionDown,     DirectionDownRight};
    auto canStrike = [&](Direction d) { return stage->CanAttack(x, y, x + DirectionDx(d), y + DirectionDy(d), 0); };
    if (std::none_of(std::begin(Around), std::end(Around), canStrike)) continue;
    do {
      SetDirection(RandomDirection());
    } while (!canStrike(direction));
    SetAnimation(AnimationAttack);
    OnAttack();
    return true;
  }
  return false;
}

// ---- Struck by the player

int CCharacterEnemy::ReceiveAttack(AttackType attackType, bool strong, int damage, CCharacter* attacker) {
  const int taken = CCharacter::ReceiveAttack(attackType, strong, damage, attacker);
  if (attacker && attacker == Player()) RetargetTowardPlayer();
  return taken;
}

void CCharacterEnemy::RetargetTowardPlayer() {
  const CStageData* stage = Stage();
  const CCharacter* player = Player();
  if (!stage || !player) return;
  const int sx = Sign(player->x - x), sy = Sign(player->y - y);
  if (!stage->IsRoomCell(x, y)) {
    if (stage->CanStep(x, y, x + sx, y + sy, passesWalls)) {
      targetX = x + sx;
      targetY = y + sy;
      return;
    }
    Candidates<Cell, 2> steps;
    for (const Cell c : {Cell{x + sx, y}, Cell{x, y + sy}})
      if (stage->CanStep(x, y, c.X, c.Y, passesWalls)) steps.Add(c);
    if (steps.Count == 0) return;
    const Cell pick = steps.Items[Random() % steps.Count];
    targetX = pick.X;
    targetY = pick.Y;
    return;
  }
  // In a room: an exit on the player's side.
  int sides[4];
  int sideCount = 0;
  if (sy < 0) sides[sideCount++] = 0;
  if (sy > 0) sides[sideCount++] = 1;
  if (sx < 0) sides[sideCount++] = 2;
  if (sx > 0) sides[sideCount++] = 3;
  TargetRoomExit(sides, sideCount);
}
