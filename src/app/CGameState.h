#pragma once
#include <cstdint>

using GameStateId = std::int32_t;

// The states by id (GameStateFromId); 2 and 19 are the bare in-dungeon
// state, which nobody requests.
constexpr GameStateId StateTitle = 1;
constexpr GameStateId StateCleanUp = 3;
constexpr GameStateId StateMainNormal = 4;
constexpr GameStateId StatePlayerAction = 5;
constexpr GameStateId StatePlayerMove = 6;
constexpr GameStateId StateTrapAction = 7;
constexpr GameStateId StateEnemyMove = 8;
constexpr GameStateId StateEnemyAction = 9;
constexpr GameStateId StateStageStart = 10;
constexpr GameStateId StateStageEnd = 11;
constexpr GameStateId StateReturnToTitle = 12;
constexpr GameStateId StateGameOver = 13;
constexpr GameStateId StateClear = 14;

// A state of the game's flow. Every operation has an empty default body;
// each state overrides the few it needs.
class CGameState {
public:
  virtual void Reset() {}
  virtual void Update() {}
  virtual void Draw(int pass) { (void)pass; }
  virtual void DrawScene() {}
  virtual void Enter() {}
  virtual void Leave() {}
  virtual void ChangeState(GameStateId id) { (void)id; }
  virtual void Hold() {}
  virtual void Release() {}
  virtual ~CGameState() = default;
};

// Holds the current state, forwards the frame to it, changes it on request,
// and counts the holds that keep the turn from moving on.
class CGameStateController : public CGameState {
public:
  using StateResolver = CGameState* (*)(GameStateId);
  // The game's controller resolves ids with GameStateFromId; tests give
  // their own states.
  explicit CGameStateController(StateResolver resolver = nullptr) : Resolve(resolver) {}

  void Reset() override;
  void Update() override;
  void Draw(int pass) override;
  void DrawScene() override;
  void ChangeState(GameStateId id) override;
  void Hold() override;
  void Release() override;
  virtual GameStateId GetStateId() const { return CurrentId; }
  // Forgets every hold without moving any state on: a new floor or a new
  // run starts with none, whatever the characters deleted with the old one
  // still held.
  void ClearHolds() { HoldCount = 0; }

  CGameState* GetCurrentState() const { return Current; }
  std::int32_t GetHoldCount() const { return HoldCount; }

private:
  StateResolver Resolve;
  CGameState* Current = nullptr;
  std::int32_t HoldCount = 0;
  GameStateId CurrentId = 0;
};

CGameStateController* GetStateController();

// The state object of an id, or null for ids without a state (15-18 and
// anything outside 1-19).
CGameState* GameStateFromId(GameStateId id);
