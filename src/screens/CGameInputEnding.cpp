#include "screens/CGameInputEnding.h"

#include <cstring>

#include "app/CGameMain.h"
#include "platform/CMyInput.h"
#include "platform/CScoreRanking.h"
#include "platform/CSoundManager.h"
#include "platform/Random.h"
#include "platform/Renderer.h"
#include "screens/CGameInputTitleScoreRanking.h"
#include "screens/TitleScreenKit.h"
#include "ui/CGameInputController.h"
#include "ui/InputTrigger.h"
#include "ui/TextCopy.h"

namespace {

constexpr PictureId WhiteFill = 10, SceneSheet = 11;
constexpr int CaptionFont = 11;
constexpr int AlignTopCentre = 9;
constexpr TextId TheEndText = 1290, ThankYouText = 1291;
// The blocks of the staff roll in the order they scroll.
constexpr TextId StaffRollBlocks[] = {1281, 1282, 1283, 1284, 1287, 1286, 1288};
constexpr int StaffRollGap = 17;  // line feeds between two blocks

constexpr BgmTrack EndingTrack = 9;
constexpr std::uint16_t EndingMusic = 10009;
constexpr int BarFrames = 60, PauseFrames = 60, SinkFrames = 250, SettleFrames = 60, TintFrames = 90,
              LeadInFrames = 90;
constexpr int SinkDepth = 400;
constexpr int DustAlpha = 192, DustFadeStep = 4;
constexpr int FastForwardExtraUpdates = 4;

SaveBlock& Settings() { return GetGameMain()->Settings.Block; }

// The sheet of the class that cleared the dungeon; null outside 0-8.
const ClassSheet* ChosenClassSheet() {
  const std::uint32_t chosen = Settings().SelectedClass;
  return chosen < static_cast<std::uint32_t>(ClassSheetCount) ? &ClassSheets[chosen] : nullptr;
}

// Stops every track and unloads the one that was playing.
void StopMusic() {
  CSoundManager* sound = GetSoundManager();
  const int playing = sound->GetPlayingBgm();
  sound->StopAllBgm();
  if (playing != -1) sound->UnloadBgm(playing);
}

void LayOutPicture(CWidget& w, int x, int y, int width, int height, const CellSource& cell, float scale) {
  CWidget::SetLayout(w, x, y, width, height, cell, cell, cell, scale);
}

// A caption `times` as tall as its text in the caption font at rest.
void LayOutCaption(CWidget& w, const char* text, int width, int times, float scale) {
  CDrawString& font = GetGameMain()->Fonts[CaptionFont];
  const int lines = font.CountWrappedLines(text, width);
  const int height = static_cast<int>((lines - 1) * font.LineHeight * font.ScaleY + font.CellHeight);
  const int boxHeight = times * height;
  LayOutPicture(w, 0, 0, width, boxHeight, CellSource{}, scale);
  w.SetCaptionBox(0, 0, width, boxHeight, AlignTopCentre);
  UseCaptionFont(w, CaptionFont);
  w.SetText(text);
}

}  // namespace

std::size_t BuildStaffRoll(char* dest, std::size_t capacity, Language language) {
  if (!dest || capacity == 0) return 0;
  dest[0] = '\0';
  char gap[StaffRollGap + 1];
  for (int i = 0; i < StaffRollGap; ++i) gap[i] = '\n';
  gap[StaffRollGap] = '\0';

  std::size_t used = 0;
  constexpr std::size_t BlockCount = sizeof StaffRollBlocks / sizeof StaffRollBlocks[0];
  for (std::size_t b = 0; b < BlockCount && used + 1 < capacity; ++b) {
    const char* block = GetText(language, StaffRollBlocks[b]);
    const std::size_t copied = CopyTextCut(dest + used, capacity - used, block);
    used += copied;
    // A block cut short ends the roll.
    if (copied < std::strlen(block) || b + 1 == BlockCount) break;
    used += CopyTextCut(dest + used, capacity - used, gap);
  }
  return used;
}

CGameInputEnding* GetGameInputEnding() {
  static CGameInputEnding screen;
  return &screen;
}

CGameInputEnding::CGameInputEnding() { BuildLayout(); }

int CGameInputEnding::GetRightColumnX() const { return GetGameMain()->GetScreenWidth() - 240; }
int CGameInputEnding::GetRightColumnY() const { return 480; }
int CGameInputEnding::GetTopMargin() const { return 80; }

void CGameInputEnding::BuildLayout() {
  const CGameMain* game = GetGameMain();
  const int w = game->GetScreenWidth(), h = game->GetScreenHeight();

  LayOutPicture(TopBar, -100, -100, 1480, 360, CellSource{WhiteFill, 0, 0, 1480, 360}, 1.0f);
  TopBar.SetColour(0, 0, 0);
  LayOutPicture(BottomBar, -100, -100, 1480, 360, CellSource{WhiteFill, 0, 0, 1480, 360}, 1.0f);
  BottomBar.SetColour(0, 0, 0);
  LayOutPicture(Tint, -100, -100, 1480, 920, CellSource{WhiteFill, 0, 0, 1480, 920}, 1.0f);
  Tint.SetColour(32, 0, 64);
  Tint.SetAlpha(255);
  LayOutPicture(Ground, 0, h - GetTopMargin() - 160, 320, 160, CellSource{SceneSheet, 160, 120, 80, 40}, 4.0f);
  LayOutPicture(SinkingPicture, w - 160, 120, 160, 400, CellSource{SceneSheet, 160, 0, 40, 100}, 4.0f);

  for (int i = 0; i < DustCount; ++i) {
    CWidget& dust = Dust[i];
    LayOutPicture(dust, 480 + 4 * i, 320, 80, 80, CellSource{SceneSheet, 160, 100, 20, 20}, 4.0f);
    CWidget::AllocCells(dust);
    CWidget::SetCellAllStates(dust, 0, SceneSheet, 160, 100, 20, 20, 2);
    CWidget::SetCellAllStates(dust, 1, SceneSheet, 180, 100, 20, 20, 2);
    dust.SetDrawOffset(10, 10);
  }

  // Four rows of three: a tall backdrop, a far row and two near rows.
  const struct {
    int X, Y, Height;
    CellSource Cell;
  } rows[4] = {
      {0, 400, 800, {SceneSheet, 0, 80, 140, 200}},
      {0, 160, 320, {SceneSheet, 0, 280, 140, 80}},
      {-140, 400, 320, {SceneSheet, 0, 320, 140, 80}},
      {0, 400, 320, {SceneSheet, 0, 320, 140, 80}},
  };
  for (int r = 0; r < 4; ++r)
    for (int i = 0; i < 3; ++i)
      LayOutPicture(Scenery[3 * r + i], rows[r].X + 560 * i, rows[r].Y, 560, rows[r].Height, rows[r].Cell, 4.0f);

  // The captions keep the language of the first build.
  const Language language = Settings().Language;
  LayOutCaption(TheEndLabel, GetText(language, TheEndText), w, 8, 8.0f);
  TheEndLabel.SetColour(208, 208, 255);
  char roll[CWidget::TextCapacity];
  BuildStaffRoll(roll, sizeof roll, language);
  LayOutCaption(StaffRollLabel, roll, w, 4, 4.0f);
  // As tall as it is drawn, like the roll: its box grows downward only, so
  // the line stands where it always did.
  LayOutCaption(ThankYouLabel, GetText(language, ThankYouText), w, 4, 4.0f);

  LayOutPicture(TouchArea, 0, 0, w, h, CellSource{}, 4.0f);
}

void CGameInputEnding::Begin() {
  Phase = ScreenOpening;
  Child = nullptr;
  EnterPhase(BarsParting);
  // A use left from a visit that never handed over is given back first.
  ReleaseClassPicture();
  if (const ClassSheet* sheet = ChosenClassSheet()) {
    LoadTexture(sheet->Picture, sheet->Resource);
    HeldPicture = sheet->Picture;
  }
}

void CGameInputEnding::Close() { Phase = ScreenClosing; }

void CGameInputEnding::ReleaseClassPicture() {
  if (HeldPicture < 0) return;
  ReleaseTexture(HeldPicture);
  HeldPicture = -1;
}

void CGameInputEnding::EnterPhase(int phase) {
  Phase = phase;
  const CGameMain* game = GetGameMain();
  const int h = game->GetScreenHeight();
  const int top = GetTopMargin();
  switch (phase) {
    case BarsParting: {
      StartScreenFade(255, 0, -5);
      Tint.SetAlpha(128);
      TopBar.MoveTo(0, 0, 0, top - h / 2, BarFrames, 0);
      BottomBar.MoveTo(0, 0, h / 2, h - top, BarFrames, 0);
      for (CWidget* w : {&StaffRollLabel, &TheEndLabel, &ThankYouLabel}) w->Y = h;
      // A class outside the table keeps the figure of an earlier visit.
      if (const ClassSheet* sheet = ChosenClassSheet()) {
        const CellSource figure{sheet->Picture, 10, 250, 20, 20};
        LayOutPicture(ClassFigure, Ground.X + 70, Ground.Y + 20, 40, 40, figure, 4.0f);
      }
      LayOutPicture(SinkingPicture, GetRightColumnX(), GetRightColumnY() - SinkDepth, 160, 400,
                    CellSource{SceneSheet, 160, 0, 40, 100}, 4.0f);
      for (CWidget& dust : Dust) dust.SetVisible(false);
      return;
    }
    case Pausing:
    case DustSettling:
    case MusicLeadIn:
      PhaseCounter = 0;
      if (phase == MusicLeadIn) {
        StopMusic();
        const MusicRow& row = MusicTable[EndingTrack];
        CSoundManager* sound = GetSoundManager();
        sound->LoadBgm(EndingTrack, EndingMusic, 1.0f, row.Start, row.LoopStart, row.LoopEnd);
        sound->SetBgmLoopForever(EndingTrack);
        sound->PlayBgm(EndingTrack);
      }
      return;
    case Sinking: {
      CWidget& tower = SinkingPicture;
      tower.MoveTo(tower.X, tower.X, tower.Y, tower.Y + SinkDepth, SinkFrames, 0);
      // Dust in four staggered steps of its two-cell cycle. The draws are
      // only seen, so they take the visual generator.
      for (int i = 0; i < DustCount; ++i) {
        CWidget& dust = Dust[i];
        dust.SetVisible(true);
        dust.SetAlpha(DustAlpha);
        dust.CellIndex = i / 2 % 2;
        dust.CellTimer = i % 2;
        dust.X = tower.X + VisualRandom() % 80;
        dust.Y = tower.Y + tower.Height - VisualRandom() % 30;
      }
      return;
    }
    case TintClearing:
      Tint.Fade(Tint.GetAlpha(), 0, TintFrames);
      for (CWidget& dust : Dust) dust.SetVisible(false);
      return;
    case StaffRolling: {
      CWidget& roll = StaffRollLabel;
      // From below the lower bar until its last line clears the upper one,
      // two units a frame.
      const int distance = (h - top) - (top - roll.Height);
      roll.MoveTo(0, 0, h - top, top - roll.Height, distance / 2, 0);
      return;
    }
    case CaptionsRising: {
      const int from = h - top;
      const int to = top + from / 4 - 80;
      TheEndLabel.MoveTo(0, 0, from, to, (from - to) / 2, 0);
      ThankYouLabel.MoveTo(0, 0, from + 120, to + 120, (from - to) / 2, 0);
      return;
    }
    default: return;
  }
}

void CGameInputEnding::UpdateWidgets() {
  for (CWidget* w : {&TopBar, &BottomBar, &Tint, &StaffRollLabel, &TheEndLabel, &ThankYouLabel, &TouchArea, &Ground,
                     &ClassFigure, &SinkingPicture})
    w->Update();
  for (CWidget& dust : Dust) dust.Update();
}

void CGameInputEnding::Update() {
  if (Child) Child->Update();
  switch (Phase) {
    case ScreenOpening:
      if (Parent && Parent->GetPhase() != ScreenCovered) return;
      UpdateWidgets();
      Phase = ScreenActive;
      return;
    case ScreenActive: UpdateWidgets(); return;
    case ScreenClosing:
      if (!IsScreenFadeRunning()) HandOverToRankings();
      UpdateWidgets();
      return;
    case ScreenPaused:
      UpdateWidgets();
      Phase = ScreenCovered;
      return;
    case ScreenResuming:
      if (Child && Child->GetPhase() != ScreenClosed) return;
      Child = nullptr;
      UpdateWidgets();
      Phase = ScreenActive;
      return;
    case BarsParting:
      UpdateWidgets();
      if (!TopBar.IsMoving()) EnterPhase(Pausing);
      return;
    case Pausing:
    case DustSettling:
    case MusicLeadIn: {
      UpdateWidgets();
      if (Phase == DustSettling) {
        for (CWidget& dust : Dust) dust.SetAlpha(dust.GetAlpha() > DustFadeStep ? dust.GetAlpha() - DustFadeStep : 0);
        ReplaceCyclingDust(40);
      }
      const int wait = Phase == MusicLeadIn ? LeadInFrames : Phase == Pausing ? PauseFrames : SettleFrames;
      if (PhaseCounter++ > wait) EnterPhase(Phase + 1);
      return;
    }
    case Sinking:
      UpdateWidgets();
      SinkStep();
      if (!SinkingPicture.IsMoving()) EnterPhase(DustSettling);
      return;
    case TintClearing:
      UpdateWidgets();
      if (!Tint.IsFading()) EnterPhase(MusicLeadIn);
      return;
    case StaffRolling:
    case CaptionsRising: {
      // Held SELECT or pointer: every tween runs five frames in this one.
      if (Tint.IsPressed() || IsInputHeld(GetInput()->InputHistory[InputRowSelect]))
        for (int i = 0; i < FastForwardExtraUpdates; ++i) UpdateWidgets();
      UpdateWidgets();
      const CWidget& mover = Phase == StaffRolling ? StaffRollLabel : TheEndLabel;
      if (!mover.IsMoving()) EnterPhase(Phase + 1);
      return;
    }
    case WaitingForPress:
      if (TouchArea.IsJustPressed() || IsSelectTriggered()) {
        CMyInput* input = GetInput();
        SwallowInput(input->InputHistory[InputRowPointer]);
        SwallowInput(input->InputHistory[InputRowSelect]);
        Close();
        StartScreenFade(0, 255, 4);
      }
      return;
    default: return;
  }
}

void CGameInputEnding::SinkStep() {
  CWidget& tower = SinkingPicture;
  // The tween puts x back each frame, so the offset only shakes it.
  tower.X += static_cast<int>(GetGameMain()->FrameCount % 4);
  // Only what stands above the ground line is drawn.
  const int ground = GetRightColumnY();
  CWidget::SetCellAllStates(tower, 0, SceneSheet, 160, 0, 40, (ground - tower.Y) / 4, 5);
  tower.Height = ground - tower.Y;
  ReplaceCyclingDust(40);
}

void CGameInputEnding::ReplaceCyclingDust(int rise) {
  const CWidget& tower = SinkingPicture;
  for (CWidget& dust : Dust) {
    if (dust.CellIndex != 0 || dust.CellTimer != 0) continue;
    dust.X = tower.X + VisualRandom() % tower.Width;
    dust.Y = tower.Y + tower.Height - VisualRandom() % rise;
  }
}

void CGameInputEnding::HandOverToRankings() {
  StopMusic();
  OpenRunInRankings();
  // Only now is the figure no longer drawn.
  ReleaseClassPicture();
}

// The scene stands still under screen shake; the tint lies over the scenery
// and the figure, under the captions and the bars.
void CGameInputEnding::Draw() {
  ResetDrawState();
  ShakeApplies = 0;
  for (CWidget& piece : Scenery) piece.Draw();
  SinkingPicture.Draw();
  for (CWidget& dust : Dust) dust.Draw();
  Ground.Draw();
  ClassFigure.Draw();
  Tint.Draw();
  TheEndLabel.DrawCaption();
  ThankYouLabel.DrawCaption();
  StaffRollLabel.DrawCaption();
  TopBar.Draw();
  BottomBar.Draw();
  ResetDrawState();
  ShakeApplies = 1;
  if (Child) Child->Draw();
}
