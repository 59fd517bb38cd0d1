// How a floor draws itself each frame: background, ground, tiles chosen by
// each cell's neighbours, what lies and stands there, darkness over what is
// not seen and the overlay; and the floor map.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "app/CGameMain.h"
#include "floors/CStageData.h"
#include "platform/Random.h"
#include "platform/Renderer.h"

namespace {

// The drawn window: one cell more on every side than IsOnScreen.
constexpr int WindowHalfWidth = 11;
constexpr int WindowHalfHeight = 9;
constexpr int WindowColumns = 2 * WindowHalfWidth + 1;
constexpr int WindowRows = 2 * WindowHalfHeight + 1;
constexpr int CellUnits = 80;
constexpr int HalfCell = CellUnits / 2;
constexpr float TileScale = 4.0f;
// Picture 10 is a white square of this many texels.
constexpr int PlainSize = 8;

// Reference point of the cell at camera offset (dx, dy).
int ReferenceX(int dx) { return GetGameMain()->GetViewWidth() / 2 + dx * CellUnits; }
int ReferenceY(int dy) { return GetGameMain()->GetViewCenterY() + dy * CellUnits; }

std::uint32_t Argb(int a, int r, int g, int b) {
  return static_cast<std::uint32_t>(a & 0xFF) << 24 | static_cast<std::uint32_t>(r & 0xFF) << 16 |
         static_cast<std::uint32_t>(g & 0xFF) << 8 | static_cast<std::uint32_t>(b & 0xFF);
}

// Picture 10 stretched over a box of layout units.
void DrawPlainBox(int x, int y, int w, int h, std::uint32_t argb) {
  SpriteDrawState.ScaleX = static_cast<float>(w) / PlainSize;
  SpriteDrawState.ScaleY = static_cast<float>(h) / PlainSize;
  SpriteDrawState.Colour = argb;
  DrawSprite(PlainPicture, x, y, 0, 0, PlainSize, PlainSize);
}

// Widths of the 60 strips of a rounded shade corner: the part of a
// 120-unit circle's square that lies outside the circle.
struct ShadeStrips {
  int Width[60];
  ShadeStrips() {
    for (int n = 0; n < 60; ++n) {
      const double i = 119 - 2 * n;
      Width[n] = static_cast<int>((1.0 - std::sin(std::acos(i / 120.0))) * 80 * 3 * 0.5);
    }
  }
};

// Cells of a window grid merged greedily into rectangles: from the first
// marked cell not yet covered (columns left to right, rows top to bottom in
// each), a run to the right along its row, then extended downwards while
// the whole run stays marked. Each rectangle is one quad.
template <int Columns, int Rows, typename Emit>
void MergeIntoRectangles(const bool (&marked)[Columns][Rows], Emit emit) {
  bool covered[Columns][Rows] = {};
  for (int c = 0; c < Columns; ++c) {
    for (int r = 0; r < Rows; ++r) {
      if (!marked[c][r] || covered[c][r]) continue;
      int end = c + 1;
      while (end < Columns && marked[end][r] && !covered[end][r]) ++end;
      int bottom = r + 1;
      for (; bottom < Rows; ++bottom) {
        bool whole = true;
        for (int k = c; k < end && whole; ++k) whole = marked[k][bottom] && !covered[k][bottom];
        if (!whole) break;
      }
      for (int k = c; k < end; ++k)
        for (int j = r; j < bottom; ++j) covered[k][j] = true;
      emit(c, r, end - c, bottom - r);
    }
  }
}

}  // namespace

void CStageData::Draw() {
  if (!ReadyToDraw) return;
  int scrollX = ScrollOffsetX, scrollY = ScrollOffsetY;
  if (ScrollCounter != ScrollFrameCount || CameraX != PrevCameraX || CameraY != PrevCameraY) {
    scrollX = (CameraX - PrevCameraX) * (ScrollFrameCount - ScrollCounter) * CellUnits / ScrollFrameCount;
    scrollY = (CameraY - PrevCameraY) * (ScrollFrameCount - ScrollCounter) * CellUnits / ScrollFrameCount;
  }
  if (!GroundHidesBackground(scrollX - ScrollOffsetX, scrollY - ScrollOffsetY))
    DrawBackground();
  else
    ResetDrawState();
  ScrollOffsetX = scrollX;
  ScrollOffsetY = scrollY;
  DrawBaseLayer(-WindowHalfWidth, -WindowHalfHeight);

  auto eachCell = [this](void (CStageData::*layer)(int, int)) {
    for (int dx = -WindowHalfWidth; dx <= WindowHalfWidth; ++dx)
      for (int dy = -WindowHalfHeight; dy <= WindowHalfHeight; ++dy) (this->*layer)(CameraX + dx, CameraY + dy);
  };
  eachCell(&CStageData::DrawBarrierTiles);
  // Tile variants come from the floor's own seed, so a floor always looks
  // the same; the visual generator then gets a fresh sequence again.
  SeedRandom(StageId);
  eachCell(&CStageData::DrawFloorTiles);
  eachCell(&CStageData::DrawStairs);
  eachCell(&CStageData::DrawCorridorTiles);
  SeedRandom(StageId);
  eachCell(&CStageData::DrawWallTiles);
  SeedVisualRandom(GetGameMain()->Clock ? GetGameMain()->Clock() : 0u);

  DrawItemsAndCharacters();
  DrawDarkness(GetShadeAlpha());
  DrawEffects();
  ScrollOffsetX = ScrollOffsetY = 0;
  DrawScreenTint();
}

// An opaque ground drawn without translucency over all of the background
// leaves nothing of it to see: the background need not be drawn. (`shiftX`,
// `shiftY`: how much further the ground slides than the background.)
bool CStageData::GroundHidesBackground(int shiftX, int shiftY) const {
  if (GetTintAlpha() != 255 || !IsPictureOpaque(BaseLayerPicture)) return false;
  const CGameMain* game = GetGameMain();
  const int left = ReferenceX(-WindowHalfWidth) - HalfCell + shiftX, top = ReferenceY(-WindowHalfHeight) - HalfCell + shiftY;
  return left <= -100 && top <= -100 && left + WindowColumns * CellUnits >= game->GetViewWidth() + 100 &&
         top + WindowRows * CellUnits >= game->GetViewHeight() + 100;
}

void CStageData::DrawBackground() {
  const CGameMain* game = GetGameMain();
  SpriteDrawState.ScaleX = static_cast<float>(game->GetViewWidth() + 200) / 512.0f;
  SpriteDrawState.ScaleY = static_cast<float>(game->GetViewHeight() + 200) / 512.0f;
  DrawSprite(BackgroundPicture, -100, -100, 0, 0, 512, 512);
  ResetDrawState();
}

void CStageData::DrawBaseLayer(int dx, int dy) {
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = TileScale;
  SpriteDrawState.Colour = Argb(GetTintAlpha(), GetTintRed(), GetTintGreen(), GetTintBlue());
  // 20 texels a cell, over the window's 23 x 19 cells: the ground moves
  // with the camera and covers the whole view.
  DrawSprite(BaseLayerPicture, ReferenceX(dx) - HalfCell, ReferenceY(dy) - HalfCell, (CameraX + dx) * 20,
             (CameraY + dy) * 20, WindowColumns * 20, WindowRows * 20);
  ResetDrawState();
}

void CStageData::DrawTile(int x, int y, int offsetX, int offsetY, int sx, int sy, int w, int h) {
  SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = TileScale;
  DrawSprite(AreaTilesPicture, ReferenceX(ToScreenX(x)) + offsetX, ReferenceY(ToScreenY(y)) + offsetY, sx, sy, w, h);
}

void CStageData::DrawBarrierTiles(int x, int y) {
  bool near = false;
  for (int i = -1; i <= 1 && !near; ++i)
    for (int j = -1; j <= 1 && !near; ++j) near = IsOpenBarrier(x + i, y + j);
  if (!near) return;
  // A strip that slides one texel every 20 frames.
  const int slide = static_cast<int>(GetGameMain()->FrameCount % 400 / 20);
  DrawTile(x, y, -40, -40, slide, 340, 80, 80);
}

void CStageData::DrawFloorTiles(int x, int y) {
  if (!IsFloorlike(x, y) || IsWall(x, y)) return;
  const int sx = (IsFloorlike(x, y - 1) ? 240 : 0) + (IsFloorlike(x - 1, y) ? 120 : 0) + (IsFloorlike(x + 1, y) ? 60 : 0);
  const int sy = IsFloorlike(x, y + 1) ? 180 : 120;
  DrawTile(x, y, -120, -120, sx, sy, 60, 60);
  const int v = RandomForCell(x, y);
  if (v % 6 == 0) DrawTile(x, y, -40, -40, 330 + 40 * (v / 6 % 4), 90, 40, 40);
  if (IsStairs(x, y)) DrawTile(x, y, -40, -40, 0, 240, 20, 20);
}

void CStageData::DrawStairs(int x, int y) {
  if (IsStairs(x, y)) DrawTile(x, y, -40, -40, 0, 240, 20, 20);
}

void CStageData::DrawCorridorTiles(int x, int y) {
  if (!IsCorridor(x, y)) return;
  const int sx = (IsCorridor(x, y - 1) ? 160 : 0) + (IsCorridor(x - 1, y) ? 80 : 0) + (IsCorridor(x + 1, y) ? 40 : 0);
  const int sy = IsCorridor(x, y + 1) ? 300 : 260;
  DrawTile(x, y, -80, -80, sx, sy, 40, 40);
  // Doorways into the rooms beside it.
  if (IsFloorlike(x, y - 1)) DrawTile(x, y, -80, -160, 160, 340, 40, 40);
  if (IsFloorlike(x - 1, y)) DrawTile(x, y, -160, -80, 200, 340, 40, 40);
  if (IsFloorlike(x + 1, y)) DrawTile(x, y, 0, -80, 80, 340, 40, 40);
  if (IsFloorlike(x, y + 1)) DrawTile(x, y, -80, 0, 120, 340, 40, 40);
  if (IsOpenBarrier(x, y + 1) && x % 2 == 0) DrawTile(x, y, -80, 0, 240, 340, 40, 40);
}

void CStageData::DrawWallTiles(int x, int y) {
  if (!IsWall(x, y)) return;
  const bool above = IsWall(x, y - 1), below = IsWall(x, y + 1);
  const bool left = IsWall(x - 1, y), right = IsWall(x + 1, y);
  const bool upperLeft = IsWall(x - 1, y - 1), upperRight = IsWall(x + 1, y - 1);
  const bool lowerLeft = IsWall(x - 1, y + 1), lowerRight = IsWall(x + 1, y + 1);
  if (above && below && left && right && upperLeft && upperRight && lowerLeft && lowerRight) {
    const int v = RandomForCell(x, y);
    if (v % 12 == 0)
      DrawTile(x, y, -80, -80, 160 + 40 * (v / 12 % 4), 80, 40, 40);
    else
      DrawTile(x, y, -80, -80, 280, 40, 40, 40);
    return;
  }
  DrawTile(x, y, -80, -80, (above ? 160 : 0) + (left ? 80 : 0) + (right ? 40 : 0), below ? 40 : 0, 40, 40);
  // Inner corners, where the wall turns around open ground.
  if (above && left && !upperLeft) DrawTile(x, y, -80, -80, 0, 80, 40, 40);
  if (above && right && !upperRight) DrawTile(x, y, -80, -80, 40, 80, 40, 40);
  if (below && left && !lowerLeft) DrawTile(x, y, -80, -80, 80, 80, 40, 40);
  if (below && right && !lowerRight) DrawTile(x, y, -80, -80, 120, 80, 40, 40);
}

void CStageData::DrawDarkness(int alpha) {
  if (GetLightMode() >= 2) return;
  bool unseen[WindowColumns][WindowRows];
  for (int c = 0; c < WindowColumns; ++c)
    for (int r = 0; r < WindowRows; ++r)
      unseen[c][r] = IsVisible(CameraX + c - WindowHalfWidth, CameraY + r - WindowHalfHeight) == VisibleNone;

  const std::uint32_t shade = Argb(alpha, GetShadeRed(), GetShadeGreen(), GetShadeBlue());
  MergeIntoRectangles(unseen, [&](int c, int r, int columns, int rows) {
    DrawPlainBox(ReferenceX(c - WindowHalfWidth) - HalfCell, ReferenceY(r - WindowHalfHeight) - HalfCell,
                 columns * CellUnits, rows * CellUnits, shade);
  });
  ResetDrawState();

  // Rounded corners where a seen cell meets unseen cells on two sides.
  for (int c = 0; c < WindowColumns; ++c) {
    for (int r = 0; r < WindowRows; ++r) {
      if (unseen[c][r]) continue;
      const int x = CameraX + c - WindowHalfWidth, y = CameraY + r - WindowHalfHeight;
      const bool left = IsVisible(x - 1, y) == VisibleNone, right = IsVisible(x + 1, y) == VisibleNone;
      const bool up = IsVisible(x, y - 1) == VisibleNone, down = IsVisible(x, y + 1) == VisibleNone;
      const int dx = c - WindowHalfWidth, dy = r - WindowHalfHeight;
      if (left && up) DrawShadeRect(dx, dy, 0, alpha);
      if (right && up) DrawShadeRect(dx, dy, 1, alpha);
      if (left && down) DrawShadeRect(dx, dy, 2, alpha);
      if (right && down) DrawShadeRect(dx, dy, 3, alpha);
    }
  }
}

void CStageData::DrawShadeRect(int dx, int dy, int kind, int alpha) {
  static const ShadeStrips strips;
  const int left = ReferenceX(dx) - HalfCell, right = ReferenceX(dx) + HalfCell;
  const int top = ReferenceY(dy) - HalfCell, bottom = ReferenceY(dy) + HalfCell;
  const std::uint32_t shade = Argb(alpha, GetShadeRed(), GetShadeGreen(), GetShadeBlue());
  SpriteDrawState.Depth = 0.5f;
  SpriteDrawState.DepthWrite = 1;
  for (int n = 0; n < 60; ++n) {
    const int w = strips.Width[n];
    if (w <= 0) continue;
    const int x = (kind == 0 || kind == 2) ? left : right - w;
    const int y = kind < 2 ? top + 2 * n : bottom - 2 - 2 * n;
    DrawPlainBox(x, y, w, 2, shade);
  }
  ResetDrawState();
}

// Bands of the view's height with their tops at 0, -step, ... (kind 1) or
// 0, step, ... (kind 2) inside the view; a row lies under every band whose
// span holds it.
const CStageData::OverlayRows& CStageData::GetOverlayRows(int step, int height) {
  OverlayRows& rows = OverlayLayers;
  if (rows.Kind == OverlayKind && rows.Step == step && rows.Height == height) return rows;
  rows.Kind = OverlayKind;
  rows.Step = step;
  rows.Height = height;
  const int bands = (height - 1) / step + 1;
  if (bands > MaxOverlayRuns / 2) {
    rows.Count = -1;
    return rows;
  }
  const int direction = OverlayKind == 1 ? -step : step;
  int edges[MaxOverlayRuns];
  for (int i = 0; i < bands; ++i) {
    edges[2 * i] = i * direction;
    edges[2 * i + 1] = i * direction + height;
  }
  std::sort(edges, edges + 2 * bands);
  const int edgeCount = static_cast<int>(std::unique(edges, edges + 2 * bands) - edges);
  rows.Count = 0;
  for (int e = 0; e + 1 < edgeCount; ++e) {
    int layers = 0;
    for (int i = 0; i < bands; ++i) layers += i * direction <= edges[e] && edges[e] < i * direction + height;
    if (layers > 0) rows.Runs[rows.Count++] = {edges[e], edges[e + 1], layers};
  }
  return rows;
}

void CStageData::DrawScreenTint() {
  if (OverlayKind != 1 && OverlayKind != 2) return;
  const CGameMain* game = GetGameMain();
  const int width = game->GetViewWidth() + 200, height = game->GetViewHeight();
  // No bands, or more bands than rows, is no gradient at all.
  if (OverlayBands <= 0) return;
  const int step = height / OverlayBands;
  if (step <= 0) return;
  const std::uint32_t colour = Argb(OverlayAlpha, OverlayRed, OverlayGreen, OverlayBlue);
  const int left = OverlayKind == 1 ? -100 : 0;
  if (OverlayKind == 1) SpriteDrawState.BlendMode = static_cast<std::uint32_t>(OverlayBlendMode);
  SpriteDrawState.Colour = colour;
  // The bands overlap: blended row by row as often as bands cover the row,
  // the view is painted once instead of about half as many times as there
  // are bands.
  const OverlayRows& rows = GetOverlayRows(step, height);
  if (rows.Count < 0 || !DrawLayeredRows(PlainPicture, left, left + width, rows.Runs, rows.Count)) {
    const int direction = OverlayKind == 1 ? -step : step;
    for (int y = 0; y > -height && y < height; y += direction) DrawPlainBox(left, y, width, height, colour);
  }
  ResetDrawState();
}

void CStageData::DrawMapOpaque(int x, int y, int cellSize) { DrawMap(x, y, cellSize, 255); }

void CStageData::DrawMap(int x, int y, int cellSize, int alpha) {
  const int markRow = GetGameMain()->FrameCount % 40 < 20 ? 0 : 3;
  const std::uint32_t white = Argb(alpha, 255, 255, 255);
  const int pitch = cellSize * 3;
  bool fill[StageMapSize][StageMapSize] = {};
  for (int cx = 0; cx < StageMapSize; ++cx) {
    for (int cy = 0; cy < StageMapSize; ++cy) {
      const int px = x + cx * pitch, py = y + cy * pitch;
      if (DrawMapMarkerAt(cx, cy, px, py, cellSize, alpha)) continue;
      if (!explored[CellIndex(cx, cy)]) continue;
      if (IsStairs(cx, cy)) {
        SpriteDrawState.ScaleX = SpriteDrawState.ScaleY = static_cast<float>(cellSize);
        SpriteDrawState.Colour = white;
        DrawSprite(MapMarksPicture, px, py, 402, markRow, 3, 3);
        ResetDrawState();
      } else if (IsCorridor(cx, cy) || IsFloor(cx, cy)) {
        fill[cx][cy] = true;
      }
    }
  }
  MergeIntoRectangles(fill, [&](int cx, int cy, int columns, int rows) {
    SpriteDrawState.ScaleX = static_cast<float>(columns * cellSize);
    SpriteDrawState.ScaleY = static_cast<float>(rows * cellSize);
    SpriteDrawState.Colour = white;
    DrawSprite(MapMarksPicture, x + cx * pitch, y + cy * pitch, 408, markRow, 3, 3);
  });
  ResetDrawState();
}

void DrawStageScreen() {
  CGameMain* game = GetGameMain();
  if (!game->CurrentStage) return;
  game->CurrentStage->Draw();
  constexpr std::uint32_t Black = 0xFF000000u;
  if (game->ScreenLayout == 1) {
    DrawPlainBox(-32, -32, 32, 512, Black);
    DrawPlainBox(320, -32, 32, 512, Black);
  } else if (game->ScreenLayout == 2) {
    DrawPlainBox(0, 480, 320, 32, Black);
  }
  ResetDrawState();
}

void DrawFloorMapScreen() {
  CGameMain* game = GetGameMain();
  DrawPlainBox(0, 0, game->GetViewWidth(), game->GetViewHeight(), 0xFF000000u);
  ResetDrawState();
  CStageData* stage = game->CurrentStage;
  if (!stage) return;
  switch (game->ScreenLayout) {
    case 0:
    case 1:
    case 2: stage->DrawMapOpaque(game->GetViewWidth() / 2 - 240, game->GetViewCenterY() - 240, 4); break;
    case 3:
    case 4: stage->DrawMapOpaque(0, 30, 2); break;
    default: stage->DrawMapOpaque(0, 40, 4); break;
  }
}
