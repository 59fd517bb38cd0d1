#include "ui/CGameInputMain.h"

#include <cstring>

#include "app/CGameMain.h"
#include "ui/TextCopy.h"

namespace {
constexpr int MessageFont = 2;
constexpr int RowHeight = 32;
constexpr int WindowWidth = 1024;
}  // namespace

CGameInputMain* GetGameInputMain() {
  static CGameInputMain screen;
  // Laid out on first use, so that lines posted before play starts (or in
  // tests) are measured in the window's real caption box.
  static const bool laidOut = (screen.BuildLayout(), true);
  (void)laidOut;
  return &screen;
}

void CGameInputMain::BuildLayout() {
  MessageWindow.SetFrameImages(158, 159, 160, 161, 16, 3, 3, 4, 4);
  CWidget::AllocCaptionFonts(MessageWindow);
  CWidget::SetCaptionFont(MessageWindow, &GetGameMain()->Fonts[MessageFont], 1.0);
  MessageWindow.SetColour(255, 255, 255);
  MessageWindow.SetVisible(false);
  LayoutMessageWindow();
}

void CGameInputMain::ShowMessageTimed(const char* text, int frames) {
  MessageTimer = frames;
  MessageWindow.SetVisible(true);
  for (char* row : MessageRows) row[0] = '\0';
  // A text longer than a row is cut at a character boundary.
  CopyTextCut(MessageRows[0], MessageRowSize, text);
  MessageWindow.SetText(MessageRows[0]);
  LayoutMessageWindow();
}

void CGameInputMain::AddMessageTimed(const char* text, int frames) {
  MessageTimer = frames;
  MessageWindow.SetVisible(true);
  int free = 0;
  while (free < MessageRowCount && MessageRows[free][0] != '\0') ++free;
  if (free == MessageRowCount) {
    ScrollRowsUp();
    free = MessageRowCount - 1;
  }
  CopyTextCut(MessageRows[free], MessageRowSize, text);
  // Older rows leave from the top until the window holds three wrapped rows;
  // a single text of four rows or more empties it.
  while (CountWrappedRows() >= 4) ScrollRowsUp();
  JoinRowsIntoCaption();
  LayoutMessageWindow();
}

void CGameInputMain::CloseMessage() {
  MessageTimer = 0;
  MessageWindow.SetVisible(false);
  for (char* row : MessageRows) row[0] = '\0';
}

void CGameInputMain::TickMessage() {
  if (MessageTimer > 0) {
    if (--MessageTimer == 0) MessageWindow.SetVisible(false);
  } else if (MessageTimer == 0) {
    MessageWindow.SetVisible(false);
  }
}

void CGameInputMain::LayoutMessageWindow() {
  int rows = MessageWindow.CountTextLines();
  if (rows < 3) rows = 3;
  const int textHeight = rows * RowHeight;
  const int h = textHeight + 24;
  const int w = WindowWidth;
  const bool visible = MessageWindow.IsVisible();
  const CellSource whole{0, 0, 0, 512, 512};
  CWidget::SetLayout(MessageWindow, 1280 / 2 - w / 2, 720 - h - 16, w, h, whole, whole, whole, 4.0f);
  MessageWindow.SetVisible(visible);
  MessageWindow.SetAlpha(255);
  MessageWindow.SetFrameImages(158, 159, 160, 161, 16, 3, 3, 4, 4);
  MessageWindow.SetAlphas(255, 224);
  MessageWindow.SetColour(255, 255, 255);
  MessageWindow.SetDrawOffset(w / 2, h / 2);
  MessageWindow.AnimateSize(w, w, h, h, 0, SizeAnimHeightOnly);
  MessageWindow.SetCaptionBox(20, h / 2 - textHeight / 2, w - 40, textHeight, 5);
  CWidget::AllocCaptionFonts(MessageWindow);
  CWidget::SetCaptionFont(MessageWindow, &GetGameMain()->Fonts[MessageFont], 1.0);
}

void CGameInputMain::ScrollRowsUp() {
  std::memcpy(MessageRows[0], MessageRows[1], MessageRowSize);
  std::memcpy(MessageRows[1], MessageRows[2], MessageRowSize);
  MessageRows[2][0] = '\0';
}

int CGameInputMain::CountWrappedRows() {
  int total = 0;
  for (const char* row : MessageRows) {
    if (row[0] != '\0') total += MessageWindow.CountCaptionLines(row);
  }
  return total;
}

void CGameInputMain::JoinRowsIntoCaption() {
  // Empty rows still add their line break, so the caption keeps three lines.
  char caption[MessageRowCount * MessageRowSize + MessageRowCount] = {};
  std::size_t used = 0;
  for (int i = 0; i < MessageRowCount; ++i) {
    used += CopyTextCut(caption + used, sizeof caption - used, MessageRows[i]);
    if (i + 1 < MessageRowCount) caption[used++] = '\n';
  }
  caption[used] = '\0';
  MessageWindow.SetText(caption);
}
