#pragma once
// "CONTINUE ON?" over the play screen while the player stands on the
// stairs. NO is chosen at every opening; YES ends the floor through the
// stage-end state. Either answer takes the dialog off the chain at once and
// swallows what was pressed, so nothing of it reaches the play screen.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputNext : public CGameInput {
public:
  CGameInputNext();
  ~CGameInputNext() override = default;

  void Begin() override;
  void BuildLayout() override;
  void Draw() override;
  void Update() override;

  // The chosen answer's window white, the other dark grey.
  void RefreshChoice();

  enum Choice : std::int32_t { ChoiceYes = 0, ChoiceNo = 1 };

  CWidgetWindow QuestionWindow;
  CWidgetWindow YesWindow;
  CWidgetWindow NoWindow;
  std::int32_t Chosen = ChoiceNo;

private:
  // Takes the dialog off the chain; the play screen is not told.
  void Leave();
};

CGameInputNext* GetGameInputNext();
