#include "screens/MainMenuLayoutKit.h"

#include "app/CGameMain.h"

namespace menulayout {

void Picture(CWidget& w, int x, int y, int width, int height, const CellSource& normal, const CellSource& selected,
             float scale, CWidget* parent) {
  CWidget::SetLayout(w, x, y, width, height, normal, selected, normal, scale);
  w.Parent = parent;
}

void Animated(CWidget& w, int x, int y, int width, int height, const CellSource& first, const CellSource& second,
              int frames, float scale, CWidget* parent) {
  Picture(w, x, y, width, height, first, scale, parent);
  CWidget::AllocCells(w);
  CWidget::SetCellAllStates(w, 0, first.Picture, first.SourceX, first.SourceY, first.Width, first.Height, frames);
  CWidget::SetCellAllStates(w, 1, second.Picture, second.SourceX, second.SourceY, second.Width, second.Height,
                            frames);
}

void Fill(CWidget& w, int x, int y, int width, int height, int fillWidth, int fillHeight, int red, int green,
          int blue, int alpha, float scale, CWidget* parent) {
  Picture(w, x, y, width, height, CellSource{Plain, 0, 0, fillWidth, fillHeight}, scale, parent);
  w.SetColour(red, green, blue);
  w.SetAlpha(alpha);
}

void Window(CWidgetWindow& w, int x, int y, int width, int height, float scale, int fill, CWidget* parent,
            PictureId backdrop) {
  Picture(w, x, y, width, height, NoCell, scale, parent);
  w.SetFrameImages(backdrop, 147, 148, 149, 16, 2, 2, 3, 3);
  w.SetAlphas(255, fill);
  w.SetBackdropColour(255, 255, 255);
  w.SetDrawOffset(width / 2, height / 2);
  w.AnimateSize(width, width, height, height, 0, SizeAnimHeightOnly);
}

void Caption(CWidget& w, int dx, int dy, int width, int height, int align, int font, bool emptyText) {
  w.SetCaptionBox(dx, dy, width, height, align);
  CWidget::AllocCaptionFonts(w);
  CWidget::SetCaptionFont(w, &GetGameMain()->Fonts[font], 1.0);
  if (emptyText) w.SetText("");
}

}  // namespace menulayout
