#pragma once
// The few shapes every widget of the in-dungeon menu's build takes: a
// picture from the interface atlas, a two-cell animation, a colour fill and
// a framed window, each with an optional caption box and font.
#include "ui/CWidgetWindow.h"

namespace menulayout {

constexpr PictureId Atlas = 7, Plain = 10;
constexpr CellSource NoCell{0, 0, 0, 0, 0};

constexpr CellSource Cell(int x, int y, int w, int h) { return CellSource{Atlas, x, y, w, h}; }

void Picture(CWidget& w, int x, int y, int width, int height, const CellSource& normal, const CellSource& selected,
             float scale, CWidget* parent = nullptr);
inline void Picture(CWidget& w, int x, int y, int width, int height, const CellSource& cell, float scale,
                    CWidget* parent = nullptr) {
  Picture(w, x, y, width, height, cell, cell, scale, parent);
}
void Animated(CWidget& w, int x, int y, int width, int height, const CellSource& first, const CellSource& second,
              int frames, float scale, CWidget* parent = nullptr);
// A rectangle of picture 10 (fillWidth x fillHeight of it) in one colour.
void Fill(CWidget& w, int x, int y, int width, int height, int fillWidth, int fillHeight, int red, int green,
          int blue, int alpha, float scale, CWidget* parent = nullptr);
// A framed window at full size, frame pictures 146-149 (backdrop 0 for the
// plates), backdrop alpha `fill`.
void Window(CWidgetWindow& w, int x, int y, int width, int height, float scale, int fill, CWidget* parent = nullptr,
            PictureId backdrop = 146);
void Caption(CWidget& w, int dx, int dy, int width, int height, int align, int font, bool emptyText = false);

}  // namespace menulayout
