#include "ui/CGameInputEquip.h"

#include "app/CGameMain.h"
#include "characters/CCharacterPlayer.h"
#include "items/CItem.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "ui/InputTrigger.h"

namespace {

constexpr SoundEffectId ChoiceSound = 4;
constexpr int CaptionFont = 2;
constexpr TextId AreYouSureText = 1421, NoneText = 1419, NoLinesText = 1420, EquipText = 1422, UnequipText = 1423,
                 CancelText = 1424;

void FrameLike(CWidgetWindow& w) {
  w.SetFrameImages(146, 147, 148, 149, 16, 2, 2, 3, 3);
  w.SetDrawOffset(w.Width / 2, w.Height / 2);
  w.AnimateSize(w.Width, w.Width, w.Height, w.Height, 0, SizeAnimHeightOnly);
}

void Place(CWidget& w, int x, int y, int width, int height, CWidget* parent) {
  const CellSource none{0, 0, 0, 0, 0};
  CWidget::SetLayout(w, x, y, width, height, none, none, none, 4.0f);
  w.Parent = parent;
}

void UseFont(CWidget& w) {
  CWidget::AllocCaptionFonts(w);
  CWidget::SetCaptionFont(w, &GetGameMain()->Fonts[CaptionFont], 1.0);
}

CItem* PlayerItem(int slot) {
  const CCharacterPlayer* player = GetGameMain()->Player;
  return player ? player->GetItem(slot) : nullptr;
}

// Name and status of one panel; "NONE" and "------" without an item.
void CaptionPanel(CWidget& name, CWidget& status, const CItem* item, Language language) {
  char text[ItemTextSize];
  if (!item) {
    name.SetText(GetText(language, NoneText));
    status.SetText(GetText(language, NoLinesText));
    return;
  }
  name.SetText(item->GetNameWithCount(text, sizeof text));
  status.SetText(item->GetStatusText(text, sizeof text));
}

void DrawIconAtCentre(const CItem* item, const CWidget& w) {
  if (item) item->DrawIconWithCount(w.GetX() + w.Width / 2, w.GetY() + w.Height / 2);
}

}  // namespace

CGameInputEquip* GetGameInputEquip() {
  static CGameInputEquip screen;
  return &screen;
}

CGameInputEquip::CGameInputEquip() { BuildLayout(); }

void CGameInputEquip::BuildLayout() {
  Place(Frame, 128, 40, 1024, 640, nullptr);
  Frame.SetCaptionBox(0, 528, 1024, 32, 10);
  Place(Panels[0], 148, 60, 984, 208, nullptr);
  Place(Panels[1], 148, 332, 984, 208, nullptr);
  for (int i = 0; i < 2; ++i) {
    Panels[i].SetCaptionBox(0, 0, 0, 0, 6);
    Place(Names[i], 0, 8, 80, 64, &Panels[i]);
    Names[i].SetCaptionBox(80, 0, 984, 64, 5);
    Place(StatusTexts[i], 80, 40, 920, 176, &Panels[i]);
    // 920 wide would reach 16 past the panel's right edge: the box ends
    // there. A long line is narrowed a little rather than wrapped into a
    // line too many, and what still does not fit is left out.
    StatusTexts[i].SetCaptionBox(0, 0, 904, 176, 5);
    StatusTexts[i].SetCaptionNarrowedToFit(true);
    StatusTexts[i].SetCaptionKeptInBox(true);
  }
  for (CWidgetWindow* w : {&Frame, &Panels[0], &Panels[1]}) {
    FrameLike(*w);
    w->SetAlphas(255, 255);
    w->SetColourTriple(255, 255, 255);
  }
  // Midway between the panels, under the screen's centre line.
  const CWidgetWindow& top = Panels[0];
  const CWidgetWindow& bottom = Panels[1];
  const int arrowX = 1280 / 2 - 40;
  const int arrowY = static_cast<int>((bottom.Y + bottom.Height - top.Y) / 2.0 + top.Y - 40 - 4);
  const CellSource arrow{7, 280, 80, 20, 20};
  CWidget::SetLayout(Arrow, arrowX, arrowY, 80, 80, arrow, arrow, arrow, 4.0f);
  Place(Unused, 0, 0, 0, 0, nullptr);
  Place(LeftButton, 312, 590, 120, 40, &Frame);
  Place(RightButton, 592, 590, 120, 40, &Frame);
  for (CWidgetWindow* w : {&LeftButton, &RightButton}) {
    FrameLike(*w);
    w->SetAlphas(255, 0);
    w->SetCaptionBox(0, 0, 120, 40, 10);
    // A word wider than the button is narrowed into it.
    w->SetCaptionNarrowedToFit(true);
  }
  for (CWidget* w : {static_cast<CWidget*>(&Frame), static_cast<CWidget*>(&Panels[0]),
                     static_cast<CWidget*>(&Panels[1]), &Names[0], &Names[1], &StatusTexts[0], &StatusTexts[1], &Unused,
                     static_cast<CWidget*>(&LeftButton), static_cast<CWidget*>(&RightButton)})
    UseFont(*w);
}

void CGameInputEquip::SetMode(int wornSlot, int newSlot) {
  WornSlot = wornSlot;
  NewSlot = newSlot;
}

void CGameInputEquip::Begin() {
  Phase = ScreenActive;
  Child = nullptr;
  Result = 1;
  DrawChoices();
}

void CGameInputEquip::DrawChoices() {
  const Language language = GetGameMain()->Settings.Block.Language;
  const CItem* worn = PlayerItem(WornSlot);
  const CItem* next = PlayerItem(NewSlot);
  Frame.SetText(GetText(language, AreYouSureText));
  CaptionPanel(Names[0], StatusTexts[0], worn, language);
  CaptionPanel(Names[1], StatusTexts[1], next, language);
  LeftButton.SetText(GetText(language, next ? EquipText : UnequipText));
  RightButton.SetText(GetText(language, CancelText));
  const std::uint32_t layout = GetGameMain()->ScreenLayout;
  if (layout < 3 || layout > 5) return;
  CWidgetWindow& bright = Result == 1 ? LeftButton : RightButton;
  CWidgetWindow& dim = Result == 1 ? RightButton : LeftButton;
  bright.SetColour(255, 255, 255);
  dim.SetColour(128, 128, 128);
}

void CGameInputEquip::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenActive:
      UpdateWidgets();
      ReadInput();
      return;
    case ScreenClosing:
      UpdateWidgets();
      if (Parent) Parent->OnChildClosed();
      Phase = ScreenClosed;
      return;
    default: return;
  }
}

// CANCEL before SELECT; once either has answered, the frame reads nothing
// more, so a frame with both down hands back once.
void CGameInputEquip::ReadInput() {
  CMyInput* input = GetInput();
  if (input->IsLeftTriggered() || input->IsRightTriggered()) {
    ConsumeInputTrigger(input->InputHistory[input->IsLeftTriggered() ? InputRowLeft : InputRowRight]);
    GetSoundManager()->PlaySe(ChoiceSound);
    Result = Result == 0 ? 1 : 0;
    DrawChoices();
  }
  if (IsCancelTriggered()) {
    SwallowInput(input->InputHistory[InputRowCancel]);
    GetSoundManager()->PlaySe(ChoiceSound);
    Result = 0;
    Finish();
    return;
  }
  if (IsSelectTriggered()) {
    SwallowInput(input->InputHistory[InputRowSelect]);
    GetSoundManager()->PlaySe(ChoiceSound);
    Finish();
  }
}

void CGameInputEquip::Finish() {
  // Closed first, so that the parent may push it again from its answer.
  Phase = ScreenClosed;
  if (Parent) Parent->OnChildClosed();
}

void CGameInputEquip::DrawWidgets(bool withFrameCaption) {
  // The question stays put while the floor under it shakes.
  ShakeApplies = 0;
  Frame.Draw();
  for (CWidget* w : {static_cast<CWidget*>(&Panels[0]), static_cast<CWidget*>(&Panels[1]), &Names[0], &Names[1],
                     &StatusTexts[0], &StatusTexts[1], static_cast<CWidget*>(&LeftButton),
                     static_cast<CWidget*>(&RightButton), &Arrow})
    w->Draw();
  if (withFrameCaption) Frame.DrawCaption();
  for (CWidget* w : {&Names[0], &Names[1], &StatusTexts[0], &StatusTexts[1], static_cast<CWidget*>(&LeftButton),
                     static_cast<CWidget*>(&RightButton)})
    w->DrawCaption();
  DrawIconAtCentre(PlayerItem(WornSlot), Names[0]);
  DrawIconAtCentre(PlayerItem(NewSlot), Names[1]);
  ShakeApplies = 1;
}

void CGameInputEquip::DrawLayer(int layer) {
  DrawWidgets(true);
  if (Child) Child->DrawLayer(layer);
}

void CGameInputEquip::Draw() {
  DrawWidgets(false);
  if (Child) Child->Draw();
}
