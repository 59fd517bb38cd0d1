#pragma once
// The TUTORIAL: one fixed floor of nine small rooms in a 3 x 3 grid. Each
// room teaches one thing; the gate to the next room opens only when its
// lesson is done, and the one behind the player closes. EventFlags 0-11 hold
// the lessons done, so a saved tutorial resumes where it was.
#include <cstdint>

#include "floors/CStageDataBase.h"

class CItem;

constexpr int TutorialGateCount = 8;
constexpr int TutorialStepCount = 12;
// Where the stairs appear after the last craft lesson.
constexpr int TutorialStairsX = 20, TutorialStairsY = 19;

class CStageDataTutorial : public CStageDataBase {
public:
  CStageDataTutorial();

  void GenerateFloor() override;
  // The floor's frame, the player kept fed, then the current lesson step.
  void Update() override;
  void LoadArea() override;
  int GetEnemyCount() override;
  int GetItemCount() override;
  int GetTrapCount() override;
  CStageData* CreateNextFloor() override;
  // The lesson text of the cell; true when one was shown.
  bool OnTurnEvent(int x, int y) override;
  CItem* PickFloorItem() override;
  int GetMineWeight() override { return 0; }
  int GetTreeWeight() override { return 0; }
  int GetBushWeight() override { return 0; }
  int GetChestWeight() override { return 0; }

  // No item lies anywhere on the floor.
  virtual bool IsFloorClear();

  // Gate 1-8 open: its three cells corridor.
  void OpenGate(int gate);
  // Gate 1-8 shut: its cells wall. Never on a character: while one stands in
  // the gate it stays as it is (false). An item lying in it is first moved
  // to the free room cell nearest the player, so nothing is walled in.
  bool CloseGate(int gate);
  bool IsGateOpen(int gate) const;

  // The lowest step not done yet, TutorialStepCount - 1 at the end.
  int GetCurrentStep() const;

private:
  void RunStep(int step);
  bool IsPlayerAt(int x, int y) const;
  bool PlayerCarries(std::int32_t itemId, bool inFirstEnchantment) const;
  bool MoveItemOffGate(int x, int y);
};
