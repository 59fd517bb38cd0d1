#pragma once
// The settings: BGM and SE volume, auto attack, language and screen size,
// the ways to the pad and keyboard bindings, and BACK. Every change takes
// effect at once; closing writes the whole "save" file.
#include <cstdint>

#include "screens/CGameInputConfigDialog.h"

class CGameInputTitleConfig : public CGameInputConfigDialog {
public:
  CGameInputTitleConfig();
  ~CGameInputTitleConfig() override = default;

  void Begin() override;
  void OnCovered() override { Phase = ScreenCovered; }
  void BuildLayout() override;
  void DrawLayer(int layer) override;
  void Draw() override;
  void UpdateWidgets() override;
  void Refresh() override { RefreshValues(); }

  void RefreshValues();

  enum ConfigRow : std::int32_t {
    RowBgm, RowSe, RowAutoAttack, RowLanguage, RowScreenSize, RowJoyPad, RowKeyboard, RowBack, RowCount
  };

  // Row labels and their values; the arrows of the four rows that have them.
  CWidget BgmLabel, BgmValue, BgmLeftArrow, BgmRightArrow;
  CWidget SeLabel, SeValue, SeLeftArrow, SeRightArrow;
  CWidget AutoAttackLabel, AutoAttackValue, AutoAttackLeftArrow, AutoAttackRightArrow;
  CWidget LanguageLabel, EnglishValue, JapaneseValue, LanguageLeftArrow, LanguageRightArrow;
  CWidget ScreenSizeLabel, ScreenSizeValue;
  CWidget JoyPadLabel, KeyboardLabel, BackButton;

protected:
  void StepActive() override;
  bool Persist() override;
  const char* PersistName() const override { return "save"; }

private:
  void DrawScreen();
  // One press of Left (-1) or Right (+1) on the SCREEN SIZE row.
  void StepScreenSize(int step);
};

CGameInputTitleConfig* GetGameInputTitleConfig();
