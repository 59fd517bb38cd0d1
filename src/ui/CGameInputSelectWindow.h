#pragma once
// The question pop-up: a framed window with a title and up to four option
// buttons, one highlighted. The asking screen fills it, pushes it, and reads
// GetResult in its own OnChildClosed.
#include <cstdint>

#include "ui/CGameInput.h"
#include "ui/CWidgetWindow.h"

class CGameInputSelectWindow : public CGameInput {
public:
  CGameInputSelectWindow();
  ~CGameInputSelectWindow() override = default;

  void Begin() override;
  void Close() override { Phase = ScreenClosing; }
  void OnCovered() override { Phase = ScreenPaused; }
  void OnChildClosed() override { Phase = ScreenResuming; }
  void BuildLayout() override;
  void Draw() override;
  void Update() override;
  void UpdateWidgets() override;

  virtual void HighlightChoice();
  virtual void LayoutButtons();
  virtual void Finish();
  // Option count 0, no cancel answer, alphas 255 and 192; the rest stays.
  virtual void Reset();
  // Clamped to 0-4; with 0 the pop-up is a notice that SELECT closes.
  virtual void SetOptionCount(int n);
  // Copies at most 511 bytes, cut at a whole character.
  virtual void SetTitle(const char* text);
  // Copies at most 127 bytes, cut at a whole character; only options 0-3.
  virtual void SetOption(int i, const char* text);
  virtual int GetResult() const { return Result; }
  // The preset answer and first highlight; only options 0-3.
  virtual void SetResult(int i);
  // The answer CANCEL gives; -1 makes CANCEL do nothing.
  virtual void SetCursor(int i) { CancelChoice = i; }
  virtual void SetSize(int width, int height);
  virtual void SetButtonSize(int width, int height);
  virtual void SetPosition(int x, int y);
  virtual void SetAlpha(int frameAlpha, int backdropAlpha);
  virtual void SetAnimation(int openFrames, int openMode, int closeFrames, int closeMode);

  static constexpr int MaxOptions = 4;
  static constexpr int TitleCapacity = 512;
  static constexpr int OptionCapacity = 128;

  char Title[TitleCapacity] = {};
  char Options[MaxOptions][OptionCapacity] = {};
  std::int32_t PositionX = 0, PositionY = 0;
  std::int32_t Width = 0, Height = 0;
  std::int32_t ButtonWidth = 0, ButtonHeight = 0;
  std::int32_t OpenFrames = 0, CloseFrames = 0;
  std::int32_t OpenMode = 0, CloseMode = 0;  // kept; the frame opens width first and closes height first
  std::int32_t FrameAlpha = 0, BackdropAlpha = 0;
  std::int32_t CancelChoice = 0;
  std::int32_t OptionCount = 0;
  std::int32_t Result = 0;
  CWidgetWindow Frame;
  CWidgetWindow Buttons[MaxOptions];

private:
  // Hands the answer back: closed first, so that the parent may ask again.
  void HandBack();
  void Answer(int result);
  void ReadInput();
};

CGameInputSelectWindow* GetGameInputSelectWindow();
