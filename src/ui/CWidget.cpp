#include "ui/CWidget.h"

#include <climits>
#include <cmath>
#include <cstring>
#include <string>

#include "platform/CDrawString.h"
#include "platform/CMyInput.h"
#include "platform/CSoundManager.h"
#include "platform/Renderer.h"
#include "ui/InputTrigger.h"
#include "ui/TextCopy.h"

namespace {

constexpr SoundEffectId PageTurnSound = 4;

// Tween arithmetic: the product first, then a division truncating toward zero.
int Lerp(int from, int to, long long num, long long den) {
  return static_cast<int>(from + static_cast<long long>(to - from) * num / den);
}

// A negative length would leave a tween reporting "running" for ever.
int Frames(int frames) { return frames > 0 ? frames : 0; }

std::uint32_t ColourWord(int a, int r, int g, int b) {
  return (static_cast<std::uint32_t>(a) & 0xFFu) << 24 | (static_cast<std::uint32_t>(r) & 0xFFu) << 16 |
         (static_cast<std::uint32_t>(g) & 0xFFu) << 8 | (static_cast<std::uint32_t>(b) & 0xFFu);
}

std::uint32_t Channel(int v) { return v < 0 ? 0u : static_cast<std::uint32_t>(v); }

bool IsPageEnd(char c) { return c == '\f' || c == '\0'; }

// Told of each caption drawn; only checks of the screens' layout set it.
CaptionObserver Observer = nullptr;

bool Inside(const CDrawString::Extent& e, int x, int y, int width, int height) {
  return e.IsEmpty() || (e.Left >= x && e.Right <= x + width && e.Top >= y && e.Bottom <= y + height);
}

const std::int32_t* PointerHistory() { return GetInput()->InputHistory[InputRowPointer]; }
int CursorX(int age = 0) { return GetInput()->InputHistory[InputRowPointerX][age]; }
int CursorY(int age = 0) { return GetInput()->InputHistory[InputRowPointerY][age]; }

std::unique_ptr<WidgetCell[]> MakeCells(int n) { return std::unique_ptr<WidgetCell[]>(new WidgetCell[n]()); }
std::unique_ptr<CaptionStyle[]> MakeStyles(int n) {
  return std::unique_ptr<CaptionStyle[]>(new CaptionStyle[n]());
}

void SetCell(WidgetCell* cells, int count, int i, PictureId picture, int sx, int sy, int width, int height,
             int duration) {
  if (i < 0 || i >= count) return;
  cells[i] = WidgetCell{picture, sx, sy, width, height, i + 1, duration};
}

}  // namespace

CWidget::CWidget() : NormalCells(MakeCells(1)), SelectedCells(MakeCells(1)), DisabledCells(MakeCells(1)) {}

CWidget::~CWidget() = default;

int CWidget::GetX() const { return X + (Parent ? Parent->GetX() : 0); }
int CWidget::GetY() const { return Y + (Parent ? Parent->GetY() : 0); }

// ---- pointer ----

bool CWidget::Contains(int x, int y) const {
  const int left = GetX(), top = GetY();
  return left <= x && x < left + Width && top <= y && y < top + Height;
}

bool CWidget::IsCursorInside() const { return Contains(CursorX(), CursorY()); }
bool CWidget::IsPressInside() const { return Contains(GetInput()->PressX, GetInput()->PressY); }

int CWidget::GetPointerX() const { return CursorX() - GetX(); }
int CWidget::GetPointerY() const { return CursorY() - GetY(); }

bool CWidget::IsHeldLong() const {
  if (!IsEnabled() || !IsVisible()) return false;
  const std::int32_t* pointer = PointerHistory();
  for (int i = 1; i <= 9; ++i)
    if (pointer[i] < 1) return false;
  return IsPressInside() && IsCursorInside();
}

bool CWidget::IsPressed() const {
  if (!IsEnabled() || !IsVisible()) return false;
  return PointerHistory()[0] >= 1 && GetInput()->Updated && IsCursorInside();
}

bool CWidget::IsPointerOver() const {
  if (!Visible || !Enabled) return false;
  return PointerHistory()[0] != 0 && GetInput()->Updated && IsCursorInside();
}

bool CWidget::IsPressedOrEntered() const {
  if (!IsEnabled() || !IsVisible()) return false;
  if (IsPointerTriggered()) return IsCursorInside();
  return PointerHistory()[0] >= 1 && GetInput()->Updated && IsCursorInside() && !Contains(CursorX(1), CursorY(1));
}

bool CWidget::IsJustPressed() const {
  if (!IsEnabled() || !IsVisible()) return false;
  return IsPointerTriggered() && IsCursorInside();
}

bool CWidget::IsClicked() const {
  if (!IsEnabled() || !IsVisible()) return false;
  return GetInput()->IsClicked() && IsCursorInside();
}

bool CWidget::IsHeldOver() const {
  if (!IsEnabled() || !IsVisible()) return false;
  return PointerHistory()[0] >= 1 && GetInput()->Updated && GetInput()->Dragged && IsPressInside();
}

bool CWidget::IsReleasedOver() const {
  if (!IsEnabled() || !IsVisible()) return false;
  const std::int32_t* pointer = PointerHistory();
  return pointer[0] == 0 && pointer[1] >= 1 && GetInput()->Updated && IsPressInside();
}

// ---- per frame ----

void CWidget::Update() {
  ++CellTimer;
  UpdateCell();
  UpdateTypewriter();
  UpdateTweens();
}

void CWidget::UpdateTweens() {
  if (MoveFrames > MoveFrame) {
    const long long t = ++MoveFrame, n = MoveFrames;
    if (t >= n) {
      if (MoveEase >= 0 && MoveEase <= 2) {
        X = MoveToX;
        Y = MoveToY;
      }
      MoveFrames = MoveFrame = 0;
    } else if (MoveEase == 0) {
      X = Lerp(MoveFromX, MoveToX, t, n);
      Y = Lerp(MoveFromY, MoveToY, t, n);
    } else if (MoveEase == 1 || MoveEase == 2) {
      // Sums of the steps taken over the sums of all steps; both above 0
      // before the last frame.
      const long long a = MoveEase == 1 ? t * (t - 1) / 2 : t * n - t * (t - 1) / 2;
      const long long b = MoveEase == 1 ? n * (n - 1) / 2 : n * (n + 1) / 2;
      X = Lerp(MoveFromX, MoveToX, a, b);
      Y = Lerp(MoveFromY, MoveToY, a, b);
    }
  }

  if (FadeFrames > FadeFrame) {
    const int t = ++FadeFrame;
    if (t >= FadeFrames) {
      Alpha = FadeTo;
      FadeFrames = FadeFrame = 0;
    } else {
      Alpha = Lerp(FadeFrom, FadeTo, t, FadeFrames);
    }
  }

  if (PulseFrames > PulseFrame) {
    const int t = ++PulseFrame;
    ColourMode = 2;
    if (t >= PulseFrames) {
      ColourMode = 0;
      PulseValue = 255;
      PulseFrames = PulseFrame = 0;
    } else {
      PulseValue = PulseMode == 2 ? (t % 2 ? 0 : 255) : Lerp(PulseA, PulseB, t, PulseFrames);
    }
  }

  if (ScaleFrames > ScaleFrame) {
    const int t = ++ScaleFrame;
    const double r = std::pow(static_cast<double>(t), static_cast<double>(ScaleExponent)) /
                     std::pow(static_cast<double>(ScaleFrames), static_cast<double>(ScaleExponent));
    if (t >= ScaleFrames || !std::isfinite(r)) {
      ScaleX = ScaleToX;
      ScaleY = ScaleToY;
      ScaleFrames = ScaleFrame = 0;
    } else {
      ScaleX = static_cast<float>(ScaleFromX + r * (ScaleToX - ScaleFromX));
      ScaleY = static_cast<float>(ScaleFromY + r * (ScaleToY - ScaleFromY));
    }
  }

  if (ColourFrames > ColourFrame) {
    const int t = ++ColourFrame;
    if (t >= ColourFrames) {
      Red = RedTo;
      Green = GreenTo;
      Blue = BlueTo;
      Alpha = AlphaTo;
      ColourFrames = ColourFrame = 0;
    } else {
      Red = Lerp(RedFrom, RedTo, t, ColourFrames);
      Green = Lerp(GreenFrom, GreenTo, t, ColourFrames);
      Blue = Lerp(BlueFrom, BlueTo, t, ColourFrames);
      Alpha = Lerp(AlphaFrom, AlphaTo, t, ColourFrames);
    }
  }
}

void CWidget::StateCells(const WidgetCell*& cells, int& count) const {
  if (!IsEnabled()) {
    cells = DisabledCells.get();
    count = DisabledCellCount;
  } else if (Selected) {
    cells = SelectedCells.get();
    count = SelectedCellCount;
  } else {
    cells = NormalCells.get();
    count = NormalCellCount;
  }
}

const WidgetCell& CWidget::CurrentCell() const {
  const WidgetCell* cells;
  int count;
  StateCells(cells, count);
  return cells[CellIndex >= 0 && CellIndex < count ? CellIndex : 0];
}

const CaptionStyle* CWidget::StateStyle() const {
  const CaptionStyle* styles = NormalStyles.get();
  int count = NormalStyleCount;
  if (!IsEnabled() && DisabledStyleCount > 0) {
    styles = DisabledStyles.get();
    count = DisabledStyleCount;
  } else if (IsEnabled() && Selected && SelectedStyleCount > 0) {
    styles = SelectedStyles.get();
    count = SelectedStyleCount;
  }
  if (count <= 0) return nullptr;
  return &styles[CaptionIndex >= 0 && CaptionIndex < count ? CaptionIndex : 0];
}

void CWidget::UpdateCell() {
  const WidgetCell* cells;
  int count;
  StateCells(cells, count);
  if (CellIndex < 0 || CellIndex >= count) CellIndex = 0;
  if (cells[CellIndex].Duration <= CellTimer) {
    CellTimer = 0;
    CellIndex = cells[CellIndex].Next;
    if (CellIndex < 0 || CellIndex >= count) CellIndex = 0;
  }

  const CaptionStyle* styles = NormalStyles.get();
  int styleCount = NormalStyleCount;
  if (!IsEnabled()) {
    styles = DisabledStyles.get();
    styleCount = DisabledStyleCount;
  } else if (Selected) {
    styles = SelectedStyles.get();
    styleCount = SelectedStyleCount;
  }
  if (styleCount <= 0) return;
  if (CaptionIndex < 0 || CaptionIndex >= styleCount) CaptionIndex = 0;
  if (styles[CaptionIndex].Duration <= CaptionTimer) {
    CaptionTimer = 0;
    if (++CaptionIndex >= styleCount) CaptionIndex = 0;
  }
}

// ---- drawing ----

void CWidget::SetSpriteState() const {
  SpriteDrawParameters& s = SpriteDrawState;
  s.MirrorX = 1.0f;
  s.ScaleX = ScaleX;
  s.ScaleY = ScaleY;
  s.Colour = ColourWord(Alpha, Red, Green, Blue);
  s.BlendMode = 0;
  s.ColourMode = static_cast<std::uint32_t>(ColourMode);
  s.TintColour = ColourWord(PulseValue, 0xFF, 0xFF, 0xFF);
}

void CWidget::Draw() {
  if (!IsVisible()) return;
  SetSpriteState();
  SpriteDrawState.Angle = static_cast<float>(Angle);
  SpriteDrawState.OriginX = static_cast<float>(DrawOffsetX);
  SpriteDrawState.OriginY = static_cast<float>(DrawOffsetY);
  const WidgetCell& cell = CurrentCell();
  DrawSprite(cell.Picture, GetX() - DrawOffsetX, GetY() - DrawOffsetY, cell.SourceX, cell.SourceY, cell.Width,
             cell.Height);
  SpriteDrawState.ColourMode = 0;
  SpriteDrawState.TintColour = 0xFFFFFFFFu;
  DrawTypewriterText();
}

void CWidget::DrawCaption() {
  DrawTextInBox(GetX() + CaptionX, GetY() + CaptionY, CaptionWidth, CaptionHeight, CaptionAlign, Text);
}

void CWidget::DrawCaptionText(const char* text) {
  DrawTextInBox(GetX() + CaptionX, GetY() + CaptionY, CaptionWidth, CaptionHeight, CaptionAlign, text);
}

void CWidget::SetCaptionObserver(CaptionObserver observer) { Observer = observer; }

CDrawString* CWidget::ScaledCaptionFont() const {
  const CaptionStyle* style = NormalStyleCount > 0 ? StateStyle() : nullptr;
  if (!style || !style->Font) return nullptr;
  const double s = EnabledGlyphs.Scale;
  style->Font->SetScale(ScaleX * style->Scale * s, ScaleY * style->Scale * s);
  return style->Font;
}

CDrawString* CWidget::FitCaptionFont(const char* text, int x, int y, int width, int height, int align,
                                     int& lines) const {
  CDrawString* font = ScaledCaptionFont();
  if (!font) return nullptr;
  lines = CDrawString::AllLines;
  if (CaptionNarrowedToFit) {
    const double sx = font->ScaleX, sy = font->ScaleY;
    // The same text in the same box at the same scale fits as it did the
    // frame before: worked out once, not every frame it is drawn.
    std::uint64_t key = 0xcbf29ce484222325ull;
    const auto mix = [&key](const void* data, std::size_t size) {
      for (std::size_t i = 0; i < size; ++i) key = (key ^ static_cast<const std::uint8_t*>(data)[i]) * 0x100000001b3ull;
    };
    mix(text, std::strlen(text));
    for (const int v : {x, y, width, height, align}) mix(&v, sizeof v);
    for (const double v : {sx, sy}) mix(&v, sizeof v);
    mix(&font, sizeof font);
    mix(&CaptionKeptInBox, sizeof CaptionKeptInBox);
    if (NarrowedFor == key) {
      font->SetScale(sx * Narrowing, sy);
      if (CaptionKeptInBox) lines = font->CountLinesFitting(height);
      return font;
    }
    // Kept in its box, only the text's lines that the box has room for must
    // fit, each whole: those it leaves out would fail every narrowing and
    // leave a long first line wrapped and cut.
    std::string drawn;
    const auto fits = [&](double f) {
      font->SetScale(sx * f, sy);
      const char* measured = text;
      if (CaptionKeptInBox) {
        const char* end = text;
        for (int n = font->CountLinesFitting(height); n > 0 && *end; --n) {
          end = std::strchr(end, '\n');
          if (!end) break;
          if (n > 1) ++end;
        }
        if (end) {
          drawn.assign(text, end);
          measured = drawn.c_str();
        }
      }
      return Inside(font->MeasureText(measured, x, y, width, height, align), x, y, width, height);
    };
    // The widest factor that fits, to within 1/256; when none down to the
    // least does, the text keeps its scale.
    double fitting = 1.0;
    if (!fits(1.0)) {
      double failing = 1.0;
      fitting = MinCaptionNarrowing;
      if (fits(fitting)) {
        for (int i = 0; i < 8; ++i) {
          const double mid = (fitting + failing) / 2;
          (fits(mid) ? fitting : failing) = mid;
        }
      } else {
        fitting = 1.0;
      }
    }
    font->SetScale(sx * fitting, sy);
    NarrowedFor = key;
    Narrowing = fitting;
  }
  if (CaptionKeptInBox) lines = font->CountLinesFitting(height);
  return font;
}

CDrawString::Extent CWidget::MeasureTextInBox(int x, int y, int width, int height, int align,
                                              const char* text) const {
  int lines = 0;
  CDrawString* font = text ? FitCaptionFont(text, x, y, width, height, align, lines) : nullptr;
  if (!font) return {};
  const CDrawString::Extent extent = font->MeasureText(text, x, y, width, height, align, lines);
  font->SetUniformScale(1.0);
  return extent;
}

void CWidget::DrawTextInBox(int x, int y, int width, int height, int align, const char* text) {
  if (!IsVisible() || !text) return;

  if (NormalStyleCount > 0) {
    const CaptionStyle* style = StateStyle();
    if (!style || !style->Font) return;
    if (Observer) Observer(*this, text, {x, y, width, height, MeasureTextInBox(x, y, width, height, align, text)});
    int lines = 0;
    CDrawString* font = FitCaptionFont(text, x, y, width, height, align, lines);
    font->SetColor(Channel(style->Red * Red / 255), Channel(style->Green * Green / 255),
                   Channel(style->Blue * Blue / 255));
    font->SetAlpha(Channel(Alpha));
    font->DrawText(text, x, y, width, height, align, lines);
    font->SetUniformScale(1.0);
    font->SetAlpha(255);
    font->SetColor(255, 255, 255);
    return;
  }

  // The built-in glyph sheet: ASCII only, one fixed cell per byte.
  const GlyphSheet& sheet = IsEnabled() ? EnabledGlyphs : DisabledGlyphs;
  const int k = static_cast<int>(sheet.Scale);
  char work[GlyphTextCapacity];
  CopyTextCut(work, sizeof work, text);

  SpriteDrawParameters& s = SpriteDrawState;
  s.MirrorX = 1.0f;
  s.OriginX = s.OriginY = 0.0f;
  s.Angle = 0.0f;
  s.ScaleX = s.ScaleY = static_cast<float>(k);
  s.Colour = ColourWord(Alpha, 0xFF, 0xFF, 0xFF);
  s.BlendMode = 0;

  int lines = 1;
  for (const char* p = work; *p; ++p)
    if (*p == '\n') ++lines;
  const int blockHeight = (sheet.GlyphHeight + 1) * lines - 1;
  int top;
  switch (align & 3) {
    case 1: top = y; break;
    case 3: top = y - blockHeight + height; break;
    default: top = (height + 1) / 2 - (blockHeight + 1) / 2 + y; break;
  }
  for (const char* line = work;;) {
    const char* end = std::strchr(line, '\n');
    const int n = static_cast<int>(end ? end - line : std::strlen(line));
    const int lineWidth = ((sheet.GlyphWidth - 4) * n + 2) * k;
    int left;
    switch (align & 12) {
      case 4: left = x; break;
      case 12: left = x - lineWidth + width; break;
      default: left = width / 2 - lineWidth / 2 + x; break;
    }
    for (int i = 0; i < n; ++i) {
      const int c = static_cast<unsigned char>(line[i]);
      if (c < 0x20 || c > 0x7F) continue;
      const int row = (c - 0x20) / 16;
      DrawSprite(sheet.Picture, left, top, sheet.SourceX + (c % 16) * sheet.GlyphWidth,
                 sheet.SourceY + row * sheet.GlyphHeight, sheet.GlyphWidth, sheet.GlyphHeight);
      left += k * sheet.Advance;
    }
    top += k * sheet.LineHeight;
    if (!end) break;
    line = end + 1;
  }
}

int CWidget::CountCaptionLines(const char* text) {
  CDrawString* font = text ? ScaledCaptionFont() : nullptr;
  if (!font) return 0;
  const int lines = font->CountWrappedLines(text, CaptionWidth);
  font->SetUniformScale(1.0);
  return lines;
}

int CWidget::CountTextLines() { return CountCaptionLines(Text); }

// ---- state flags ----

void CWidget::SetVisible(bool on) {
  if (Visible != static_cast<std::uint8_t>(on)) CellTimer = CellIndex = 0;
  Visible = on;
  UpdateCell();
}

bool CWidget::IsVisible() const { return Visible && (!Parent || Parent->IsVisible()); }

void CWidget::SetEnabled(bool on) {
  if (Enabled != static_cast<std::uint8_t>(on)) CellTimer = CellIndex = 0;
  Enabled = on;
  UpdateCell();
}

bool CWidget::IsEnabled() const { return Enabled && (!Parent || Parent->IsEnabled()); }

void CWidget::SetSelected(bool on) {
  if (Selected != static_cast<std::uint8_t>(on)) CellTimer = CellIndex = 0;
  Selected = on;
  UpdateCell();
}

// ---- tween starters ----

void CWidget::MoveTo(int x0, int x1, int y0, int y1, int frames, int ease) {
  MoveFromX = x0;
  MoveToX = x1;
  MoveFromY = y0;
  MoveToY = y1;
  MoveFrames = Frames(frames);
  MoveFrame = 0;
  MoveEase = ease;
  X = x0;
  Y = y0;
}

void CWidget::Fade(int from, int to, int frames) {
  FadeFrom = from;
  FadeTo = to;
  FadeFrames = Frames(frames);
  FadeFrame = 0;
  Alpha = from;
}

void CWidget::FadeInOut(int frames, int in) {
  if (in)
    Fade(0, 255, frames);
  else
    Fade(255, 0, frames);
}

void CWidget::StartPulse(int frames, int mode, int a, int b) {
  if (mode == 0 || mode == 2) {
    PulseA = a;
    PulseB = b;
  } else if (mode == 1) {
    PulseA = b;
    PulseB = a;
  }
  PulseFrames = Frames(frames);
  PulseFrame = 0;
  PulseMode = mode;
}

void CWidget::StartAlphaPulse(int mode, int frames) { StartPulse(frames, mode, 255, 0); }

void CWidget::ScaleTo(float from, float to, int frames) { ScaleXYTo(from, to, from, to, frames); }

void CWidget::ScaleToEased(float from, float to, int frames, float exponent) {
  ScaleXYToEased(from, to, from, to, frames, exponent);
}

void CWidget::ScaleXYTo(float fromX, float toX, float fromY, float toY, int frames) {
  ScaleXYToEased(fromX, toX, fromY, toY, frames, 1.0f);
}

void CWidget::ScaleXYToEased(float fromX, float toX, float fromY, float toY, int frames, float exponent) {
  ScaleFromX = fromX;
  ScaleToX = toX;
  ScaleFromY = fromY;
  ScaleToY = toY;
  ScaleFrames = Frames(frames);
  ScaleFrame = 0;
  ScaleExponent = exponent;
  ScaleX = fromX;
  ScaleY = fromY;
}

void CWidget::ColourTo(int r0, int r1, int g0, int g1, int b0, int b1, int a0, int a1, int frames) {
  RedFrom = r0;
  RedTo = r1;
  GreenFrom = g0;
  GreenTo = g1;
  BlueFrom = b0;
  BlueTo = b1;
  AlphaFrom = a0;
  AlphaTo = a1;
  ColourFrames = Frames(frames);
  ColourFrame = 0;
}

// ---- plain setters ----

void CWidget::SetColour(int r, int g, int b) {
  Red = r;
  Green = g;
  Blue = b;
}

void CWidget::SetAlpha(int a) { Alpha = a; }

void CWidget::SetDrawOffset(int dx, int dy) {
  DrawOffsetX = dx;
  DrawOffsetY = dy;
}

void CWidget::SetScaleXY(float sx, float sy) {
  ScaleX = sx;
  ScaleY = sy;
}

void CWidget::SetScale(float s) { SetScaleXY(s, s); }

void CWidget::SetCaptionBox(int dx, int dy, int width, int height, int align) {
  CaptionX = dx;
  CaptionY = dy;
  CaptionWidth = width;
  CaptionHeight = height;
  CaptionAlign = align;
}

namespace {

void ApplyGlyphSource(GlyphSheet& sheet, const GlyphSheetSource& source) {
  sheet.SourceX = source.SourceX;
  sheet.SourceY = source.SourceY;
  sheet.Picture = source.Picture;
  sheet.GlyphWidth = source.GlyphWidth;
  sheet.GlyphHeight = source.GlyphHeight;
  sheet.Scale = source.Scale;
}

}  // namespace

void CWidget::SetGlyphSheets(const GlyphSheetSource& enabled, const GlyphSheetSource& disabled) {
  ApplyGlyphSource(EnabledGlyphs, enabled);
  ApplyGlyphSource(DisabledGlyphs, disabled);
}

void CWidget::SetGlyphSheet(const GlyphSheetSource& sheet) { SetGlyphSheets(sheet, sheet); }

void CWidget::SetText(const char* text) { CopyTextCut(Text, sizeof Text, text); }

void CWidget::SetSkipArea(int dx, int dy, int width, int height) {
  SkipX = dx;
  SkipY = dy;
  SkipWidth = width;
  SkipHeight = height;
}

// ---- typewriter ----

void CWidget::StopTypewriter() { TypewriterIndex = TypewriterOff; }

void CWidget::StartTypewriter(const char* text, int speed, int pageWait, int mode) {
  TypewriterText = text;
  TypewriterSpeed = speed;
  PageWait = pageWait;
  TypewriterModeValue = mode;
  TypewriterIndex = 0;
  TypewriterTimer = 0;
}

void CWidget::AdvanceTypewriter() {
  TypewriterTimer = 0;
  if (!TypewriterText || TypewriterIndex < 0) {
    TypewriterIndex = TypewriterOff;
    return;
  }
  const std::size_t length = std::strlen(TypewriterText);
  if (static_cast<std::size_t>(TypewriterIndex) >= length) {
    TypewriterIndex = TypewriterOff;
    return;
  }
  // A whole character at a time, so a page never ends inside one.
  const bool wide = static_cast<unsigned char>(TypewriterText[TypewriterIndex]) >= 0x80 &&
                    TypewriterText[TypewriterIndex + 1] != '\0';
  TypewriterIndex += wide ? 2 : 1;
}

bool CWidget::IsSkipPressed() const {
  if (IsPointerTriggered()) {
    const int px = CursorX(), py = CursorY();
    const int left = GetX() + SkipX, top = GetY() + SkipY;
    if (left <= px && px < left + SkipWidth && top <= py && py < top + SkipHeight) return true;
  }
  return IsAttackTriggered();
}

void CWidget::BlockSkipInputs() const {
  CMyInput* input = GetInput();
  SwallowInput(input->InputHistory[InputRowAttack]);
  SwallowInput(input->InputHistory[InputRowPointer]);
}

// The text is not ours: it may have been shortened while we typed it.
bool CWidget::IsTypewriterOnText() {
  if (!TypewriterText || TypewriterIndex < 0) return false;
  if (static_cast<std::size_t>(TypewriterIndex) > std::strlen(TypewriterText)) {
    TypewriterIndex = TypewriterOff;
    return false;
  }
  return true;
}

void CWidget::UpdateTypewriter() {
  const bool skip = IsSkipPressed();
  if (!IsTypewriterOnText()) return;
  const bool userTurns = TypewriterModeValue == TypewriterUserTurnsPages;

  if (IsPageEnd(TypewriterText[TypewriterIndex])) {
    if (skip && userTurns) {
      BlockSkipInputs();
      GetSoundManager()->PlaySe(PageTurnSound);
      AdvanceTypewriter();
      return;
    }
    if (TypewriterTimer < INT_MAX) ++TypewriterTimer;
    if (TypewriterTimer >= PageWait && TypewriterModeValue == TypewriterAutoTurnsPages) AdvanceTypewriter();
    return;
  }

  if (skip && userTurns) {
    BlockSkipInputs();
    while (!IsPageEnd(TypewriterText[TypewriterIndex])) AdvanceTypewriter();
  } else if (TypewriterSpeed < 0) {
    for (long long n = -static_cast<long long>(TypewriterSpeed); n > 0; --n) {
      if (IsPageEnd(TypewriterText[TypewriterIndex])) break;
      AdvanceTypewriter();
    }
  } else {
    ++TypewriterTimer;
    if (TypewriterTimer >= TypewriterSpeed)
      AdvanceTypewriter();
    else if (userTurns && IsAttackHeld())
      AdvanceTypewriter();
  }
}

void CWidget::DrawTypewriterText() {
  if (!IsTypewriterOnText()) return;
  const char* text = TypewriterText;
  int start = TypewriterIndex;
  while (start > 0 && text[start - 1] != '\f') --start;
  std::size_t count = 0;
  while (start + static_cast<int>(count) < TypewriterIndex && !IsPageEnd(text[start + count])) ++count;

  // Room is kept for the two-byte page mark.
  char page[TextCapacity];
  const std::size_t n = CopyTextCutN(page, sizeof page - 2, text + start, count);
  if (IsPageEnd(text[TypewriterIndex]) && TypewriterModeValue == TypewriterUserTurnsPages &&
      TypewriterTimer % 40 < 20) {
    page[n] = static_cast<char>(0x81);  // ▼
    page[n + 1] = static_cast<char>(0xA5);
    page[n + 2] = '\0';
  }
  DrawCaptionText(page);
}

// ---- layout set-up ----

void CWidget::SetLayout(CWidget& w, int x, int y, int width, int height, const CellSource& normal,
                        const CellSource& selected, const CellSource& disabled, float scale) {
  w.X = x;
  w.Y = y;
  w.Width = width;
  w.Height = height;
  w.ScaleX = w.ScaleY = scale;
  w.Alpha = 255;
  const auto one = [](const CellSource& c) {
    auto cells = MakeCells(1);
    cells[0] = WidgetCell{c.Picture, c.SourceX, c.SourceY, c.Width, c.Height, 1, 60};
    return cells;
  };
  w.NormalCells = one(normal);
  w.SelectedCells = one(selected);
  w.DisabledCells = one(disabled);
  w.NormalCellCount = w.SelectedCellCount = w.DisabledCellCount = 1;
}

void CWidget::AllocCells(CWidget& w) {
  w.NormalCells = MakeCells(2);
  w.SelectedCells = MakeCells(2);
  w.DisabledCells = MakeCells(2);
  w.NormalCellCount = w.SelectedCellCount = w.DisabledCellCount = 2;
}

void CWidget::SetNormalCell(CWidget& w, int i, PictureId picture, int sx, int sy, int width, int height,
                            int duration) {
  SetCell(w.NormalCells.get(), w.NormalCellCount, i, picture, sx, sy, width, height, duration);
}

void CWidget::SetSelectedCell(CWidget& w, int i, PictureId picture, int sx, int sy, int width, int height,
                              int duration) {
  SetCell(w.SelectedCells.get(), w.SelectedCellCount, i, picture, sx, sy, width, height, duration);
}

void CWidget::SetCellAllStates(CWidget& w, int i, PictureId picture, int sx, int sy, int width, int height,
                               int duration) {
  SetNormalCell(w, i, picture, sx, sy, width, height, duration);
  SetSelectedCell(w, i, picture, sx, sy, width, height, duration);
  SetCell(w.DisabledCells.get(), w.DisabledCellCount, i, picture, sx, sy, width, height, duration);
}

// A list is never empty: it always keeps at least one cell.
void CWidget::ResizeNormalCells(CWidget& w, int n) {
  w.NormalCellCount = n > 1 ? n : 1;
  w.NormalCells = MakeCells(w.NormalCellCount);
}

void CWidget::ResizeSelectedCells(CWidget& w, int n) {
  w.SelectedCellCount = n > 1 ? n : 1;
  w.SelectedCells = MakeCells(w.SelectedCellCount);
}

void CWidget::AllocCaptionFonts(CWidget& w) {
  w.NormalStyles = MakeStyles(1);
  w.SelectedStyles = MakeStyles(1);
  w.DisabledStyles = MakeStyles(1);
  w.NormalStyleCount = w.SelectedStyleCount = w.DisabledStyleCount = 1;
}

void CWidget::SetCaptionFont(CWidget& w, CDrawString* font, double scale) {
  if (w.NormalStyleCount <= 0 || w.SelectedStyleCount <= 0 || w.DisabledStyleCount <= 0) AllocCaptionFonts(w);
  const CaptionStyle style{font, scale, 1, 255, 255, 255};
  w.NormalStyles[0] = style;
  w.SelectedStyles[0] = style;
  w.DisabledStyles[0] = style;
}
