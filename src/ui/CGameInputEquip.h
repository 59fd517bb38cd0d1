#pragma once
// The question before the menu equips or unequips: the worn item above the
// one that would take its place, and EQUIP (or UNEQUIP) against CANCEL. The
// menu sets the two places, pushes it, and reads GetResult when it hands
// back: 1 for the left button, 0 for CANCEL.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputEquip : public CGameInput {
public:
  // An inventory place that never holds an item: "none" for either panel.
  static constexpr int NoPlace = 37;

  CGameInputEquip();
  ~CGameInputEquip() override = default;

  void Begin() override;
  void Close() override { Phase = ScreenClosing; }
  void OnCovered() override { Phase = ScreenPaused; }
  void OnChildClosed() override { Phase = ScreenResuming; }
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override;
  void Update() override;
  void UpdateWidgets() override { Arrow.Update(); }

  // Captions of both panels and the buttons, and the highlight.
  virtual void DrawChoices();
  // Hands back at once.
  virtual void Finish();
  virtual void SetMode(int wornSlot, int newSlot);
  virtual int GetResult() const { return Result; }

  std::int32_t WornSlot = NoPlace;
  std::int32_t NewSlot = NoPlace;
  std::int32_t Result = 1;
  CWidgetWindow Frame;
  CWidgetWindow Panels[2];  // 0 the worn item, 1 the new one
  CWidget Names[2];
  CWidget StatusTexts[2];
  CWidget Arrow;
  CWidget Unused;  // drawn only by other screen layouts
  CWidgetWindow LeftButton;
  CWidgetWindow RightButton;

private:
  void DrawWidgets(bool withFrameCaption);
  // Reads at most one answer a frame.
  void ReadInput();
};

CGameInputEquip* GetGameInputEquip();
