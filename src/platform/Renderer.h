#pragma once
// The device, the window's presentation, the texture table and the one
// sprite operation every picture and every glyph goes through. Drawing
// speaks layout units: 1280 x 720 for the whole screen, 4 to a pixel of the
// 320 x 180 logical screen.
#include <cstdint>
#include <vector>

#include "platform/PictureTable.h"

struct SysTexture;

// Device pixels per logical pixel of the back buffer; 1 before start-up.
extern int BackBufferScale;
extern int RequestedWindowScale;
extern int MaxFullscreenScale;
extern int FullscreenActive;
// The drawing area in device pixels; sprites are culled against it.
extern int ClientWidth;
extern int ClientHeight;
// While non-zero nothing is drawn and no frame is presented.
extern int DrawSuspended;

// Written by the screen effect; added to every sprite while ShakeApplies is 1.
extern int ShakeOffsetX;
extern int ShakeOffsetY;
extern std::uint8_t ShakeApplies;
// The view's slide after the player moves: the floor sets it while it draws
// and puts it back to 0, and every sprite drawn meanwhile moves with it.
extern int ScrollOffsetX;
extern int ScrollOffsetY;

// What every DrawSprite reads. Callers set what they need and put it back
// with ResetDrawState.
struct SpriteDrawParameters {
  float MirrorX = 1.0f;  // -1 mirrors left-right
  float Angle = 0.0f;    // radians
  float OriginX = 0.0f;  // pivot, layout units from the box's top-left
  float OriginY = 0.0f;
  float ScaleX = 1.0f;   // layout units per source texel
  float ScaleY = 1.0f;
  float Depth = 0.0f;
  std::uint8_t DepthWrite = 0;
  std::uint32_t Colour = 0xFFFFFFFFu;      // ARGB vertex colour
  std::uint32_t TintColour = 0xFFFFFFFFu;  // colour mode 2: its alpha mixes texture and colour
  std::uint32_t BlendMode = 0;             // 0 alpha, 1 one/one, 2 additive
  std::uint32_t ColourMode = 0;            // 0 modulate, 1 colour only, 2 mix by tint
};
extern SpriteDrawParameters SpriteDrawState;

struct TextureEntry {
  SysTexture* Texture = nullptr;  // null while not loaded
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
};
constexpr int TextureSlotCount = 256;
extern TextureEntry TextureTable[TextureSlotCount];
extern std::uint32_t TextureRefCounts[TextureSlotCount];

// Results of presenting and of the lost-device check.
using RenderResult = std::int32_t;
constexpr RenderResult RenderOk = 0;
constexpr RenderResult RenderDeviceLost = static_cast<RenderResult>(0x88760868u);

bool InitDirect3D();
void SetDefaultRenderStates();
void SetupLight(int off);
void ReleaseDirect3D();
RenderResult CheckDeviceLost();

// Where a window may go: the display's usable area and what the window's
// decorations add to its client area across and down.
struct WindowRoom {
  int UsableWidth = 0, UsableHeight = 0;
  int BorderWidth = 0, BorderHeight = 0;
};
// The largest window scale k whose 320k x 180k window, decorations
// included, fits the room; at least 1.
int LargestWindowScaleIn(const WindowRoom& room);
// The scale after `scale` when stepping up through 1 .. largest: one more,
// or 1 past the largest.
int NextWindowScale(int scale, int largest);
// Where the room comes from: the system unless replaced (null puts it
// back); false when the room is not known.
using WindowRoomSource = bool (*)(WindowRoom& room);
void SetWindowRoomSource(WindowRoomSource source);
// The largest window scale that fits the display now; without a known
// room, the largest window scale there is.
int LargestWindowScale();

// A window of the size asked for, taken down to the largest scale that
// fits the display (the scale asked for is the caller's to keep).
void ResizeWindowClient(int width, int height, bool keepPlaceIfItFits = false);
void ApplyWindowedMode();
void ApplyFullscreenMode();
// What following the window changed, once per drawn frame.
struct WindowFollow {
  bool FullscreenChanged = false;  // the window manager turned full screen on or off itself
  bool ScaleChanged = false;       // the picture's, which pointer positions divide by
  bool ScreensChanged = false;     // the displays changed: the window is to be fitted again
};
// Follows the window as the system has it, whoever sized it (the game, a
// tiling or maximising window manager, the player): the back buffer takes
// the largest whole scale that fits the window, shown centred, and a full
// screen the window manager made or ended becomes the game's own; the
// scale asked for stays.
WindowFollow FollowWindow();

// The frame: clear, scene brackets, present. Above window scale 1 a frame
// is drawn at 320 x 180 for as long as its quads show whole logical pixels,
// and stretched once; SetLogicalFrames(false) draws every frame at full size.
void ClearTarget(std::uint32_t argb);
void SetLogicalFrames(bool allowed);
void BeginScene();
void EndScene();
RenderResult Present();

bool LoadTexture(PictureId id, std::uint16_t resourceId);
void ReleaseTexture(PictureId id);
// Hands memory freed so far (released pictures) back to the system; after a
// screen's pictures are let go, not per picture.
void ReturnFreedMemory();
// Loaded, with no texel anywhere in its texture less than opaque.
bool IsPictureOpaque(PictureId id);
int GetOpaqueLeftMargin(int slot, int x, int y, int width, int height);
int GetOpaqueRightMargin(int slot, int x, int y, int width, int height);

int ResetDrawState();
bool DrawSprite(PictureId id, int dx, int dy, int sx, int sy, int w, int h);

// Rows [Top, Bottom) in layout units under Layers overlapping quads.
struct LayeredRows {
  int Top = 0, Bottom = 0, Layers = 0;
};
// What Layers quads of picture `id`, a plain white picture, in
// SpriteDrawState's colour and blend mode would draw over the columns
// [left, right) and each run of rows (moved by shake and scroll as sprites
// are), drawn in one pass where the renderer can blend the rows itself.
// False when it cannot, or the picture is not all white: draw the quads
// then.
bool DrawLayeredRows(PictureId id, int left, int right, const LayeredRows* runs, int count);

// Where LoadTexture gets a picture's pixels (size x size, 0xAARRGGBB); the
// resource module unless replaced. Null puts the resource module back.
using PictureLoader = bool (*)(std::uint16_t resourceId, int size, std::vector<std::uint32_t>& argb);
void SetPictureLoader(PictureLoader loader);

// A copy of the back buffer as 0xAARRGGBB rows.
bool ReadBackBuffer(std::vector<std::uint32_t>& argb, int& width, int& height);
// While kept, each present keeps a copy of what it put in the window, the
// whole window with any black around the picture: what the player sees.
void KeepWindowPicture(bool keep);
bool ReadWindowPicture(std::vector<std::uint32_t>& argb, int& width, int& height);
