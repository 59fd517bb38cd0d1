#pragma once
// The play screen: the root screen of the chain during play. In the
// player's turn it turns keys and pads into one command (a step, a turn in
// place, a dash, an attack, a shot, a skipped turn, the map or the menu);
// every frame it draws the markers around the player, the message window
// that every part of the game writes its lines into, the floor map and the
// status line.
#include <cstdint>

#include "characters/Direction.h"
#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputMain : public CGameInput {
public:
  static constexpr int MessageRowCount = 3;
  static constexpr int MessageRowSize = 256;
  // 1.5 s at 60 frames per second.
  static constexpr int MessageFrames = 90;

  // The on-screen pad: up-left, up, up-right, left, centre (the dash
  // toggle), right, down-left, down, down-right.
  static constexpr int PadCount = 9;
  static constexpr int PadCentre = 4;
  // Markers, and every other list by direction: up-left, up, up-right,
  // left, right, down-left, down, down-right.
  static constexpr int MarkerCount = 8;
  static constexpr int LineLength = 8;
  enum ButtonRole : int { ButtonAttack, ButtonSkip, ButtonSpare, ButtonShoot, ButtonMenu, ButtonMap, ButtonCount };
  // One highlight per pad widget, then attack, skip, shoot, menu and map.
  static constexpr int OverlayCount = PadCount + 5;
  static constexpr int DashIndicator = PadCentre;

  void Begin() override;
  void BuildLayout() override;
  void DrawLayer(int pass) override;
  void Update() override;
  void UpdateWidgets() override;

  // Replaces what is shown by `text` for `frames` frames; a negative count
  // keeps it until it is closed or replaced.
  virtual void ShowMessageTimed(const char* text, int frames);
  virtual void ShowMessage(const char* text) { ShowMessageTimed(text, MessageFrames); }
  // Appends `text` as a row under what is shown and restarts the time for
  // the whole window; older rows scroll out until three wrapped rows fit.
  virtual void AddMessageTimed(const char* text, int frames);
  virtual void AddMessage(const char* text) { AddMessageTimed(text, MessageFrames); }
  virtual bool IsMessageShown() const { return MessageTimer != 0; }
  virtual void CloseMessage();
  virtual void LayoutMessageWindow();
  // One frame of the message time; the play screen runs it while no child
  // screen is open.
  void TickMessage();

  const char* GetMessageRow(int row) const { return MessageRows[row]; }
  std::int32_t GetMessageTimer() const { return MessageTimer; }
  CWidgetWindow& GetMessageWindow() { return MessageWindow; }

  // ---- Commands. Each returns the direction it used, 0 for none.
  // Turns the player in place when a turn action fires; spends no turn.
  Direction TurnPlayer();
  Direction GetStepDirection();
  Direction GetDashDirection();
  // One step, or the blow that replaces it; a refused step only turns.
  void StepPlayer(Direction direction);
  // Starts the run: the direction keys must be pressed anew afterwards.
  void StartDash(Direction direction);

  // ---- The on-screen buttons, by the control type's assignment. `marker`
  // is an index of the marker order.
  bool IsTouchMove(int marker) const;
  bool IsTouchTurn(int marker) const;
  bool IsTouchPadHeld() const;
  bool IsDashToggleClicked() const;

  // Marker order index of a direction; -1 for none.
  static int MarkerOf(Direction direction);
  static Direction MarkerDirection(int marker);

  CWidget Pad[PadCount];
  CWidget Buttons[ButtonCount];
  CWidget Overlays[OverlayCount];
  // The second pad set: an outer area per direction, nine inner cells.
  CWidget OuterAreas[MarkerCount];
  CWidget InnerAreas[PadCount];
  CWidget DirectionMarkers[MarkerCount];
  // Per direction: element 0 the facing marker, 1-8 its line of cells.
  CWidget FacingLines[MarkerCount][1 + LineLength];
  // Panels this layout never shows.
  CWidgetWindow Panels[3];
  CWidget Banner;
  std::int32_t BannerTimer = 0;

protected:
  CWidgetWindow MessageWindow;
  std::int32_t MessageTimer = 0;
  char MessageRows[MessageRowCount][MessageRowSize] = {};

private:
  void ScrollRowsUp();
  int CountWrappedRows();
  void JoinRowsIntoCaption();

  void LayoutMarkers();
  void LayoutPointerControls();
  void HideMarkers();
  void ShowTurnMarkers();
  void UpdateMarkers();
  // The player's turn: the first command that fires.
  void ReadCommand();
  bool Shoot();
  void OpenMenu();
  void Tail();
};

CGameInputMain* GetGameInputMain();
