#include "screens/CGameInputNext.h"

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "platform/TextTable.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputMain.h"
#include "ui/InputTrigger.h"

namespace {

constexpr int CaptionFont = 2;
constexpr int QuestionWidth = 300, QuestionHeight = 130, QuestionY = 80;
constexpr int AnswerWidth = 100, AnswerHeight = 40, AnswerY = 70;
constexpr TextId QuestionText = 774, YesText = 772, NoText = 773;
constexpr SoundEffectId ChoiceSound = 4, GoOnSound = 34;

void LayOutWindow(CWidgetWindow& w, int x, int y, int width, int height, int captionHeight) {
  CWidget::SetLayout(w, x, y, width, height, CellSource{}, CellSource{}, CellSource{}, 4.0f);
  w.SetDrawOffset(width / 2, height / 2);
  w.AnimateSize(width, width, height, height, 0, SizeAnimBoth);
  w.SetCaptionBox(0, 0, width, captionHeight, 10);
  UseCaptionFont(w, CaptionFont);
}

void LayOutAnswer(CWidgetWindow& answer, CWidgetWindow& question, int x) {
  LayOutWindow(answer, x, AnswerY, AnswerWidth, AnswerHeight, AnswerHeight);
  UseDialogFrame(answer, 0);
  answer.SetAlphas(255, 0);
  answer.Parent = &question;
}

// What was pressed to answer must not act again on the play screen: the
// presses are swallowed, the modifiers stay held but lose their trigger.
// Actions by number: up, down, left, right, attack, menu, shoot, map,
// select, cancel; and dash, direction, diagonal move.
void ReleaseAnswerInput() {
  CMyInput* input = GetInput();
  for (int action : {0, 1, 2, 3, 4, 6, 8, 10, 17, 18}) SwallowInput(input->InputHistory[InputRowFirstAction + action]);
  SwallowInput(input->InputHistory[InputRowPointer]);
  for (int action : {5, 7, 9}) ConsumeInputTrigger(input->InputHistory[InputRowFirstAction + action]);
}

}  // namespace

CGameInputNext* GetGameInputNext() {
  static CGameInputNext screen;
  return &screen;
}

CGameInputNext::CGameInputNext() { BuildLayout(); }

void CGameInputNext::BuildLayout() {
  LayOutWindow(QuestionWindow, (1280 - QuestionWidth) / 2, QuestionY, QuestionWidth, QuestionHeight, 62);
  UseDialogFrame(QuestionWindow);
  QuestionWindow.SetAlphas(255, 224);
  QuestionWindow.SetBackdropColour(255, 255, 255);
  LayOutAnswer(YesWindow, QuestionWindow, 25);
  LayOutAnswer(NoWindow, QuestionWindow, 175);
}

void CGameInputNext::Begin() {
  GetGameInputMain()->CloseMessage();
  if (Child) {
    Child->SetParent(nullptr);
    Child = nullptr;
  }
  Chosen = ChoiceNo;
  const CGameMain* game = GetGameMain();
  QuestionWindow.X = game->GetScreenWidth() / 2 - QuestionWidth / 2;
  QuestionWindow.Y = QuestionY;
  // Taken afresh each time: the language may have changed since.
  QuestionWindow.SetText(GetCurrentLanguageText(QuestionText));
  YesWindow.SetText(GetCurrentLanguageText(YesText));
  NoWindow.SetText(GetCurrentLanguageText(NoText));
  RefreshChoice();
}

void CGameInputNext::RefreshChoice() {
  YesWindow.SetColour(64, 64, 64);
  NoWindow.SetColour(64, 64, 64);
  (Chosen == ChoiceYes ? YesWindow : NoWindow).SetColour(255, 255, 255);
}

void CGameInputNext::Update() {
  if (Child) {
    Child->Update();
    return;
  }
  // One rule a frame: a frame that answers never answers twice, whatever
  // else was pressed with it.
  CMyInput* input = GetInput();
  CSoundManager* sound = GetSoundManager();
  if (input->IsLeftTriggered()) {
    ConsumeInputTrigger(input->InputHistory[InputRowLeft]);
    sound->PlaySe(ChoiceSound);
    Chosen = Chosen == ChoiceYes ? ChoiceNo : ChoiceYes;
    RefreshChoice();
  } else if (input->IsRightTriggered()) {
    ConsumeInputTrigger(input->InputHistory[InputRowRight]);
    sound->PlaySe(ChoiceSound);
    Chosen = Chosen == ChoiceYes ? ChoiceNo : ChoiceYes;
    RefreshChoice();
  } else if (IsCancelTriggered() || (Chosen == ChoiceNo && IsSelectTriggered())) {
    ReleaseAnswerInput();
    sound->PlaySe(ChoiceSound);
    Leave();
  } else if (IsSelectTriggered()) {
    ReleaseAnswerInput();
    Leave();
    GetStateController()->ChangeState(StateStageEnd);
    if (CCharacterPlayer* player = GetGameMain()->Player) player->actionPoints = 0;
    sound->PlaySe(GoOnSound);
  }
}

void CGameInputNext::Leave() {
  if (Parent) Parent->SetChild(nullptr);
}

void CGameInputNext::Draw() {
  for (CWidgetWindow* w : {&QuestionWindow, &YesWindow, &NoWindow}) w->Draw();
  for (CWidgetWindow* w : {&QuestionWindow, &YesWindow, &NoWindow}) w->DrawCaption();
  ResetDrawState();
  if (Child) Child->Draw();
}
