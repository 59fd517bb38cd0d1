#pragma once
// The closing scene after the last dungeon: letterbox bars part over a
// dark-tinted scenery with the class that cleared it, a tower sinks into the
// ground in a cloud of dust, the tint clears, the staff roll and the closing
// captions rise with the ending music, and a press hands over to the
// rankings of the cleared dungeon. SELECT or the pointer held runs the roll
// and the captions five times as fast.
#include <cstddef>
#include <cstdint>

#include "platform/TextTable.h"
#include "ui/CGameInput.h"
#include "ui/CWidget.h"

class CGameInputEnding : public CGameInput {
public:
  CGameInputEnding();
  ~CGameInputEnding() override = default;

  void Begin() override;
  // Starts the fade out; the class picture is kept until the hand-over,
  // since the figure is drawn under the fade.
  void Close() override;
  void OnCovered() override { Phase = ScreenPaused; }
  void OnChildClosed() override { Phase = ScreenResuming; }
  void BuildLayout() override;
  void Draw() override;
  void Update() override;
  void UpdateWidgets() override;

  // The scene's steps after the phases every screen shares.
  enum EndingPhase : std::int32_t {
    BarsParting = 7, Pausing, Sinking, DustSettling, TintClearing, MusicLeadIn, StaffRolling, CaptionsRising,
    WaitingForPress,
  };
  // Sets the phase and lays out what that phase starts with.
  void EnterPhase(int phase);
  int GetRightColumnX() const;
  int GetRightColumnY() const;
  int GetTopMargin() const;

  static constexpr int DustCount = 20, SceneryCount = 12;

  CWidget TopBar;
  CWidget BottomBar;
  CWidget Tint;
  CWidget Ground;
  CWidget ClassFigure;
  CWidget SinkingPicture;
  CWidget Dust[DustCount];
  CWidget Scenery[SceneryCount];
  CWidget TheEndLabel;
  CWidget StaffRollLabel;
  CWidget ThankYouLabel;
  CWidget TouchArea;
  std::int32_t PhaseCounter = 0;

private:
  void SinkStep();
  // Dust at the start of its cycle springs up again under the tower, up to
  // `rise` above the ground line.
  void ReplaceCyclingDust(int rise);
  void HandOverToRankings();
  void ReleaseClassPicture();

  // The class picture this screen holds a use of; none below 0.
  PictureId HeldPicture = -1;
};

CGameInputEnding* GetGameInputEnding();

// The staff roll as one text in `language`: its blocks in the order it
// scrolls, 17 line feeds apart, cut at a whole character to `capacity`.
// Returns the bytes written.
std::size_t BuildStaffRoll(char* dest, std::size_t capacity, Language language);
