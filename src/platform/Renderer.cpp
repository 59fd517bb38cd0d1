#include "platform/Renderer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "system/PictureDecode.h"
#include "system/SysPlatform.h"
#include "system/SysRenderer.h"
#include "system/SysWindowFollow.h"

int BackBufferScale = 1;
int RequestedWindowScale = 1;
int MaxFullscreenScale = 1;
int FullscreenActive = 0;
int ClientWidth = 320;
int ClientHeight = 180;
int DrawSuspended = 0;
int ShakeOffsetX = 0;
int ShakeOffsetY = 0;
std::uint8_t ShakeApplies = 1;
int ScrollOffsetX = 0;
int ScrollOffsetY = 0;
SpriteDrawParameters SpriteDrawState;
TextureEntry TextureTable[TextureSlotCount];
std::uint32_t TextureRefCounts[TextureSlotCount];

namespace {

// A lost device is retried this often per check; then again next frame.
constexpr int MaxResetAttempts = 3;
// Window scales beyond this are no window any display shows.
constexpr int MaxWindowScale = 16;
// Runs of layered rows one call takes.
constexpr int MaxLayeredRuns = 256;

PictureLoader Loader = nullptr;

// A slot whose picture could not be made, and what it was made from: asked
// for the same resource again, from the same pictures, with or without a
// renderer as then, it would fail again (and decode it again for nothing).
// A new loader, renderer or restored device forgets them all.
struct FailedPicture {
  bool Failed = false;
  std::uint16_t Resource = 0;
  std::uint32_t ModuleChanges = 0;  // the resource module's, without a loader
  bool WithRenderer = false;
};
FailedPicture Failures[TextureSlotCount];

FailedPicture FailureNow(std::uint16_t resourceId) {
  return FailedPicture{true, resourceId, Loader ? 0u : GetResourceModule().Changes(), SysRendererReady()};
}

bool SameFailure(const FailedPicture& a, const FailedPicture& b) {
  return a.Failed && b.Failed && a.Resource == b.Resource && a.ModuleChanges == b.ModuleChanges &&
         a.WithRenderer == b.WithRenderer;
}

WindowRoomSource RoomSource = nullptr;
bool LogicalFrames = true;

// The device's blend and colour states persist between draws: modes
// outside 0-2 leave them as they were.
SysBlend CurrentBlend = SysBlend::Opaque;
SysColourOp CurrentColourOp = SysColourOp::Modulate;

std::recursive_mutex& TextureLock() {
  static std::recursive_mutex lock;
  return lock;
}

void FreeSlot(int slot) {
  SysDestroyTexture(TextureTable[slot].Texture);
  TextureTable[slot].Texture = nullptr;
}

// A renderer made or restored, or other pictures, may make what failed before.
void ForgetFailures() {
  for (FailedPicture& failed : Failures) failed = FailedPicture{};
}

void EmptyTextureTable() {
  for (int slot = 0; slot < TextureSlotCount; ++slot) {
    FreeSlot(slot);
    TextureRefCounts[slot] = 0;
  }
  ForgetFailures();
}

// Whole logical pixels (rounding toward minus infinity for whole layout
// units), then device pixels.
float Snap(float v) {
  // Far beyond any screen, and small enough for the rasteriser's fixed point.
  v = std::clamp(v, -1.0e6f, 1.0e6f);
  const float pixel = v >= 0.0f ? std::trunc(v / 4.0f) : std::trunc((v - 3.0f) / 4.0f);
  return pixel * static_cast<float>(BackBufferScale);
}

int WrapCoordinate(long long v, int size) {
  const long long m = v % size;
  return static_cast<int>(m < 0 ? m + size : m);
}

// Device pixels (whole logical pixels times the scale) to logical pixels.
float ToLogical(float v) { return v / static_cast<float>(BackBufferScale); }

}  // namespace

void ReturnFreedMemory() { SysReturnFreedMemory(); }

bool InitDirect3D() {
  if (!SysRendererCreate()) return false;
  MaxFullscreenScale = SysMaxFullscreenScale();
  if (!SysRendererSetBackBuffer(BackBufferScale)) return false;
  FullscreenActive = 0;
  SetDefaultRenderStates();
  ClientWidth = 320 * BackBufferScale;
  ClientHeight = 180 * BackBufferScale;
  SysSetWindowClientSize(ClientWidth, ClientHeight);
  EmptyTextureTable();
  ShakeOffsetX = ShakeOffsetY = 0;
  ShakeApplies = 1;
  return true;
}

void SetDefaultRenderStates() {
  CurrentColourOp = SysColourOp::Modulate;
  CurrentBlend = SysBlend::Opaque;
  ResetDrawState();
  SetupLight(0);
}

// Sprites are pre-transformed and never lit; there is nothing to set up.
void SetupLight(int) {}

void ReleaseDirect3D() {
  EmptyTextureTable();
  SysRendererDestroy();
}

RenderResult CheckDeviceLost() {
  if (!SysRendererResetPending()) return RenderOk;
  for (int attempt = 0; attempt < MaxResetAttempts; ++attempt) {
    if (SysRendererRestore()) {
      ForgetFailures();
      SetDefaultRenderStates();
      return RenderOk;
    }
  }
  return RenderDeviceLost;
}

namespace {

bool SystemWindowRoom(WindowRoom& room) {
  return SysGetWindowRoom(room.UsableWidth, room.UsableHeight, room.BorderWidth, room.BorderHeight);
}

}  // namespace

int LargestWindowScaleIn(const WindowRoom& room) {
  const int width = room.UsableWidth - std::max(room.BorderWidth, 0);
  const int height = room.UsableHeight - std::max(room.BorderHeight, 0);
  return std::min(SysLargestScaleIn(width, height), MaxWindowScale);
}

int NextWindowScale(int scale, int largest) { return scale >= 1 && scale < largest ? scale + 1 : 1; }

void SetWindowRoomSource(WindowRoomSource source) { RoomSource = source; }

int LargestWindowScale() {
  WindowRoom room;
  if (!(RoomSource ? RoomSource : &SystemWindowRoom)(room)) return MaxWindowScale;
  return LargestWindowScaleIn(room);
}

void ResizeWindowClient(int width, int height, bool keepPlaceIfItFits) {
  const int kw = (std::max(width, 1) + 319) / 320;
  const int kh = (std::max(height, 1) + 179) / 180;
  const int asked = std::clamp(std::max(kw, kh), 1, MaxWindowScale);
  // A window larger than the display would have its title bar and edges
  // off the screen: it opens at the largest scale that fits instead.
  RequestedWindowScale = std::min(asked, LargestWindowScale());
  if (RequestedWindowScale < asked) {
    width = static_cast<int>(static_cast<long long>(width) * RequestedWindowScale / asked);
    height = static_cast<int>(static_cast<long long>(height) * RequestedWindowScale / asked);
  }
  if (FullscreenActive) return;
  BackBufferScale = RequestedWindowScale;
  ClientWidth = std::clamp(width, 1, 320 * MaxWindowScale);
  ClientHeight = std::clamp(height, 1, 180 * MaxWindowScale);
  SysRendererSetBackBuffer(BackBufferScale);
  SetDefaultRenderStates();
  SysSetWindowClientSize(ClientWidth, ClientHeight,
                         keepPlaceIfItFits ? SysPlacing::KeptWhereItFits : SysPlacing::Centred);
}

void ApplyWindowedMode() {
  if (FullscreenActive != 1) return;
  const int k = RequestedWindowScale;
  BackBufferScale = k;
  ClientWidth = 320 * k;
  ClientHeight = 180 * k;
  SysSetFullscreenDesktop(false);
  SysRendererSetBackBuffer(k);
  SetDefaultRenderStates();
  FullscreenActive = 0;
  SysSetWindowClientSize(ClientWidth, ClientHeight);
}

namespace {

// The back buffer at scale k, the window left as it is.
void UsePictureScale(int k) {
  BackBufferScale = k;
  ClientWidth = 320 * k;
  ClientHeight = 180 * k;
  SysRendererSetBackBuffer(k);
  SetDefaultRenderStates();
}

// The same in full screen, said under --verbose.
void UseFullscreenScale(int k) {
  UsePictureScale(k);
  int width = 0, height = 0;
  SysGetWindowOutputSize(width, height);
  char line[80];
  std::snprintf(line, sizeof line, "window: full screen picture at x%d in %d x %d\n", k, width, height);
  SysDebugOutput(line);
}

// The scale the picture shows at in the window as the system has it, which
// in full screen may be less than the desktop (not granted, or resized from
// outside); `unknown` without a window size.
int ScaleOfWindow(int unknown) {
  int width = 0, height = 0;
  SysGetWindowOutputSize(width, height);
  if (width <= 0 || height <= 0) return unknown;
  return SysPlacePicture(width, height).Scale;
}

// Whole pixels at the scale the picture is shown at, not a larger back
// buffer shrunk into the window. True when the scale changed.
bool FitPictureToWindow() {
  const int k = ScaleOfWindow(BackBufferScale);
  if (k == BackBufferScale) return false;
  if (FullscreenActive)
    UseFullscreenScale(k);
  else
    UsePictureScale(k);
  return true;
}

}  // namespace

void ApplyFullscreenMode() {
  if (FullscreenActive != 0) return;
  MaxFullscreenScale = SysMaxFullscreenScale();
  SysSetFullscreenDesktop(true);
  UseFullscreenScale(ScaleOfWindow(MaxFullscreenScale));
  FullscreenActive = 1;
}

WindowFollow FollowWindow() {
  WindowFollow follow;
  const int scaleBefore = BackBufferScale;
  const SysFollowed followed = SysFollowWindow();
  switch (followed.Change) {
    case SysWindowChange::FullscreenEntered:
      // Taken on as the game's own, so that F4 ends it.
      follow.FullscreenChanged = FullscreenActive == 0;
      FullscreenActive = 0;
      ApplyFullscreenMode();
      break;
    case SysWindowChange::FullscreenLeft:
      // Ended by the manager, or the game's never had: windowed.
      follow.FullscreenChanged = FullscreenActive == 1;
      ApplyWindowedMode();
      break;
    case SysWindowChange::None:
      break;
  }
  if (followed.ScreensChanged) {
    MaxFullscreenScale = SysMaxFullscreenScale();
    follow.ScreensChanged = true;
  }
  FitPictureToWindow();
  follow.ScaleChanged = BackBufferScale != scaleBefore;
  return follow;
}

void ClearTarget(std::uint32_t argb) {
  if (BackBufferScale > 1 && LogicalFrames && SysRendererClearLogical(argb)) return;
  SysRendererClear(argb);
}

void SetLogicalFrames(bool allowed) { LogicalFrames = allowed; }

void BeginScene() {}

// The scene's draws are done: let the renderer carry out what it queued.
void EndScene() { SysRendererFlush(); }

RenderResult Present() {
  if (DrawSuspended) return RenderOk;
  SysRendererPresent();
  return SysRendererResetPending() ? RenderDeviceLost : RenderOk;
}

void SetPictureLoader(PictureLoader loader) {
  std::lock_guard<std::recursive_mutex> guard(TextureLock());
  Loader = loader;
  ForgetFailures();
}

bool LoadTexture(PictureId id, std::uint16_t resourceId) {
  const PictureRow* row = GetPictureRow(id);
  if (!row) return false;
  std::lock_guard<std::recursive_mutex> guard(TextureLock());
  const std::uint32_t slot = row->Slot;
  TextureEntry& entry = TextureTable[slot];
  const std::uint32_t count = TextureRefCounts[slot];
  TextureRefCounts[slot] = count + 1;
  if (count > 0 && entry.Texture) return true;
  // A slot whose making failed is never reported loaded. It is made again
  // only once something it is made from changed: the resource asked for,
  // the pictures (loader or module), a renderer made or restored (see
  // ForgetFailures); not at every use, nor when its last user let go,
  // which changes none of them.
  const FailedPicture now = FailureNow(resourceId);
  if (SameFailure(Failures[slot], now)) return false;
  const int size = static_cast<int>(PictureTable[slot].Size);
  entry.Width = entry.Height = static_cast<std::uint32_t>(size);
  std::vector<std::uint32_t> pixels;
  const bool decoded = Loader ? Loader(resourceId, size, pixels) : LoadPictureResource(resourceId, size, pixels);
  if (decoded && pixels.size() == static_cast<std::size_t>(size) * static_cast<std::size_t>(size))
    entry.Texture = SysCreateTexture(pixels.data(), size);
  Failures[slot] = entry.Texture ? FailedPicture{} : now;
  return entry.Texture != nullptr;
}

void ReleaseTexture(PictureId id) {
  const PictureRow* row = GetPictureRow(id);
  if (!row) return;
  const std::uint32_t slot = row->Slot;
  if (TextureRefCounts[slot] == 0) return;
  if (--TextureRefCounts[slot] == 0) FreeSlot(static_cast<int>(slot));
}

// Transparent columns at one side of a rectangle of a loaded texture:
// the fewest over all its rows, counted inward from the left or the right.
static int OpaqueMargin(int slot, int x, int y, int width, int height, bool fromRight) {
  if (slot < 0 || slot >= TextureSlotCount || !TextureTable[slot].Texture) return 0;
  const SysTexture* texture = TextureTable[slot].Texture;
  const int size = SysTextureSize(texture);
  // Past one texture's width or height the scan would only repeat itself.
  const int columns = std::min(width, size), rows = std::min(height, size);
  int best = width;
  for (int r = 0; r < rows; ++r) {
    const int row = WrapCoordinate(static_cast<long long>(y) + r, size);
    for (int i = 0; i < columns && i < best; ++i) {
      const long long column = fromRight ? static_cast<long long>(x) + width - 1 - i : static_cast<long long>(x) + i;
      if (SysTexelIsInked(texture, WrapCoordinate(column, size), row)) {
        best = i;
        break;
      }
    }
  }
  return best;
}

bool IsPictureOpaque(PictureId id) {
  const PictureRow* row = GetPictureRow(id);
  return row && SysTextureIsOpaque(TextureTable[row->Slot].Texture);
}

int GetOpaqueLeftMargin(int slot, int x, int y, int width, int height) {
  return OpaqueMargin(slot, x, y, width, height, false);
}

int GetOpaqueRightMargin(int slot, int x, int y, int width, int height) {
  return OpaqueMargin(slot, x, y, width, height, true);
}

int ResetDrawState() {
  SpriteDrawState = SpriteDrawParameters{};
  return 0;
}

// The loaded texture a draw of the picture uses; null when the draw shows
// nothing: drawing suspended, no such picture, or one that never loaded
// (not an untextured quad).
static const TextureEntry* TextureToDraw(PictureId id, const PictureRow*& row) {
  if (DrawSuspended) return nullptr;
  row = GetPictureRow(id);
  if (!row) return nullptr;
  const TextureEntry& texture = TextureTable[row->Slot];
  return texture.Texture ? &texture : nullptr;
}

bool DrawSprite(PictureId id, int dx, int dy, int sx, int sy, int w, int h) {
  const PictureRow* row = nullptr;
  const TextureEntry* drawn = TextureToDraw(id, row);
  if (!drawn) return true;
  const TextureEntry& texture = *drawn;
  const SpriteDrawParameters& s = SpriteDrawState;
  if (ShakeApplies == 1) {
    dx += ShakeOffsetX;
    dy += ShakeOffsetY;
  }
  dx += ScrollOffsetX;
  dy += ScrollOffsetY;
  sx += static_cast<int>(row->X);
  sy += static_cast<int>(row->Y);

  const float fw = static_cast<float>(w), fh = static_cast<float>(h);
  const float x0 = s.MirrorX * (0.0f - s.OriginX) * s.ScaleX;
  const float x1 = s.MirrorX * (fw - s.OriginX) * s.ScaleX;
  const float y0 = (0.0f - s.OriginY) * s.ScaleY;
  const float y1 = (fh - s.OriginY) * s.ScaleY;
  // Corners at texels (U0,V0), (U1,V0), (U0,V1), (U1,V1).
  float cx[4] = {x0, x1, x0, x1};
  float cy[4] = {y0, y0, y1, y1};
  if (s.Angle != 0.0f) {
    const float c = std::cos(s.Angle), sn = std::sin(s.Angle), p = 0.5f * s.MirrorX;
    for (int i = 0; i < 4; ++i) {
      const float x = cx[i] - p, y = cy[i] - p;
      cx[i] = c * x - sn * y + p;
      cy[i] = sn * x + c * y + p;
    }
  }
  // A mirrored sprite turns over inside the box it has unmirrored, whatever
  // its scale and origin: at scale 1 this is dx + w - OriginX; with the
  // origin at the box's corner dx + w * ScaleX; with the origin at the
  // frame's centre (characters) dx + OriginX, so facing left never moves a
  // character off its cell.
  const float ax = s.MirrorX == -1.0f ? static_cast<float>(dx) + s.OriginX + (fw - 2.0f * s.OriginX) * s.ScaleX
                                      : static_cast<float>(dx) + s.OriginX;
  const float ay = static_cast<float>(dy) + s.OriginY;

  SysQuad quad;
  bool allLeft = true, allAbove = true, allRight = true, allBelow = true;
  for (int i = 0; i < 4; ++i) {
    quad.X[i] = Snap(cx[i] + ax);
    quad.Y[i] = Snap(cy[i] + ay);
    // The device addresses pixel centres half a pixel up and left.
    const float px = quad.X[i] - 0.5f, py = quad.Y[i] - 0.5f;
    allLeft = allLeft && px < 0.0f;
    allAbove = allAbove && py < 0.0f;
    allRight = allRight && px > static_cast<float>(ClientWidth);
    allBelow = allBelow && py > static_cast<float>(ClientHeight);
  }
  if (allLeft || allAbove || allRight || allBelow) return true;

  quad.U0 = static_cast<float>(sx);
  quad.V0 = static_cast<float>(sy);
  quad.U1 = static_cast<float>(sx) + fw;
  quad.V1 = static_cast<float>(sy) + fh;
  quad.Argb = s.Colour;

  switch (s.ColourMode) {
    case 0: CurrentColourOp = SysColourOp::Modulate; break;
    case 1: CurrentColourOp = SysColourOp::VertexOnly; break;
    case 2: CurrentColourOp = SysColourOp::Mix; break;
    default: break;
  }
  switch (s.BlendMode) {
    case 0: CurrentBlend = SysBlend::Alpha; break;
    case 1: CurrentBlend = SysBlend::OneOne; break;
    case 2: CurrentBlend = SysBlend::AddAlpha; break;
    default: break;
  }
  SysDrawQuad(texture.Texture, quad, CurrentBlend, CurrentColourOp, s.TintColour);
  return true;
}

bool DrawLayeredRows(PictureId id, int left, int right, const LayeredRows* runs, int count) {
  const PictureRow* row = nullptr;
  const TextureEntry* drawn = TextureToDraw(id, row);
  if (!drawn) return true;
  const TextureEntry& texture = *drawn;
  const SpriteDrawParameters& s = SpriteDrawState;
  if (s.BlendMode > 2 || s.ColourMode > 1 || s.Angle != 0.0f || count > MaxLayeredRuns) return false;
  // Only a white picture makes every quad's colour the state's colour.
  if (!SysTextureIsAll(texture.Texture, 0xFFFFFFFFu)) return false;

  const int shiftX = (ShakeApplies == 1 ? ShakeOffsetX : 0) + ScrollOffsetX;
  const int shiftY = (ShakeApplies == 1 ? ShakeOffsetY : 0) + ScrollOffsetY;
  // Rows are one colour: they look the same drawn at any size.
  const bool logical = SysRendererIsLogical();
  auto device = [logical](long long v) {
    const float pixel = Snap(static_cast<float>(v));
    return static_cast<int>(logical ? ToLogical(pixel) : pixel);
  };
  SysLayeredRows rows[MaxLayeredRuns];
  for (int i = 0; i < count; ++i)
    rows[i] = {device(static_cast<long long>(runs[i].Top) + shiftY), device(static_cast<long long>(runs[i].Bottom) + shiftY),
               runs[i].Layers};
  const SysBlend blend = s.BlendMode == 0 ? SysBlend::Alpha : s.BlendMode == 1 ? SysBlend::OneOne : SysBlend::AddAlpha;
  if (!SysBlendLayeredRows(device(static_cast<long long>(left) + shiftX), device(static_cast<long long>(right) + shiftX),
                           rows, count, s.Colour, blend))
    return false;
  // The device's states end as the last of the quads would leave them.
  CurrentBlend = blend;
  CurrentColourOp = s.ColourMode == 0 ? SysColourOp::Modulate : SysColourOp::VertexOnly;
  return true;
}

bool ReadBackBuffer(std::vector<std::uint32_t>& argb, int& width, int& height) {
  return SysRendererReadBackBuffer(argb, width, height);
}

void KeepWindowPicture(bool keep) { SysRendererKeepWindowPicture(keep); }

bool ReadWindowPicture(std::vector<std::uint32_t>& argb, int& width, int& height) {
  return SysRendererReadWindowPicture(argb, width, height);
}
