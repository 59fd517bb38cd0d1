#pragma once
// Generated floors for tests: a player to place, monsters that are stubs
// drawing no random number (so that a floor's draws are generation's alone),
// and the counts of what generation asked for.
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "app/CGameMain.h"
#include "characters/CCharacter.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "platform/Random.h"

namespace floorgen {

class StubMonster : public CCharacter {
public:
  StubMonster() { type = 256; }
};

// A floor of class Floor whose monsters are stubs and whose mining-point
// placements are counted.
template <class Floor>
class Stubbed : public Floor {
public:
  CCharacter* PickEnemy() override {
    ++Picked;
    return new StubMonster();
  }
  bool PlaceAtRandomCell(CCharacter* character) override {
    ++MiningPoints;
    return Floor::PlaceAtRandomCell(character);
  }
  int Picked = 0;
  int MiningPoints = 0;
};

// Gives the game a player for the time of a test and clears the characters
// generation listed.
class WithPlayer : public ::testing::Test {
protected:
  void SetUp() override {
    player_ = std::make_unique<CCharacterPlayer>();
    GetGameMain()->Player = player_.get();
  }
  void TearDown() override {
    GetGameMain()->Characters.DeleteAllButPlayer();
    GetGameMain()->Player = nullptr;
  }
  CCharacter* Player() { return player_.get(); }
  // Ends a floor: its listed characters and the floor.
  void Discard(CStageData* floor) {
    GetGameMain()->Characters.DeleteAllButPlayer();
    delete floor;
  }

private:
  std::unique_ptr<CCharacterPlayer> player_;
};

inline std::uint64_t TerrainHash(const CStageData& floor) {
  std::uint64_t hash = 1469598103934665603ull;
  for (TerrainCode code : floor.terrain) hash = (hash ^ code) * 1099511628211ull;
  return hash;
}

// The floor as text, one string per row: # wall, . room, h monster house,
// + corridor, > stairs, ~ barrier, r rock.
inline std::string TerrainText(const CStageData& floor) {
  std::string text;
  for (int y = 0; y < StageMapSize; ++y) {
    for (int x = 0; x < StageMapSize; ++x) text += ".h+>#~6r"[floor.terrain[CellIndex(x, y)] & 7];
    text += '\n';
  }
  return text;
}

}  // namespace floorgen
