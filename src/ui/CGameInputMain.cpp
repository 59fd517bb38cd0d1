#include "ui/CGameInputMain.h"

#include <cstdlib>
#include <cstring>

#include "app/CGameMain.h"
#include "app/CGameState.h"
#include "characters/CCharacterPlayer.h"
#include "floors/CStageData.h"
#include "items/CItem.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/PictureTable.h"
#include "platform/Renderer.h"
#include "screens/CGameInputMainMenu.h"
#include "ui/CGameInputLifebar.h"
#include "ui/InputActions.h"
#include "ui/InputTrigger.h"
#include "ui/TextCopy.h"

namespace {

constexpr int MessageFont = 2;
constexpr int RowHeight = 32;
constexpr int WindowWidth = 1024;

constexpr PictureId AtlasPicture = 7;
constexpr PictureId PlainFill = 10;
constexpr int TileSize = 80;
// The top-left corner of the player's tile: the view is centred on it.
constexpr int PlayerTileX = 640 - TileSize / 2, PlayerTileY = 360 - TileSize / 2;

constexpr ScreenId MapScreen = 16;
constexpr ScreenId MenuScreen = 17;
constexpr SoundEffectId MenuSound = 4;
constexpr AnimationEntry MeleeAttack = 20;
constexpr AnimationEntry ShotAction = 30;
constexpr ItemId Kunai = 0xB8, KunaiPlus = 0xB9;
constexpr int AlwaysReturns = 100;

// The message window's frame: backdrop, band, column and corner.
constexpr PictureId MessageFrame[4] = {158, 159, 160, 161};
constexpr std::uint16_t MessageFrameResource[4] = {1030, 1031, 1032, 1033};

// One row per marker, in marker order.
struct MarkerRow {
  Direction Dir;
  int Dx, Dy;
  int SourceX;  // its arrow in the atlas, 18 x 18 at y 81
};
constexpr MarkerRow Markers[CGameInputMain::MarkerCount] = {
    {DirectionUpLeft, -1, -1, 161},  {DirectionUp, 0, -1, 181},   {DirectionUpRight, 1, -1, 201},
    {DirectionLeft, -1, 0, 221},     {DirectionRight, 1, 0, 241}, {DirectionDownLeft, -1, 1, 261},
    {DirectionDown, 0, 1, 281},      {DirectionDownRight, 1, 1, 301},
};
constexpr int ArrowSourceY = 81, ArrowSize = 18, MarkerFrames = 18, LineFrames = 8;

// The pad widget of a marker's direction: the pad skips its centre.
constexpr int PadOf(int marker) { return marker < CGameInputMain::PadCentre ? marker : marker + 1; }

// The overlay of each button; the spare button has none.
constexpr int ButtonOverlay[CGameInputMain::ButtonCount] = {9, 10, -1, 11, 12, 13};

CGameMain* Game() { return GetGameMain(); }

// Control type 2 takes TYPE A's buttons; any value but 0 and 2 is TYPE B.
bool IsTypeA() {
  const std::uint32_t type = Game()->Settings.Block.ControlType;
  return type == 0 || type == 2;
}

void ChangeState(GameStateId id) { GetStateController()->ChangeState(id); }

std::int32_t* History(int row) { return GetInput()->InputHistory[row]; }

// SELECT and CANCEL share keys with DASH and ATTACK: the key that is still
// down is no fresh press for the next screen.
void ConsumeSelectAndCancel() {
  ConsumeInputTrigger(History(InputRowSelect));
  ConsumeInputTrigger(History(InputRowCancel));
}

void SetArrowCells(CWidget& w, const MarkerRow& row, int frames) {
  CWidget::AllocCells(w);
  CWidget::SetCellAllStates(w, 0, AtlasPicture, row.SourceX, ArrowSourceY, ArrowSize, ArrowSize, frames);
  // The second cell lies one source pixel nearer the player.
  CWidget::SetCellAllStates(w, 1, AtlasPicture, row.SourceX + row.Dx, ArrowSourceY + row.Dy, ArrowSize, ArrowSize,
                            frames);
}

void LayoutHidden(CWidget& w, int x, int y, int width, int height, const CellSource& cell, float scale) {
  CWidget::SetLayout(w, x, y, width, height, cell, cell, cell, scale);
  w.SetVisible(false);
}

// The direction of a point relative to a centre: mostly sideways is left
// or right, mostly upright is up or down, else the diagonal.
Direction OffsetDirection(int dx, int dy) {
  if (dx == 0 && dy == 0) return DirectionNone;
  const int horizontal = dx < 0 ? DirectionLeft : DirectionRight;
  const int vertical = dy < 0 ? DirectionUp : DirectionDown;
  if (std::abs(2 * dy) <= std::abs(dx)) return horizontal;
  if (std::abs(2 * dx) <= std::abs(dy)) return vertical;
  return horizontal | vertical;
}

}  // namespace

CGameInputMain* GetGameInputMain() {
  static CGameInputMain screen;
  // Laid out on first use, so that lines posted before play starts (or in
  // tests) are measured in the window's real caption box.
  static const bool laidOut = (screen.BuildLayout(), true);
  (void)laidOut;
  return &screen;
}

int CGameInputMain::MarkerOf(Direction direction) {
  for (int m = 0; m < MarkerCount; ++m)
    if (Markers[m].Dir == direction) return m;
  return -1;
}

Direction CGameInputMain::MarkerDirection(int marker) { return Markers[marker].Dir; }

// ---- Layout

void CGameInputMain::BuildLayout() {
  LayoutMarkers();
  LayoutPointerControls();
  for (CWidgetWindow& panel : Panels) {
    CWidget::SetLayout(panel, 0, 0, 0, 0, CellSource{}, CellSource{}, CellSource{}, 4.0f);
    panel.SetVisible(false);
  }
  LayoutHidden(Banner, 0, 0, 0, 0, CellSource{}, 4.0f);

  MessageWindow.SetFrameImages(MessageFrame[0], MessageFrame[1], MessageFrame[2], MessageFrame[3], 16, 3, 3, 4, 4);
  CWidget::AllocCaptionFonts(MessageWindow);
  CWidget::SetCaptionFont(MessageWindow, &Game()->Fonts[MessageFont], 1.0);
  MessageWindow.SetColour(255, 255, 255);
  MessageWindow.SetVisible(false);
  LayoutMessageWindow();
}

void CGameInputMain::LayoutMarkers() {
  for (int m = 0; m < MarkerCount; ++m) {
    const MarkerRow& row = Markers[m];
    const CellSource arrow{AtlasPicture, row.SourceX, ArrowSourceY, ArrowSize, ArrowSize};
    CWidget& marker = DirectionMarkers[m];
    CWidget::SetLayout(marker, PlayerTileX + 4 + TileSize * row.Dx, PlayerTileY + 4 + TileSize * row.Dy, 36, 36,
                       arrow, arrow, arrow, 4.0f);
    SetArrowCells(marker, row, MarkerFrames);
    marker.SetVisible(false);

    // The facing marker stands on the player's tile and is never drawn; its
    // line reaches the eight tiles beyond the player.
    CWidget& facing = FacingLines[m][0];
    const CellSource plain{PlainFill, 0, 0, 20, 20};
    CWidget::SetLayout(facing, PlayerTileX, PlayerTileY, TileSize, TileSize, plain, plain, plain, 4.0f);
    facing.SetVisible(false);
    for (int k = 1; k <= LineLength; ++k) {
      CWidget& cell = FacingLines[m][k];
      CWidget::SetLayout(cell, TileSize * k * row.Dx, TileSize * k * row.Dy, TileSize, TileSize, arrow, arrow, arrow,
                         4.0f);
      SetArrowCells(cell, row, LineFrames);
      cell.Parent = &facing;
    }
  }
}

// The pad and buttons serve the touch layouts; this one builds and hides them.
void CGameInputMain::LayoutPointerControls() {
  constexpr int PadCell = 27, PadStep = 108, PadLeft = 24, PadTop = 376;
  for (int i = 0; i < PadCount; ++i) {
    const int col = i % 3, row = i / 3;
    const CellSource cell{AtlasPicture, 160 + PadCell * col, 120 + PadCell * row, PadCell, PadCell};
    const int x = PadLeft + PadStep * col, y = PadTop + PadStep * row;
    LayoutHidden(Pad[i], x, y, PadStep, PadStep, cell, 4.0f);
    LayoutHidden(Overlays[i], x, y, PadStep, PadStep, cell, 4.0f);
    // The inner cells split the middle third of the screen, the outer
    // areas are its other thirds.
    LayoutHidden(InnerAreas[i], 427 + 142 * col, 240 + 80 * row, 142, 80, CellSource{}, 1.0f);
  }
  for (int m = 0; m < MarkerCount; ++m) {
    const int p = PadOf(m);
    LayoutHidden(OuterAreas[m], 427 * (p % 3), 240 * (p / 3), 427, 240, CellSource{}, 1.0f);
  }
  for (int b = 0; b < ButtonCount; ++b) {
    const CellSource cell{AtlasPicture, 160 + PadCell * b, 200, PadCell, PadCell};
    const int x = 1280 - 2 * PadStep + PadStep * (b % 2), y = 256 + PadStep * (b / 2);
    LayoutHidden(Buttons[b], x, y, PadStep, PadStep, cell, 4.0f);
    if (ButtonOverlay[b] >= 0) LayoutHidden(Overlays[ButtonOverlay[b]], x, y, PadStep, PadStep, cell, 4.0f);
  }
}

void CGameInputMain::Begin() {
  // Nothing else acquires the message window's frame; without it the lines
  // would stand bare over the floor. Taken once, and again after the
  // device let every texture go.
  for (int i = 0; i < 4; ++i) {
    const PictureRow* row = GetPictureRow(MessageFrame[i]);
    if (row && !TextureTable[row->Slot].Texture) LoadTexture(MessageFrame[i], MessageFrameResource[i]);
  }
  Banner.SetVisible(false);
  BannerTimer = 0;
  CloseMessage();
  MessageWindow.SetText("");
  Panels[1].SetText("");
  HideMarkers();
  Pad[PadCentre].SetSelected(false);
  Game()->AutoMove = 0;
}

// ---- Markers

void CGameInputMain::HideMarkers() {
  for (int m = 0; m < MarkerCount; ++m) {
    DirectionMarkers[m].SetVisible(false);
    FacingLines[m][0].SetVisible(false);
  }
}

void CGameInputMain::ShowTurnMarkers() {
  for (int m = 0; m < MarkerCount; ++m) {
    DirectionMarkers[m].SetVisible(true);
    FacingLines[m][0].SetVisible(false);
  }
  const CCharacterPlayer* player = Game()->Player;
  const int facing = player ? MarkerOf(player->direction) : -1;
  if (facing >= 0) FacingLines[facing][0].SetVisible(true);
}

void CGameInputMain::UpdateMarkers() {
  if (IsRowHeld(InputRowDiagonalMove)) {
    for (int m = 0; m < MarkerCount; ++m) {
      DirectionMarkers[m].SetVisible(Markers[m].Dx != 0 && Markers[m].Dy != 0);
      FacingLines[m][0].SetVisible(false);
    }
    return;
  }
  const CWidget& toggle = Pad[PadCentre];
  // A second TurnPlayer outside turn mode would ask the same questions
  // again: its answer is the first one's.
  const bool turnMode = TurnPlayer() != DirectionNone ||
                        (Game()->Settings.Block.ControlType == 2 &&
                         (toggle.IsHeldLong() || toggle.IsHeldOver() || toggle.IsSelected())) ||
                        IsRowHeld(InputRowDirection);
  if (!turnMode) {
    HideMarkers();
    return;
  }
  ConsumePointerPress();
  ShowTurnMarkers();
}

// ---- Per frame

void CGameInputMain::UpdateWidgets() {
  for (CWidget& marker : DirectionMarkers) marker.Update();
  for (CWidget& pad : Pad) pad.Update();
  for (CWidget& button : Buttons) button.Update();
  for (CWidget& overlay : Overlays) overlay.Update();
  for (int m = 0; m < MarkerCount; ++m)
    for (CWidget& cell : FacingLines[m]) cell.CellIndex = DirectionMarkers[m].CellIndex;
}

void CGameInputMain::Update() {
  UpdateWidgets();
  if (Child) {
    Child->Update();
    return;
  }
  TickMessage();
  const CCharacterPlayer* player = Game()->Player;
  if (GetStateController()->GetStateId() != StateMainNormal) {
    if (IsDashToggleClicked()) Pad[PadCentre].SetSelected(!Pad[PadCentre].IsSelected());
  } else if (!player || !Game()->CurrentStage || player->hp <= 0) {
    HideMarkers();
  } else {
    UpdateMarkers();
    ReadCommand();
  }
  Tail();
}

void CGameInputMain::ReadCommand() {
  CCharacterPlayer* player = Game()->Player;
  CWidget& toggle = Pad[PadCentre];
  if (Buttons[ButtonMap].IsJustPressed() || IsRowHeld(InputRowMap)) {
    PushChild(MapScreen);  // it stays while MAP is held
    return;
  }
  if (const Direction d = GetDashDirection()) {
    ConsumePointerPress();
    StartDash(d);
    return;
  }
  if (const Direction d = GetStepDirection()) {
    ConsumePointerPress();
    StepPlayer(d);
    return;
  }
  if (IsDashToggleClicked()) {
    ConsumePointerPress();
    toggle.SetSelected(!toggle.IsSelected());
    return;
  }
  if (toggle.IsHeldOver() || InnerAreas[PadCentre].IsHeldOver()) {
    ConsumePointerPress();
    return;
  }
  if (IsSkipTurnPressed(*this)) {
    ConsumeSelectAndCancel();
    ConsumePointerPress();
    ChangeState(StateEnemyMove);
    player->actionPoints = 0;
    HideMarkers();
    return;
  }
  if (IsAttackPressed(*this)) {
    ConsumePointerPress();
    ConsumeSelectAndCancel();
    if (player->IsConfuse()) player->SetDirection(RandomDirection());
    // The blow goes where the player faces; it needs no target.
    player->SetAnimation(MeleeAttack);
    ChangeState(StatePlayerAction);
    player->actionPoints = 0;
    HideMarkers();
    return;
  }
  // No shooting in the tutorial.
  if (IsShootPressed(*this) && Game()->Settings.Block.DungeonIndex != 0) {
    ConsumePointerPress();
    ConsumeInputTrigger(History(InputRowShoot));
    ConsumeSelectAndCancel();
    Shoot();
    return;
  }
  if (Buttons[ButtonMenu].IsJustPressed() || IsMenuPressed(*this)) OpenMenu();
}

// Arrows, else a pair of kunai, else a weapon that comes back; with none
// of them nothing happens.
bool CGameInputMain::Shoot() {
  CCharacterPlayer* player = Game()->Player;
  int slot = -1;
  if (player->GetItem(ArrowSlot)) {
    slot = ArrowSlot;
  } else if (const CItem* weapon = player->GetItem(WeaponSlot)) {
    const bool kunaiPair = (weapon->GetId() == Kunai || weapon->GetId() == KunaiPlus) && weapon->GetCount() >= 2;
    if (kunaiPair || weapon->GetReturnChance() >= AlwaysReturns) slot = WeaponSlot;
  }
  if (slot < 0) return false;
  ChangeState(StatePlayerAction);
  player->actionPoints = 0;
  player->SetSelectedItem(slot);
  player->SetAnimation(ShotAction);
  HideMarkers();
  return true;
}

void CGameInputMain::OpenMenu() {
  ConsumePointerPress();
  ConsumeSelectAndCancel();
  GetSoundManager()->PlaySe(MenuSound);
  PushChild(MenuScreen);
  CloseMessage();
  GetGameInputMainMenu()->Open();
}

void CGameInputMain::Tail() {
  Overlays[DashIndicator].SetSelected(Pad[PadCentre].IsSelected());
  for (int i = 0; i < PadCount; ++i)
    if (Pad[i].IsJustPressed()) Overlays[i].StartPulse(6, 0, 128, 255);
  for (int b = 0; b < ButtonCount; ++b)
    if (ButtonOverlay[b] >= 0 && Buttons[b].IsJustPressed()) Overlays[ButtonOverlay[b]].StartPulse(6, 0, 128, 255);
}

// ---- Commands

Direction CGameInputMain::TurnPlayer() {
  CCharacterPlayer* player = Game()->Player;
  if (!player) return DirectionNone;
  const std::uint32_t type = Game()->Settings.Block.ControlType;
  Direction turned = DirectionNone;
  if (type == 0 || type == 1) {
    for (int m : DirectionQueryOrder) {
      if (!IsTurnQuery(*this, m)) continue;
      ConsumePointerPress();
      turned = Markers[m].Dir;
      break;
    }
  } else if (type == 2) {
    const CWidget& toggle = Pad[PadCentre];
    if (toggle.IsSelected()) {
      for (int m : DirectionQueryOrder) {
        if (!IsMoveQuery(*this, m)) continue;
        turned = Markers[m].Dir;
        break;
      }
    } else if (toggle.IsHeldOver()) {
      turned = OffsetDirection(toggle.GetPointerX() - toggle.Width / 2, toggle.GetPointerY() - toggle.Height / 2);
    }
  }
  if (turned != DirectionNone) player->SetDirection(turned);
  return turned;
}

Direction CGameInputMain::GetStepDirection() {
  if (Pad[PadCentre].IsSelected() || IsRowHeld(InputRowDash)) return DirectionNone;
  for (int m : DirectionQueryOrder)
    if (IsMoveQuery(*this, m)) return Markers[m].Dir;
  return DirectionNone;
}

Direction CGameInputMain::GetDashDirection() {
  const std::uint32_t type = Game()->Settings.Block.ControlType;
  const CWidget& toggle = Pad[PadCentre];
  if (IsRowHeld(InputRowDash) || ((type == 0 || type == 1) && toggle.IsSelected())) {
    for (int m : DirectionQueryOrder) {
      const bool asks = type == 2 ? IsTurnQuery(*this, m) : IsMoveQuery(*this, m);
      if (asks) return Markers[m].Dir;
    }
  }
  const CWidget* releasedOver = nullptr;
  if (type == 0 && toggle.IsReleasedOver()) releasedOver = &toggle;
  if (type == 1 && InnerAreas[PadCentre].IsReleasedOver()) releasedOver = &InnerAreas[PadCentre];
  if (!releasedOver) return DirectionNone;
  // The pad widget under the release point, else the point's offset.
  const int px = releasedOver->GetPointerX() + releasedOver->GetX();
  const int py = releasedOver->GetPointerY() + releasedOver->GetY();
  for (int m = 0; m < MarkerCount; ++m)
    if (Pad[PadOf(m)].Contains(px, py)) return Markers[m].Dir;
  return OffsetDirection(px - (toggle.GetX() + toggle.Width / 2), py - (toggle.GetY() + toggle.Height / 2));
}

void CGameInputMain::StepPlayer(Direction direction) {
  CGameMain* game = Game();
  CCharacterPlayer* player = game->Player;
  CStageData* stage = game->CurrentStage;
  if (!player || !stage) return;
  if (player->IsConfuse()) direction = RandomDirection();
  if (!player->SetDirection(direction)) return;
  if (player->StepForward()) {
    ChangeState(StatePlayerMove);
    player->actionPoints = 0;
    HideMarkers();
    return;
  }
  const int x = player->GetX(), y = player->GetY();
  if (stage->CanAttack(x, y, x + player->GetFacingDx(), y + player->GetFacingDy(), 0) && !player->IsConfuse() &&
      game->Settings.Block.AutoAttack == 1) {
    game->AutoMove = 0;
    player->SetAnimation(MeleeAttack);
    ChangeState(StatePlayerAction);
    player->actionPoints = 0;
    HideMarkers();
    return;
  }
  // Refused without a word: the player keeps its new facing.
  game->AutoMove = 0;
}

void CGameInputMain::StartDash(Direction direction) {
  Game()->AutoMove = 1;
  SwallowInput(History(InputRowPointer));
  for (int row : {InputRowUp, InputRowDown, InputRowLeft, InputRowRight}) SwallowInput(History(row));
  ConsumeSelectAndCancel();
  StepPlayer(direction);
}

// ---- On-screen buttons

bool CGameInputMain::IsTouchMove(int marker) const {
  return IsTypeA() ? Pad[PadOf(marker)].IsPressed() : OuterAreas[marker].IsPressed();
}

bool CGameInputMain::IsTouchTurn(int marker) const {
  if (!IsTypeA()) return Pad[PadOf(marker)].IsPressed();
  return OuterAreas[marker].IsPressed() || InnerAreas[PadOf(marker)].IsPressed();
}

bool CGameInputMain::IsTouchPadHeld() const {
  if (IsTypeA()) return Pad[PadCentre].IsHeldOver();
  for (const CWidget& area : InnerAreas)
    if (area.IsHeldOver()) return true;
  return false;
}

bool CGameInputMain::IsDashToggleClicked() const {
  if (IsTypeA()) return Pad[PadCentre].IsClicked();
  for (const CWidget& area : InnerAreas)
    if (area.IsClicked()) return true;
  return false;
}

// ---- Drawing

void CGameInputMain::DrawLayer(int pass) {
  if (pass != 0) {
    if (Child) Child->DrawLayer(pass);
    return;
  }
  CGameMain* game = Game();
  // Without a floor there is nothing for the markers and the map to stand on.
  if (CStageData* stage = game->CurrentStage) {
    // Every arrow steps with the up-left marker.
    for (int m = 0; m < MarkerCount; ++m) {
      DirectionMarkers[m].CellIndex = DirectionMarkers[0].CellIndex;
      for (int k = 1; k <= LineLength; ++k) FacingLines[m][k].CellIndex = DirectionMarkers[m].CellIndex;
    }
    for (int k = 1; k <= LineLength; ++k)
      for (int m = 0; m < MarkerCount; ++m) FacingLines[m][k].Draw();
    for (CWidget& marker : DirectionMarkers) marker.Draw();
    MessageWindow.Draw();
    MessageWindow.DrawCaption();
    stage->DrawMap(0, 40, 4, 160);
  } else {
    MessageWindow.Draw();
    MessageWindow.DrawCaption();
  }
  static CGameInputLifebar lifebar;
  lifebar.DrawSplitLabels();
  for (CWidget& pad : Pad) pad.Draw();
  for (CWidget& button : Buttons) button.Draw();
  Banner.Draw();
  for (CWidget& overlay : Overlays) overlay.Draw();
  if (Child) Child->DrawLayer(0);
}

// ---- Message window

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
  MessageWindow.SetFrameImages(MessageFrame[0], MessageFrame[1], MessageFrame[2], MessageFrame[3], 16, 3, 3, 4, 4);
  MessageWindow.SetAlphas(255, 224);
  MessageWindow.SetColour(255, 255, 255);
  MessageWindow.SetDrawOffset(w / 2, h / 2);
  MessageWindow.AnimateSize(w, w, h, h, 0, SizeAnimHeightOnly);
  MessageWindow.SetCaptionBox(20, h / 2 - textHeight / 2, w - 40, textHeight, 5);
  CWidget::AllocCaptionFonts(MessageWindow);
  CWidget::SetCaptionFont(MessageWindow, &Game()->Fonts[MessageFont], 1.0);
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
