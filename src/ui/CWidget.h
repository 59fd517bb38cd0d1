#pragma once
// The element of every screen: a button, a label, a picture, a message box.
// Positions are layout units (1280 x 720), durations are frames (calls of
// Update). A widget may name one parent, whose position, visibility and
// enabled state it inherits.
#include <cstdint>
#include <memory>

#include "platform/CDrawString.h"
#include "platform/PictureTable.h"

// One animation cell of an image list.
struct WidgetCell {
  PictureId Picture;
  std::int32_t SourceX, SourceY, Width, Height;
  std::int32_t Next;      // an index at or beyond the list's length means 0
  std::int32_t Duration;  // frames
};

// A caption font for one state.
struct CaptionStyle {
  CDrawString* Font;
  double Scale;
  std::int32_t Duration;
  std::int32_t Red, Green, Blue;
};

// A picture holding a 16-column grid of ASCII glyphs 0x20-0x7F.
struct GlyphSheet {
  std::int32_t SourceX = 0, SourceY = 20;
  PictureId Picture = 0;
  std::int32_t GlyphWidth = 7, GlyphHeight = 10;
  std::int32_t Advance = 7, LineHeight = 11;
  double Scale = 1.0;
};

// The six values a glyph sheet is set from; advance and line height stay.
struct GlyphSheetSource {
  std::int32_t SourceX, SourceY;
  PictureId Picture;
  std::int32_t GlyphWidth, GlyphHeight;
  std::int32_t Scale;
};

// Where a layout call takes a cell from.
struct CellSource {
  PictureId Picture;
  std::int32_t SourceX, SourceY, Width, Height;
};

enum TypewriterMode : std::int32_t { TypewriterUserTurnsPages = 0, TypewriterAutoTurnsPages = 1 };

class CWidget;

// A box a caption is drawn in, on the screen, and what its text covers there.
struct CaptionPlacement {
  std::int32_t X, Y, Width, Height;
  CDrawString::Extent Text;
};

// Told of every caption drawn with a caption font: the seam through which
// a check of the screens sees where each text lands.
using CaptionObserver = void (*)(const CWidget& widget, const char* text, const CaptionPlacement& placement);

class CWidget {
public:
  CWidget();
  virtual ~CWidget();
  CWidget(const CWidget&) = delete;
  CWidget& operator=(const CWidget&) = delete;

  virtual int GetX() const;
  virtual int GetY() const;

  // Pointer hit tests.
  virtual bool IsHeldLong() const;
  virtual bool IsPressed() const;
  virtual bool IsPointerOver() const;
  virtual bool IsPressedOrEntered() const;
  virtual bool IsJustPressed() const;
  virtual bool IsClicked() const;
  virtual bool IsHeldOver() const;
  virtual bool IsReleasedOver() const;
  virtual bool AlwaysFalse() const { return false; }
  virtual int GetPointerX() const;
  virtual int GetPointerY() const;
  virtual bool Contains(int x, int y) const;

  virtual void Update();
  virtual void Draw();

  virtual void SetVisible(bool on);
  virtual bool IsVisible() const;
  virtual void SetEnabled(bool on);
  virtual bool IsEnabled() const;
  virtual void SetSelected(bool on);
  virtual bool IsSelected() const { return Selected != 0; }

  virtual void MoveTo(int x0, int x1, int y0, int y1, int frames, int ease);
  virtual bool IsMoving() const { return MoveFrames != MoveFrame; }
  virtual void Fade(int from, int to, int frames);
  virtual void FadeInOut(int frames, int in);
  virtual bool IsFading() const { return FadeFrames != FadeFrame; }
  virtual void StartPulse(int frames, int mode, int a, int b);
  virtual void StartAlphaPulse(int mode, int frames);
  virtual bool IsPulsing() const { return PulseFrames != PulseFrame; }
  virtual void ScaleTo(float from, float to, int frames);
  virtual void ScaleToEased(float from, float to, int frames, float exponent);
  virtual void ScaleXYTo(float fromX, float toX, float fromY, float toY, int frames);
  virtual void ScaleXYToEased(float fromX, float toX, float fromY, float toY, int frames, float exponent);
  virtual bool IsScaling() const { return ScaleFrames != ScaleFrame; }
  virtual void ColourTo(int r0, int r1, int g0, int g1, int b0, int b1, int a0, int a1, int frames);
  virtual bool IsColourChanging() const { return ColourFrames != ColourFrame; }

  virtual void SetColour(int r, int g, int b);
  virtual void SetAlpha(int a);
  virtual int GetRed() const { return Red; }
  virtual int GetGreen() const { return Green; }
  virtual int GetBlue() const { return Blue; }
  virtual int GetAlpha() const { return Alpha; }
  virtual void SetDrawOffset(int dx, int dy);
  virtual void SetScaleXY(float sx, float sy);
  virtual void SetScale(float s);
  virtual float GetScaleX() const { return ScaleX; }
  virtual float GetScaleY() const { return ScaleY; }

  virtual void UpdateCell();
  virtual void SetCaptionBox(int dx, int dy, int width, int height, int align);
  virtual void SetGlyphSheets(const GlyphSheetSource& enabled, const GlyphSheetSource& disabled);
  virtual void SetGlyphSheet(const GlyphSheetSource& sheet);
  virtual void DrawCaption();
  virtual void DrawCaptionText(const char* text);
  virtual void DrawTextInBox(int x, int y, int width, int height, int align, const char* text);
  // Copies at most 1023 bytes, cut at a whole character.
  virtual void SetText(const char* text);
  virtual const char* GetText() const { return Text; }
  virtual int CountTextLines();
  virtual int CountCaptionLines(const char* text);
  // Where DrawTextInBox puts a text's visible characters (caption fonts
  // only; empty for the built-in glyph sheet).
  CDrawString::Extent MeasureTextInBox(int x, int y, int width, int height, int align, const char* text) const;
  // A caption kept inside its box leaves out the lines that would cross the
  // box's foot, so it ends with the last whole line that fits.
  void SetCaptionKeptInBox(bool on) { CaptionKeptInBox = on ? 1 : 0; }
  // A caption narrowed to fit is drawn with its horizontal scale cut just
  // enough, down to MinCaptionNarrowing, for its text to keep inside its box:
  // for boxes that cannot grow. Kept in its box too, only the text's lines it
  // has room for must fit, each whole.
  void SetCaptionNarrowedToFit(bool on) { CaptionNarrowedToFit = on ? 1 : 0; }
  static constexpr double MinCaptionNarrowing = 0.5;
  // Null stops telling.
  static void SetCaptionObserver(CaptionObserver observer);

  virtual void StopTypewriter();
  // `text` is not copied and must outlive the typing.
  virtual void StartTypewriter(const char* text, int speed, int pageWait, int mode);
  virtual void DrawTypewriterText();
  virtual bool IsTypewriterRunning() const { return TypewriterIndex != TypewriterOff; }
  virtual void AdvanceTypewriter();
  virtual void UpdateTypewriter();
  virtual void SetSkipArea(int dx, int dy, int width, int height);

  // Layout set-up that screens run once.
  static void SetLayout(CWidget& w, int x, int y, int width, int height, const CellSource& normal,
                        const CellSource& selected, const CellSource& disabled, float scale);
  static void AllocCells(CWidget& w);
  static void SetNormalCell(CWidget& w, int i, PictureId picture, int sx, int sy, int width, int height,
                            int duration);
  static void SetSelectedCell(CWidget& w, int i, PictureId picture, int sx, int sy, int width, int height,
                              int duration);
  static void SetCellAllStates(CWidget& w, int i, PictureId picture, int sx, int sy, int width, int height,
                               int duration);
  static void ResizeNormalCells(CWidget& w, int n);
  static void ResizeSelectedCells(CWidget& w, int n);
  static void AllocCaptionFonts(CWidget& w);
  static void SetCaptionFont(CWidget& w, CDrawString* font, double scale);

  // The list a state draws from: disabled, else selected, else normal.
  const WidgetCell& CurrentCell() const;
  int GetCellIndex() const { return CellIndex; }
  int GetTypewriterIndex() const { return TypewriterIndex; }

  static constexpr int TextCapacity = 1024;
  static constexpr int GlyphTextCapacity = 260;
  static constexpr int TypewriterOff = -2;

  CWidget* Parent = nullptr;
  std::int32_t X = 0, Y = 0;
  std::int32_t Width = 0, Height = 0;
  std::int32_t CaptionX = 0, CaptionY = 0, CaptionWidth = 0, CaptionHeight = 0;
  std::int32_t CaptionAlign = 0;
  std::uint8_t CaptionKeptInBox = 0, CaptionNarrowedToFit = 0;
  // The narrowing last worked out, and for what text, box, scale and
  // keeping in the box.
  mutable std::uint64_t NarrowedFor = 0;
  mutable double Narrowing = 1.0;
  std::int32_t DrawOffsetX = 0, DrawOffsetY = 0;
  double Angle = 0.0;
  GlyphSheet EnabledGlyphs;
  GlyphSheet DisabledGlyphs;
  float ScaleX = 1.0f, ScaleY = 1.0f;
  std::uint8_t Visible = 1, Enabled = 1, Selected = 0;

  std::int32_t MoveFromX = 0, MoveToX = 0, MoveFromY = 0, MoveToY = 0;
  std::int32_t MoveFrames = 0, MoveFrame = 0, MoveEase = 0;
  std::int32_t FadeFrom = 255, FadeTo = 255;
  std::int32_t FadeFrames = 0, FadeFrame = 0;
  std::int32_t PulseA = 0, PulseB = 0;
  std::int32_t PulseFrames = 0, PulseFrame = 0, PulseMode = 0;
  float ScaleFromX = 0.0f, ScaleToX = 0.0f, ScaleFromY = 0.0f, ScaleToY = 0.0f;
  std::int32_t ScaleFrames = 0, ScaleFrame = 0;
  float ScaleExponent = 1.0f;
  std::int32_t ColourMode = 0;
  std::int32_t PulseValue = 255;
  std::int32_t Alpha = 255;
  std::int32_t Red = 255, Green = 255, Blue = 255;
  std::int32_t RedFrom = 255, RedTo = 255, GreenFrom = 255, GreenTo = 255;
  std::int32_t BlueFrom = 255, BlueTo = 255, AlphaFrom = 255, AlphaTo = 255;
  std::int32_t ColourFrames = 0, ColourFrame = 0;

  std::int32_t CellTimer = 0;
  std::int32_t CellIndex = 0;
  std::int32_t NormalCellCount = 1, SelectedCellCount = 1, DisabledCellCount = 1;
  std::unique_ptr<WidgetCell[]> NormalCells, SelectedCells, DisabledCells;
  std::int32_t CaptionTimer = 0, CaptionIndex = 0;
  std::int32_t NormalStyleCount = 0, SelectedStyleCount = 0, DisabledStyleCount = 0;
  std::unique_ptr<CaptionStyle[]> NormalStyles, SelectedStyles, DisabledStyles;

  char Text[TextCapacity] = {};
  const char* TypewriterText = nullptr;
  std::int32_t TypewriterSpeed = 0;
  std::int32_t PageWait = 0;
  std::int32_t TypewriterIndex = TypewriterOff;
  std::int32_t TypewriterModeValue = TypewriterUserTurnsPages;
  std::int32_t TypewriterTimer = 0;
  std::int32_t SkipX = 0, SkipY = 0, SkipWidth = 0, SkipHeight = 0;

protected:
  // Sprite state for pictures: scale, colour, pulse; origin and angle are the caller's.
  void SetSpriteState() const;
  // The cell and style lists the current state reads.
  void StateCells(const WidgetCell*& cells, int& count) const;
  const CaptionStyle* StateStyle() const;
  // The current state's caption font set to the widget's scale (put it
  // back to 1 after use); null without one.
  CDrawString* ScaledCaptionFont() const;
  // The same for a text in a box, narrowed and its lines limited as the
  // widget's caption asks; `lines` the most lines to draw.
  CDrawString* FitCaptionFont(const char* text, int x, int y, int width, int height, int align, int& lines) const;

private:
  void UpdateTweens();
  bool IsPressInside() const;
  bool IsCursorInside() const;
  bool IsSkipPressed() const;
  bool IsTypewriterOnText();
  void BlockSkipInputs() const;
};
