#pragma once
// The play screen: the root screen of the chain during play. Every part of
// the game writes its battle, item and floor lines into its message window.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputMain : public CGameInput {
public:
  static constexpr int MessageRowCount = 3;
  static constexpr int MessageRowSize = 256;
  // 1.5 s at 60 frames per second.
  static constexpr int MessageFrames = 90;

  void BuildLayout() override;

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

protected:
  CWidgetWindow MessageWindow;
  std::int32_t MessageTimer = 0;
  char MessageRows[MessageRowCount][MessageRowSize] = {};

private:
  void ScrollRowsUp();
  int CountWrappedRows();
  void JoinRowsIntoCaption();
};

CGameInputMain* GetGameInputMain();
