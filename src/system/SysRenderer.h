#pragma once
// The SDL renderer behind the game's device: a 320k x 180k back buffer that
// is shown in the window at a whole scale, centred, on present, and
// textures that keep their pixels on the CPU so a lost device can be
// rebuilt from them.
#include <cstdint>
#include <vector>

// The SDL window flags the renderer will need of the window: a window
// made without them would be destroyed and made again by SDL when the
// renderer starts.
std::uint32_t SysRendererWindowFlags();
// The render driver named by SDL_RENDER_DRIVER (see SysChooseRenderDriver),
// else the first accelerated one; where that cannot be made, or cannot give
// the first frame its back buffer, SDL's software renderer, whose picture
// then reaches the screen without OpenGL. Says which under --verbose.
bool SysRendererCreate();
void SysRendererDestroy();
bool SysRendererReady();
// (Re)makes the back buffer at 320*scale x 180*scale pixels.
bool SysRendererSetBackBuffer(int scale);
// Makes the back buffer the target and clears it to the ARGB colour.
void SysRendererClear(std::uint32_t clearArgb);
// While the back buffer is larger than 320 x 180, a frame may be drawn at
// 320 x 180 as long as every quad in it looks there as it does at full
// size: ClearLogical starts such a frame (false when there is no such
// buffer, and nothing is done); LeaveLogical stretches what it holds into
// the back buffer, where drawing goes on. SysDrawQuad judges each quad,
// before any of it is drawn, and leaves the small frame for one that would
// not look the same; quads are always given in back-buffer pixels.
// Reading the back buffer leaves it first; presenting does not need to.
bool SysRendererClearLogical(std::uint32_t clearArgb);
bool SysRendererIsLogical();
void SysRendererLeaveLogical();
// Hands every queued draw to the renderer now.
void SysRendererFlush();
// Shows the back buffer in the window.
void SysRendererPresent();
// While kept, every present copies what it put in the window (read with no
// target bound, after the picture's copy, before it is shown): what the
// player sees, for tests and screenshots.
void SysRendererKeepWindowPicture(bool keep);
// The last kept window picture as 0xAARRGGBB rows; false when none.
bool SysRendererReadWindowPicture(std::vector<std::uint32_t>& argb, int& width, int& height);
// Copies the back buffer out as 0xAARRGGBB rows (tests, screenshots).
bool SysRendererReadBackBuffer(std::vector<std::uint32_t>& argb, int& width, int& height);

// Device loss: SDL tells us that textures or render targets were lost.
// The flags stay raised until a restore succeeds.
void SysRendererNotifyReset(bool deviceLost);
bool SysRendererResetPending();
// Rebuilds every texture from its CPU copy and the back buffer; false when
// the renderer would not take them (try again later).
bool SysRendererRestore();

// Textures: square, 0xAARRGGBB. The renderer holds their pixels; what
// drawing needs of them besides is worked out when they are made.
struct SysTexture;
// Gives the heap's free pages back to the system (the allocator keeps them).
void SysReturnFreedMemory();
SysTexture* SysCreateTexture(const std::uint32_t* argb, int size);
void SysDestroyTexture(SysTexture* texture);
int SysTextureSize(const SysTexture* texture);
// Every texel the same and equal to argb.
bool SysTextureIsAll(const SysTexture* texture, std::uint32_t argb);
// Every texel's alpha full.
bool SysTextureIsOpaque(const SysTexture* texture);
// The texel at (x, y) inside the texture has some alpha; false outside it.
bool SysTexelIsInked(const SysTexture* texture, int x, int y);

// How a quad's pixels meet the target.
enum class SysBlend {
  Opaque,      // one, zero
  Alpha,       // src alpha, inverse src alpha
  OneOne,      // one, one (additive where the renderer cannot compose it)
  AddAlpha,    // src alpha, one
};

// How the texture colour and the vertex colour combine; the alpha is always
// texture alpha times vertex alpha.
enum class SysColourOp {
  Modulate,    // texture * vertex colour
  VertexOnly,  // the vertex colour alone
  Mix,         // texture * a + vertex colour * (1 - a), a = the tint's alpha
};

// One textured quad. Corners are given for the texel corners (U0,V0),
// (U1,V0), (U0,V1), (U1,V1), in back-buffer pixels; texel coordinates past the
// texture repeat it. A mirrored or quarter-turned quad shows its texels
// exactly as an upright one does.
struct SysQuad {
  float X[4];
  float Y[4];
  float U0, V0, U1, V1;
  std::uint32_t Argb;
};

// On a 320 x 180 frame the quad is judged whole, before any of it is
// drawn: every piece (and both passes of Mix) goes on the one frame.
void SysDrawQuad(SysTexture* texture, const SysQuad& quad, SysBlend blend, SysColourOp op,
                 std::uint32_t tintArgb);

// Rows [Top, Bottom) of the back buffer (pixels) under Layers quads.
struct SysLayeredRows {
  int Top, Bottom, Layers;
};
// Blends columns [left, right) of each run of rows as a GPU blends its
// Layers quads of a white texture in the ARGB colour (see SysBlend.h), in
// one pass over the pixels. False when the renderer can only draw the quads (the caller then
// draws them); true when it did it, or had nothing to draw on.
bool SysBlendLayeredRows(int left, int right, const SysLayeredRows* runs, int count, std::uint32_t argb,
                         SysBlend blend);
