#include "screens/CGameInputUnlock.h"

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "system/SysPlatform.h"
#include "ui/InputTrigger.h"

namespace {

constexpr PictureId ItemSheet = 132, PortraitSheet = 13;
constexpr std::uint16_t PortraitResource = 160;
constexpr int NoticeFont = 0;

struct IconCell {
  int SourceX, SourceY;
};
// One row of icons, in member order: its y, the x of its first icon (the
// others follow 64 apart) and the cells of picture 132.
struct IconRow {
  int Y, FirstX, Count;
  IconCell Cells[7];
};
constexpr IconRow IconRows[] = {
    {192, 240, 1, {{60, 60}}},
    {256, 80, 6, {{260, 260}, {260, 240}, {260, 220}, {260, 200}, {260, 180}, {260, 160}}},
    {192, 240, 1, {{80, 60}}},
    {256, 80, 6, {{240, 100}, {260, 100}, {280, 100}, {300, 100}, {320, 100}, {340, 100}}},
    {192, 176, 3, {{120, 40}, {120, 60}, {300, 120}}},
    {256, 176, 3, {{140, 40}, {140, 60}, {320, 120}}},
    {144, 48, 7, {{380, 20}, {400, 20}, {320, 20}, {360, 20}, {340, 20}, {360, 60}, {380, 60}}},
    {208, 48, 7, {{420, 40}, {440, 40}, {400, 40}, {360, 40}, {380, 40}, {340, 40}, {100, 60}}},
    {272, 80, 6, {{300, 60}, {320, 60}, {340, 60}, {480, 20}, {460, 40}, {480, 40}}},
    {336, 80, 6, {{260, 40}, {300, 40}, {460, 60}, {480, 60}, {420, 20}, {440, 20}}},
    {192, 80, 6, {{260, 20}, {260, 280}, {280, 280}, {300, 280}, {320, 280}, {340, 280}}},
    {256, 80, 6, {{360, 280}, {380, 280}, {400, 280}, {420, 280}, {440, 280}, {460, 280}}},
};

// Where each group starts in member order: 7, 7, 6, 26 and 12 icons.
constexpr int GroupStart[CGameInputUnlock::IconGroupCount + 1] = {0, 7, 14, 20, 46, 58};

constexpr int ProphetNotice = 12, GalleryNotice = 11;
bool IsItemsNotice(UnlockNoticeType t) { return t >= 6 && t <= 10; }

void ComposeNotice(UnlockNoticeType type, char* text, std::size_t capacity) {
  const Language language = GetGameMain()->Settings.Block.Language;
  if (IsItemsNotice(type)) {
    FormatTextCut(text, capacity, "%s", GetText(language, 1185));
  } else if (type == ProphetNotice) {
    FormatTextCut(text, capacity, "%s\n\n%s", GetText(language, 1187), GetText(language, 784));
  } else {
    const TextId dungeon = type == GalleryNotice ? 1133 : 1127 + type;
    FormatTextCut(text, capacity, "%s\n\n\n\n%s", GetText(language, 1186), GetText(language, dungeon));
  }
}

void SetPictureCell(CWidget& w, int x, int y, int width, int height, const CellSource& cell) {
  CWidget::SetLayout(w, x, y, width, height, cell, cell, cell, 4.0f);
}

}  // namespace

CGameInputUnlock* GetGameInputUnlock() {
  static CGameInputUnlock screen;
  return &screen;
}

CGameInputUnlock::CGameInputUnlock() { BuildLayout(); }

void CGameInputUnlock::BuildLayout() {
  CWidget::SetLayout(NoticeWindow, 400, 136, 480, 448, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(NoticeWindow);
  NoticeWindow.SetAlphas(255, 255);
  NoticeWindow.SetColourTriple(255, 255, 255);
  NoticeWindow.SetDrawOffset(240, 224);
  NoticeWindow.SetCaptionBox(0, 12, 480, 364, 9);
  UseCaptionFont(NoticeWindow, NoticeFont);

  CWidget::SetLayout(OkButton, 180, 396, 120, 32, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  UseDialogFrame(OkButton, 0);
  OkButton.SetAlphas(255, 0);
  OkButton.SetColourTriple(255, 255, 255);
  OkButton.SetDrawOffset(60, 16);
  OkButton.AnimateSize(120, 120, 32, 32, 0, 0);
  OkButton.SetCaptionBox(0, 0, 120, 32, 10);
  UseCaptionFont(OkButton, NoticeFont);
  OkButton.SetText(GetText(GetGameMain()->Settings.Block.Language, 1188));
  OkButton.Parent = &NoticeWindow;

  SetPictureCell(ProphetPicture, 240, 224, 480, 480, CellSource{PortraitSheet, 0, 240, 120, 120});
  ProphetPicture.SetDrawOffset(60, 60);
  ProphetPicture.Parent = &NoticeWindow;

  int i = 0;
  for (const IconRow& row : IconRows) {
    for (int c = 0; c < row.Count && i < IconCount; ++c, ++i) {
      CWidget& icon = ItemIcons[i];
      const IconCell& cell = row.Cells[c];
      SetPictureCell(icon, row.FirstX + 64 * c, row.Y, 80, 80, CellSource{ItemSheet, cell.SourceX, cell.SourceY, 20, 20});
      icon.SetDrawOffset(10, 10);
      icon.Parent = &NoticeWindow;
    }
  }
}

void CGameInputUnlock::NoticeSize(int& width, int& height) const {
  const bool large = NoticeType == ProphetNotice;
  width = large ? 640 : 480;
  height = large ? 680 : 448;
}

void CGameInputUnlock::ShowNotice() {
  const int level = OkButton.IsSelected() ? 255 : 64;
  OkButton.SetColour(level, level, level);
  for (CWidget& icon : ItemIcons) icon.SetVisible(false);
  ProphetPicture.SetVisible(false);

  if (Phase == ScreenActive) {
    OkButton.SetVisible(true);
    char text[TextCapacity];
    ComposeNotice(NoticeType, text, sizeof text);
    NoticeWindow.SetText(text);
    if (IsItemsNotice(NoticeType)) {
      const int group = NoticeType - 6;
      for (int i = GroupStart[group]; i < GroupStart[group + 1]; ++i) ItemIcons[i].SetVisible(true);
    }
    if (NoticeType == ProphetNotice) ProphetPicture.SetVisible(true);
  }

  int width, height;
  NoticeSize(width, height);
  if (NoticeType == ProphetNotice) {
    ProphetPicture.X = 320;
    ProphetPicture.Y = 380;
  }
  OkButton.X = width / 2 - OkButton.Width / 2;
  OkButton.Y = height - OkButton.Height - 20;
  NoticeWindow.X = GetGameMain()->GetScreenWidth() / 2 - width / 2;
  NoticeWindow.Y = GetGameMain()->GetScreenHeight() / 2 - height / 2;
  NoticeWindow.Width = width;
  NoticeWindow.Height = height;
  NoticeWindow.SetDrawOffset(width / 2, height / 2);
  NoticeWindow.SetCaptionBox(0, 12, width, height - 84, 9);
}

void CGameInputUnlock::ReleasePictures() {
  if (!HoldsPictures) return;
  ReleaseTexture(PortraitSheet);
  HoldsPictures = false;
}

void CGameInputUnlock::Begin() {
  if (!HoldsPictures) LoadTexture(PortraitSheet, PortraitResource);
  HoldsPictures = true;
  Phase = ScreenOpening;
  ShowNotice();
  int width, height;
  NoticeSize(width, height);
  NoticeWindow.SetVisible(true);
  NoticeWindow.AnimateSize(0, width, 0, height, 8, SizeAnimWidthThenHeight);
  NoticeWindow.SetText("");
  OkButton.SetVisible(false);
  OkButton.SetSelected(true);
}

void CGameInputUnlock::Close() {
  Phase = ScreenClosing;
  int width, height;
  NoticeSize(width, height);
  NoticeWindow.SetVisible(true);
  NoticeWindow.AnimateSize(width, 0, height, 0, 8, SizeAnimHeightThenWidth);
  NoticeWindow.SetText("");
  OkButton.SetVisible(false);
  OkButton.SetSelected(true);
  ShowNotice();
}

void CGameInputUnlock::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      UpdateWidgets();
      if (NoticeWindow.IsAnimating()) return;
      ShowNotice();
      Phase = ScreenActive;
      return;
    case ScreenActive:
      UpdateWidgets();
      ShowNotice();
      if (IsSelectTriggered() || IsCancelTriggered()) Acknowledge();
      return;
    case ScreenClosing:
      UpdateWidgets();
      if (!NoticeWindow.IsAnimating()) Finish();
      return;
    case ScreenResuming:
      if (Child && Child->GetPhase() != ScreenClosed) return;
      Child = nullptr;
      UpdateWidgets();
      if (!IsScreenFadeRunning()) Phase = ScreenActive;
      return;
    default: return;
  }
}

void CGameInputUnlock::Acknowledge() {
  CMyInput* input = GetInput();
  SwallowInput(input->InputHistory[InputRowSelect]);
  SwallowInput(input->InputHistory[InputRowCancel]);
  PlayChoiceSound();
  CGameMain* game = GetGameMain();
  // Only the dungeon notice that ends a chain marks the dungeon's notices
  // as seen, so a chain left half-way is shown whole again.
  if (NoticeType >= 0 && NoticeType <= 5) game->Settings.Block.DungeonOpenNoticeShown[NoticeType] = 1;
  if (NoticeType == GalleryNotice) game->Settings.Block.DungeonOpenNoticeShown[6] = 1;
  game->CaptureSaveImage();
  if (!game->WriteSaveFile()) SysReportProblem("save: could not be written after a notice\n");
  Close();
}

void CGameInputUnlock::Finish() {
  if (IsItemsNotice(NoticeType) || NoticeType == ProphetNotice) {
    NoticeType = NoticeType == ProphetNotice ? GalleryNotice : NoticeType - 5;
    Begin();
    return;
  }
  if (Parent) {
    Parent->SetChild(nullptr);
    Parent->OnChildClosed();
  }
  Parent = nullptr;
  Phase = ScreenClosed;
}

void CGameInputUnlock::DrawLayer(int layer) {
  if (layer == 0) {
    BeginScreenSprites();
    NoticeWindow.Draw();
    OkButton.Draw();
    for (CWidget& icon : ItemIcons) icon.Draw();
    ProphetPicture.Draw();
    NoticeWindow.DrawCaption();
    OkButton.DrawCaption();
    ResetDrawState();
  }
  if (Child) Child->DrawLayer(layer);
}
