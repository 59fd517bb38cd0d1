#pragma once
// A widget drawn as a framed panel around its position: a backdrop and a
// nine-piece frame, sized by half widths and half heights, that can grow or
// shrink over a number of frames.
#include <cstdint>

#include "ui/CWidget.h"

// How AnimateSize moves the two sides.
enum SizeAnimMode : std::int32_t {
  SizeAnimHeightOnly = 0,
  SizeAnimWidthOnly = 1,
  SizeAnimHeightThenWidth = 2,
  SizeAnimWidthThenHeight = 3,
  SizeAnimBoth = 4,
};

class CWidgetWindow : public CWidget {
public:
  CWidgetWindow() = default;
  ~CWidgetWindow() override = default;

  void Update() override;
  void Draw() override;
  // The box, and besides it every logical pixel the frame is drawn on: the
  // frame lies outside the box, and the pieces are drawn on whole logical
  // pixels, so a box alone would leave drawn edges that take no click.
  bool Contains(int x, int y) const override;

  virtual void SetHalfSize(int left, int right, int top, int bottom);
  virtual void AnimateSize(int fromWidth, int toWidth, int fromHeight, int toHeight, int frames, int mode);
  virtual bool IsAnimating() const { return AnimFrames != AnimFrame; }
  virtual void SetBorderSize(int a, int b);
  virtual void SetFrameImages(PictureId backdrop, PictureId band, PictureId column, PictureId corner, int size,
                              int a, int b, int c, int d);
  virtual void SetAlphas(int frameAlpha, int backdropAlpha);
  virtual void SetBackdropColour(int r, int g, int b);

  // The names the dialogs' layouts use for the two above.
  void SetColourTriple(int r, int g, int b) { SetBackdropColour(r, g, b); }
  void SetCornerSize(int a, int b) { SetBorderSize(a, b); }

  // -1 draws the frame cut from the widget's own current cell instead.
  PictureId BackdropPicture = -1;
  PictureId BandPicture = -1;
  PictureId ColumnPicture = -1;
  PictureId CornerPicture = -1;
  std::int32_t PictureSize = -1;
  std::int32_t BorderA = 0, BorderB = 0;
  std::int32_t ThicknessC = -1, ThicknessD = -1;
  std::int32_t FrameAlpha = 255;
  std::int32_t BackdropRed = 255, BackdropGreen = 255, BackdropBlue = 255;
  std::int32_t BackdropAlpha = 255;
  std::int32_t FromWidth = 0, ToWidth = 0, FromHeight = 0, ToHeight = 0;
  std::int32_t AnimFrames = 0, AnimFrame = 0;
  std::int32_t AnimMode = SizeAnimBoth;
  std::int32_t HalfLeft = 0, HalfRight = 0;
  std::int32_t HalfTop = 0, HalfBottom = 0;

private:
  void DrawImageFrame(double left, double right, double top, double bottom);
  void DrawCellFrame(double left, double right, double top, double bottom);
};
