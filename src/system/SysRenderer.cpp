#include "system/SysRenderer.h"

#include <SDL.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

#include "system/SysBlend.h"
#include "system/SysPlatform.h"
#include "system/SysPicture.h"

namespace {
// What a copy of a picture is made of: bits that may be combined.
enum VariantBits : int {
  VariantWhite = 1,      // the white silhouette (alpha kept)
  VariantTranspose = 2,  // rows and columns swapped (a quarter turn and a mirror)
  VariantFlipX = 4,      // mirrored left-right (after any transposing)
  VariantFlipY = 8,      // upside down (after any transposing)
  VariantDoubled = 16,   // every texel two by two (see DrawPiece)
};

// A rectangle of the picture repeated without end: texels past the
// picture's edge are those of the next repeat.
struct TexelRect {
  int X = 0, Y = 0, W = 0, H = 0;
};
}  // namespace

struct SysTexture {
  int Size = 0;
  // The picture as loaded; SDL's copy of its pixels is the one kept (see
  // ReadTexels).
  SDL_Texture* Plain = nullptr;
  // Copies made on first use, each of the rectangle a quad shows (or of a
  // whole repeat, for quads past the picture's edge), white, turned or
  // doubled; keyed by VariantKey.
  std::unordered_map<std::uint64_t, SDL_Texture*> Variants;
  // Quads past the picture's edge take their texels from the picture
  // repeated to this size.
  int WrapSize = 0;
  bool Uniform = false;
  std::uint32_t UniformArgb = 0;
  bool Opaque = false;
  // A bit a texel, row by row: alpha above 0.
  std::vector<std::uint64_t> Inked;
  // A bit a texel: alpha neither 0 nor full; empty when there are none.
  std::vector<std::uint64_t> Soft;
  // The pixels, only while there is no SDL texture to hold them (between
  // renderers, or a device lost and not yet restored).
  std::vector<std::uint32_t> Kept;
  SysTexture* Prev = nullptr;
  SysTexture* Next = nullptr;
};

namespace {

SDL_Renderer* Renderer = nullptr;
SDL_Texture* BackBuffer = nullptr;
// 320 x 180, while the back buffer is larger: a frame whose quads all show
// whole logical pixels is drawn here, at a fraction of the cost, and
// stretched into the back buffer only when it must be.
SDL_Texture* LogicalBuffer = nullptr;
// The frame so far lives in LogicalBuffer, not in the back buffer.
bool PictureIsLogical = false;
int BackBufferScale = 1;
SysTexture* LiveTextures = nullptr;
bool PendingDeviceReset = false;
bool PendingTargetsReset = false;
// When the window's size changes, SDL3's software renderer drops the bound
// target and draws into the window instead, while still naming the target
// as bound, until it has taken the window's new surface and a target is
// bound anew: the next draw does both.
bool TargetBindingLost = false;
// SDL's own software renderer: its pictures can be read and written
// cheaply, so layered rows are worked out on the pixels.
bool SoftwareRenderer = false;
// ONE/ONE where the renderer can compose it; the software renderer cannot.
SDL_BlendMode OneOneMode = SDL_BLENDMODE_ADD;
// What the last present put in the window, while asked to keep it.
bool KeepWindowPicture = false;
std::vector<std::uint32_t> WindowPicture;
int WindowPictureWidth = 0, WindowPictureHeight = 0;

// Repeated textures are made at least this large, so a wide repeat (a
// window's border along its side) takes few pieces.
constexpr int MinWrapSize = 512;
// A quad never splits into more pieces than this per axis.
constexpr int MaxWrapPieces = 64;

SDL_Window* Window() { return static_cast<SDL_Window*>(SysMainWindowHandle()); }

int SDLCALL WatchResets(void*, SDL_Event* event) {
  if (event->type == SDL_RENDER_DEVICE_RESET) SysRendererNotifyReset(true);
  if (event->type == SDL_RENDER_TARGETS_RESET) SysRendererNotifyReset(false);
  if (event->type == SDL_WINDOWEVENT && event->window.event == SDL_WINDOWEVENT_SIZE_CHANGED) TargetBindingLost = true;
  return 0;
}

// A picture keeps no more copies than this; past it, a doubled quad is
// drawn at full size instead and any other takes a copy of the whole
// picture.
constexpr std::size_t MaxVariants = 256;

std::uint64_t VariantKey(int bits, const TexelRect& r) {
  return static_cast<std::uint64_t>(bits) << 56 | static_cast<std::uint64_t>(r.X) << 42 |
         static_cast<std::uint64_t>(r.Y) << 28 | static_cast<std::uint64_t>(r.W) << 14 | static_cast<std::uint64_t>(r.H);
}

// The copies made from the plain picture; it stays.
void DestroyVariants(SysTexture* t) {
  for (auto& [key, texture] : t->Variants) SDL_DestroyTexture(texture);
  t->Variants.clear();
}

// `access` streaming for a plain picture: SDL then keeps its pixels where
// they can be read again (the software renderer's own surface; the GL
// renderers' upload buffer), and nothing else need keep a copy.
SDL_Texture* MakeSdlTexture(const std::uint32_t* argb, int width, int height, SDL_TextureAccess access) {
  if (!Renderer || width <= 0 || height <= 0) return nullptr;
  SDL_Texture* texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, access, width, height);
  if (!texture) return nullptr;
  SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
  const std::size_t row = static_cast<std::size_t>(width) * 4;
  bool written = false;
  if (access == SDL_TEXTUREACCESS_STREAMING) {
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(texture, nullptr, &pixels, &pitch) == 0) {
      for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<std::uint8_t*>(pixels) + static_cast<std::size_t>(y) * pitch, argb + static_cast<std::size_t>(y) * width, row);
      SDL_UnlockTexture(texture);
      written = true;
    }
  } else {
    written = SDL_UpdateTexture(texture, nullptr, argb, width * 4) == 0;
  }
  if (!written) {
    SDL_DestroyTexture(texture);
    return nullptr;
  }
  return texture;
}

// The plain picture's pixels, from SDL's own copy.
bool ReadTexels(const SysTexture* t, std::vector<std::uint32_t>& out) {
  void* pixels = nullptr;
  int pitch = 0;
  if (!t->Plain || SDL_LockTexture(t->Plain, nullptr, &pixels, &pitch) != 0) return false;
  out.resize(static_cast<std::size_t>(t->Size) * t->Size);
  for (int y = 0; y < t->Size; ++y)
    std::memcpy(&out[static_cast<std::size_t>(y) * t->Size], static_cast<const std::uint8_t*>(pixels) + static_cast<std::size_t>(y) * pitch,
                static_cast<std::size_t>(t->Size) * 4);
  SDL_UnlockTexture(t->Plain);
  return true;
}

// The copy's size: the rectangle, turned, doubled.
void VariantDimensions(int bits, const TexelRect& r, int& width, int& height) {
  const int texel = bits & VariantDoubled ? 2 : 1;
  width = (bits & VariantTranspose ? r.H : r.W) * texel;
  height = (bits & VariantTranspose ? r.W : r.H) * texel;
}

// Texels of the plain picture as SDL holds them: `Pixels` is the texel at
// (OriginX, OriginY), rows `Pitch` texels apart.
struct TexelView {
  const std::uint32_t* Pixels;
  int Pitch, OriginX, OriginY;
  const std::uint32_t* At(int x, int y) const {
    return Pixels + static_cast<std::size_t>(y - OriginY) * Pitch + static_cast<std::size_t>(x - OriginX);
  }
};

// The rectangle of the repeated picture (or its silhouette), transposed,
// flipped and doubled.
std::vector<std::uint32_t> Variant(const TexelView& plain, int size, int bits, const TexelRect& r) {
  int width = 0, height = 0;
  VariantDimensions(bits, r, width, height);
  const bool white = bits & VariantWhite, transpose = bits & VariantTranspose;
  const bool flipX = bits & VariantFlipX, flipY = bits & VariantFlipY;
  const int texel = bits & VariantDoubled ? 2 : 1;
  std::vector<std::uint32_t> out(static_cast<std::size_t>(width) * height);
  if (bits == 0) {
    // A repeat: rows copied in runs up to the picture's right edge.
    for (int y = 0; y < height; ++y) {
      std::uint32_t* to = &out[static_cast<std::size_t>(y) * width];
      for (int x = 0; x < width;) {
        const int column = (r.X + x) % size, run = std::min(size - column, width - x);
        std::memcpy(to + x, plain.At(column, (r.Y + y) % size), static_cast<std::size_t>(run) * 4);
        x += run;
      }
    }
    return out;
  }
  for (int y = 0; y < height; ++y) {
    std::uint32_t* dst = &out[static_cast<std::size_t>(y) * width];
    const int fromY = (flipY ? height - 1 - y : y) / texel;
    for (int x = 0; x < width; ++x) {
      const int fromX = (flipX ? width - 1 - x : x) / texel;
      const std::uint32_t p = *plain.At((r.X + (transpose ? fromY : fromX)) % size, (r.Y + (transpose ? fromX : fromY)) % size);
      dst[x] = white ? ((p & 0xFF000000u) | 0x00FFFFFFu) : p;
    }
  }
  return out;
}

// Every SDL texture of the picture let go, its pixels kept in memory.
bool KeepPixelsAside(SysTexture* t) {
  if (t->Plain && !ReadTexels(t, t->Kept)) return false;
  DestroyVariants(t);
  if (t->Plain) SDL_DestroyTexture(t->Plain);
  t->Plain = nullptr;
  return true;
}

SDL_Texture* GetPlain(SysTexture* t) {
  if (t->Plain || t->Kept.empty()) return t->Plain;
  t->Plain = MakeSdlTexture(t->Kept.data(), t->Size, t->Size, SDL_TEXTUREACCESS_STREAMING);
  if (t->Plain) std::vector<std::uint32_t>().swap(t->Kept);
  return t->Plain;
}

// The copy `bits` of rectangle `r`; the plain picture where that is all
// of it. Null when it cannot be made.
SDL_Texture* GetVariant(SysTexture* t, int bits, const TexelRect& r) {
  if (!GetPlain(t)) return nullptr;
  if (bits == 0 && r.X == 0 && r.Y == 0 && r.W == t->Size && r.H == t->Size) return t->Plain;
  const std::uint64_t key = VariantKey(bits, r);
  if (const auto found = t->Variants.find(key); found != t->Variants.end()) return found->second;
  // Only the rectangle's texels are looked at (on the GL renderers only
  // they go back up), unless it runs past the picture's edge.
  const bool inside = r.X + r.W <= t->Size && r.Y + r.H <= t->Size;
  const SDL_Rect lock = inside ? SDL_Rect{r.X, r.Y, r.W, r.H} : SDL_Rect{0, 0, t->Size, t->Size};
  void* pixels = nullptr;
  int pitch = 0;
  if (SDL_LockTexture(t->Plain, &lock, &pixels, &pitch) != 0) return nullptr;
  const std::vector<std::uint32_t> copy =
      Variant(TexelView{static_cast<const std::uint32_t*>(pixels), pitch / 4, lock.x, lock.y}, t->Size, bits, r);
  SDL_UnlockTexture(t->Plain);
  int width = 0, height = 0;
  VariantDimensions(bits, r, width, height);
  SDL_Texture* made = MakeSdlTexture(copy.data(), width, height, SDL_TEXTUREACCESS_STATIC);
  if (made) t->Variants.emplace(key, made);
  return made;
}

// Whether any bit in [from, to) is set.
bool AnyBit(const std::vector<std::uint64_t>& bits, std::size_t from, std::size_t to) {
  while (from < to) {
    const std::size_t word = from / 64, shift = from % 64;
    const std::size_t count = std::min<std::size_t>(64 - shift, to - from);
    const std::uint64_t mask = count == 64 ? ~std::uint64_t{0} : ((std::uint64_t{1} << count) - 1) << shift;
    if (bits[word] & mask) return true;
    from += count;
  }
  return false;
}

// Whether the rectangle holds texels neither opaque nor clear.
bool HasSoftTexels(const SysTexture* t, const TexelRect& r) {
  if (t->Soft.empty()) return false;
  if (r.W >= t->Size || r.H >= t->Size) return true;
  const std::size_t size = static_cast<std::size_t>(t->Size);
  for (int y = r.Y; y < r.Y + r.H; ++y) {
    const std::size_t row = static_cast<std::size_t>(y) % size * size;
    const std::size_t x0 = static_cast<std::size_t>(r.X) % size, x1 = x0 + static_cast<std::size_t>(r.W);
    // A rectangle past the picture's right edge goes on at its left.
    if (AnyBit(t->Soft, row + x0, row + std::min(x1, size)) || (x1 > size && AnyBit(t->Soft, row, row + x1 - size)))
      return true;
  }
  return false;
}

// A pass whose 1:1 pieces over half-transparent texels take a doubled copy
// on a logical frame (see DrawPiece).
bool NeedsDoubling(SDL_BlendMode blend, std::uint32_t argb) {
  return SoftwareRenderer && blend == SDL_BLENDMODE_BLEND && argb == 0xFFFFFFFFu;
}

SDL_BlendMode SdlBlend(SysBlend blend) {
  switch (blend) {
    case SysBlend::Opaque: return SDL_BLENDMODE_NONE;
    case SysBlend::Alpha: return SDL_BLENDMODE_BLEND;
    case SysBlend::OneOne: return OneOneMode;
    case SysBlend::AddAlpha: return SDL_BLENDMODE_ADD;
  }
  return SDL_BLENDMODE_BLEND;
}

SDL_Color ColourOf(std::uint32_t argb) {
  return SDL_Color{static_cast<Uint8>(argb >> 16), static_cast<Uint8>(argb >> 8),
                   static_cast<Uint8>(argb), static_cast<Uint8>(argb >> 24)};
}

void SwapCorners(SysQuad& q, int a, int b) {
  std::swap(q.X[a], q.X[b]);
  std::swap(q.Y[a], q.Y[b]);
}

// The corners' order follows the texel corners (U0,V0), (U1,V0), (U0,V1),
// (U1,V1): these name the other column or row of corners first.
void SwapColumns(SysQuad& q) {
  SwapCorners(q, 0, 1);
  SwapCorners(q, 2, 3);
}

void SwapRows(SysQuad& q) {
  SwapCorners(q, 0, 2);
  SwapCorners(q, 1, 3);
}

// Texel coordinates from the texture's other edge, as in a flipped copy.
void Reflect(float& low, float& high, float size) {
  const float flippedLow = size - high;
  high = size - low;
  low = flippedLow;
}

// Makes `q` upright: texels running left to right and top to bottom from
// corner 0 at the top-left, taken from a transposed or flipped copy of the
// picture where the quad runs otherwise; returns the copy's bits. The same
// pixels are covered by the same texels, but every renderer then draws a
// mirrored or quarter-turned sprite exactly as an upright one. (SDL's software
// renderer copies an upright axis-aligned quad texel for texel; any other it
// rasterises with a texel lost per row, or it copies it the wrong way round.)
int MakeUpright(SysQuad& q, float width, float height) {
  // Name the corners so that U0 <= U1 and V0 <= V1: the same quad.
  if (q.U1 < q.U0) {
    SwapColumns(q);
    std::swap(q.U0, q.U1);
  }
  if (q.V1 < q.V0) {
    SwapRows(q);
    std::swap(q.V0, q.V1);
  }
  int bits = 0;
  // A quarter turn: u runs down the screen and v across it.
  if (q.X[1] == q.X[0] && q.Y[2] == q.Y[0] && q.Y[1] != q.Y[0] && q.X[2] != q.X[0]) {
    bits |= VariantTranspose;
    SwapCorners(q, 1, 2);
    std::swap(q.U0, q.V0);
    std::swap(q.U1, q.V1);
    std::swap(width, height);
  }
  if (q.X[1] < q.X[0]) {
    bits |= VariantFlipX;
    SwapColumns(q);
    Reflect(q.U0, q.U1, width);
  }
  if (q.Y[2] < q.Y[0]) {
    bits |= VariantFlipY;
    SwapRows(q);
    Reflect(q.V0, q.V1, height);
  }
  return bits;
}

// Whether a quad's texels include half-transparent ones, when already known.
enum class SoftTexels { Unknown, None, Some };

// One piece of a quad, its texels inside `area` of the repeated picture:
// the whole picture, a whole repeat, or (for a copy) just the texels the
// quad shows.
void DrawPiece(SysTexture* t, bool white, SysQuad q, const TexelRect& whole, std::uint32_t argb, SDL_BlendMode blend,
               SoftTexels soft = SoftTexels::Unknown) {
  // The texels the quad shows, in the repeated picture.
  TexelRect shown;
  shown.X = whole.X + static_cast<int>(std::floor(std::min(q.U0, q.U1)));
  shown.Y = whole.Y + static_cast<int>(std::floor(std::min(q.V0, q.V1)));
  shown.W = whole.X + static_cast<int>(std::ceil(std::max(q.U0, q.U1))) - shown.X;
  shown.H = whole.Y + static_cast<int>(std::ceil(std::max(q.V0, q.V1))) - shown.Y;
  if (shown.W <= 0 || shown.H <= 0) return;
  SysQuad upright = q;
  int bits = (white ? VariantWhite : 0) | MakeUpright(upright, 0.0f, 0.0f);
  // The software renderer blends a quad copied texel for texel by other
  // arithmetic than a stretched one, a step apart on half-transparent
  // texels. A logical frame must look as its stretched full-size drawing
  // does: such a quad takes its texels from a copy twice the size (the
  // quad stayed logical only if the copy can be had, see StaysLogical).
  if (PictureIsLogical && NeedsDoubling(blend, argb) && upright.X[1] - upright.X[0] == upright.U1 - upright.U0 &&
      upright.Y[2] - upright.Y[0] == upright.V1 - upright.V0 &&
      (soft == SoftTexels::Unknown ? HasSoftTexels(t, shown) : soft == SoftTexels::Some))
    bits |= VariantDoubled;
  // A copy holds only the texels the quad shows, so that it is small and
  // quick to make; a picture with too many copies gets whole ones.
  TexelRect area = whole;
  if (bits != 0 && t->Variants.size() < MaxVariants) {
    area = shown;
    q.U0 -= static_cast<float>(shown.X - whole.X);
    q.U1 -= static_cast<float>(shown.X - whole.X);
    q.V0 -= static_cast<float>(shown.Y - whole.Y);
    q.V1 -= static_cast<float>(shown.Y - whole.Y);
  } else {
    // No copy to be had; StaysLogical kept any quad that needs one off the
    // small frame.
    bits &= ~VariantDoubled;
  }
  bits = (bits & (VariantWhite | VariantDoubled)) | MakeUpright(q, static_cast<float>(area.W), static_cast<float>(area.H));
  if (bits & VariantDoubled) {
    q.U0 *= 2.0f;
    q.V0 *= 2.0f;
    q.U1 *= 2.0f;
    q.V1 *= 2.0f;
  }
  SDL_Texture* texture = GetVariant(t, bits, area);
  if (!texture) return;
  int width = 0, height = 0;
  VariantDimensions(bits, area, width, height);
  const float invU = 1.0f / static_cast<float>(width), invV = 1.0f / static_cast<float>(height);
  const SDL_Color c = ColourOf(argb);
  const SDL_Vertex v[4] = {
      {{q.X[0], q.Y[0]}, c, {q.U0 * invU, q.V0 * invV}},
      {{q.X[1], q.Y[1]}, c, {q.U1 * invU, q.V0 * invV}},
      {{q.X[2], q.Y[2]}, c, {q.U0 * invU, q.V1 * invV}},
      {{q.X[3], q.Y[3]}, c, {q.U1 * invU, q.V1 * invV}},
  };
  // Two triangles in one call sharing the TL-BR diagonal: an upright
  // axis-aligned quad is then one rectangle copy on the software renderer.
  static const int indices[6] = {0, 1, 3, 0, 3, 2};
  SDL_SetTextureBlendMode(texture, blend);
  SDL_RenderGeometry(Renderer, texture, v, 4, indices, 6);
}

// `soft` tells of the texels of a quad inside the picture.
void DrawTextured(SysTexture* t, bool white, const SysQuad& q, std::uint32_t argb, SDL_BlendMode blend,
                  SoftTexels soft) {
  const float umin = std::min(q.U0, q.U1), umax = std::max(q.U0, q.U1);
  const float vmin = std::min(q.V0, q.V1), vmax = std::max(q.V0, q.V1);
  const float size = static_cast<float>(t->Size);
  const TexelRect picture{0, 0, t->Size, t->Size};
  if (umin >= 0.0f && vmin >= 0.0f && umax <= size && vmax <= size) {
    DrawPiece(t, white, q, picture, argb, blend, soft);
    return;
  }
  if (t->Uniform) {
    // Any texels of a fill are the same texels: one stretch of the whole
    // texture, facing as the quad does, instead of a piece per repeat.
    SysQuad fill = q;
    fill.U0 = q.U0 <= q.U1 ? 0.0f : size;
    fill.U1 = size - fill.U0;
    fill.V0 = q.V0 <= q.V1 ? 0.0f : size;
    fill.V1 = size - fill.V0;
    DrawPiece(t, white, fill, picture, argb, blend);
    return;
  }
  // Past the texture it repeats: draw one piece per period of the repeated
  // texture, each mapped onto its share of the quad.
  const float period = static_cast<float>(t->WrapSize);
  const TexelRect repeat{0, 0, t->WrapSize, t->WrapSize};
  const float baseU = std::floor(umin / period) * period;
  const float baseV = std::floor(vmin / period) * period;
  const float du = q.U1 - q.U0, dv = q.V1 - q.V0;
  // Where texel (u, v) lands, multiplied out before dividing: a cut that
  // falls on a whole pixel lands on it exactly (at any scale), as the same
  // quad drawn small and stretched puts it.
  auto corner = [&](float u, float v, float& px, float& py) {
    const double s = u - q.U0, r = v - q.V0;
    auto at = [&](const float* c) {
      double p = c[0];
      if (du != 0.0f) p += (static_cast<double>(c[1]) - c[0]) * s / du;
      if (dv != 0.0f) p += (static_cast<double>(c[2]) - c[0]) * r / dv;
      if (du != 0.0f && dv != 0.0f)
        p += (static_cast<double>(c[3]) - c[2] - c[1] + c[0]) * s * r / (static_cast<double>(du) * dv);
      return static_cast<float>(p);
    };
    px = at(q.X);
    py = at(q.Y);
  };
  int rows = 0;
  for (float va = vmin, vStart = baseV; va < vmax && rows < MaxWrapPieces; ++rows, vStart += period) {
    const float vb = std::min(vmax, vStart + period);
    int cols = 0;
    for (float ua = umin, uStart = baseU; ua < umax && cols < MaxWrapPieces; ++cols, uStart += period) {
      const float ub = std::min(umax, uStart + period);
      SysQuad piece{};
      corner(ua, va, piece.X[0], piece.Y[0]);
      corner(ub, va, piece.X[1], piece.Y[1]);
      corner(ua, vb, piece.X[2], piece.Y[2]);
      corner(ub, vb, piece.X[3], piece.Y[3]);
      piece.U0 = ua - uStart;
      piece.V0 = va - vStart;
      piece.U1 = ub - uStart;
      piece.V1 = vb - vStart;
      DrawPiece(t, white, piece, repeat, argb, blend);
      ua = ub;
    }
    va = vb;
  }
}

// The pieces DrawTextured cuts a quad into at most.
int PieceCount(const SysTexture* t, const SysQuad& q) {
  const float umin = std::min(q.U0, q.U1), umax = std::max(q.U0, q.U1);
  const float vmin = std::min(q.V0, q.V1), vmax = std::max(q.V0, q.V1);
  const float size = static_cast<float>(t->Size);
  if (t->Uniform || (umin >= 0.0f && vmin >= 0.0f && umax <= size && vmax <= size)) return 1;
  const float period = static_cast<float>(t->WrapSize);
  auto periods = [&](float low, float high) {
    return static_cast<int>(std::clamp(std::ceil(high / period) - std::floor(low / period), 1.0f, float{MaxWrapPieces}));
  };
  return periods(umin, umax) * periods(vmin, vmax);
}

// The colour and blend of each pass SysDrawQuad makes of a quad.
struct Pass {
  bool White;
  std::uint32_t Argb;
  SDL_BlendMode Blend;
};
int PassesOf(const SysQuad& q, SysBlend blend, SysColourOp op, std::uint32_t tintArgb, Pass passes[2]) {
  const SDL_BlendMode mode = SdlBlend(blend);
  switch (op) {
    case SysColourOp::Modulate: passes[0] = {false, q.Argb, mode}; return 1;
    case SysColourOp::VertexOnly: passes[0] = {true, q.Argb, mode}; return 1;
    case SysColourOp::Mix: {
      // texture * a, then the silhouette in colour * (1 - a) added on top.
      const std::uint32_t a = tintArgb >> 24;
      const std::uint32_t alpha = q.Argb & 0xFF000000u;
      auto part = [&](int shift) { return (((q.Argb >> shift) & 0xFFu) * (255u - a) / 255u) << shift; };
      passes[0] = {false, alpha | (a << 16) | (a << 8) | a, mode};
      passes[1] = {true, alpha | part(16) | part(8) | part(0), blend == SysBlend::OneOne ? OneOneMode : SDL_BLENDMODE_ADD};
      return 2;
    }
  }
  return 0;
}

// A whole number (of pixels or texels), and not too large to count in.
bool Whole(float v) { return std::fabs(v) < 1.0e9f && v == static_cast<float>(static_cast<std::int64_t>(v)); }

// Whether a quad (back-buffer pixels) drawn on the 320 x 180 frame and
// stretched looks exactly as it does drawn at full size: upright, its
// corners on whole logical pixels, each texel whole logical pixels (or
// every texel alike), and, where its pieces need copies of their own to
// look so, room among the picture's copies for every piece of every pass.
// Decided once for the whole quad, before any piece is drawn; `small` is
// then the quad in logical pixels, and `soft` what was learnt of its texels.
bool StaysLogical(const SysTexture* t, const SysQuad& q, const Pass* passes, int passCount, SysQuad& small,
                  SoftTexels& soft) {
  // A turned quad has edges between logical pixels.
  if (q.X[0] != q.X[2] || q.X[1] != q.X[3] || q.Y[0] != q.Y[1] || q.Y[2] != q.Y[3]) return false;
  const float scale = static_cast<float>(BackBufferScale);
  small = q;
  for (int i = 0; i < 4; ++i) {
    small.X[i] = q.X[i] / scale;
    small.Y[i] = q.Y[i] / scale;
  }
  if (!Whole(small.X[0]) || !Whole(small.X[1]) || !Whole(small.Y[0]) || !Whole(small.Y[2])) return false;
  const float width = std::fabs(small.X[1] - small.X[0]), height = std::fabs(small.Y[2] - small.Y[0]);
  const float texelsWide = std::fabs(q.U1 - q.U0), texelsHigh = std::fabs(q.V1 - q.V0);
  if (!t->Uniform) {
    if (!Whole(q.U0) || !Whole(q.U1) || !Whole(q.V0) || !Whole(q.V1)) return false;
    const auto count = [](float v) { return static_cast<std::int64_t>(v); };
    if ((count(texelsWide) != 0 && count(width) % count(texelsWide) != 0) ||
        (count(texelsHigh) != 0 && count(height) % count(texelsHigh) != 0))
      return false;
  }
  // Copied texel for texel on the small frame, half-transparent texels take
  // a doubled copy per piece (see DrawPiece).
  if (t->Soft.empty() || width != texelsWide || height != texelsHigh) return true;
  int doubling = 0;
  for (int i = 0; i < passCount; ++i) doubling += NeedsDoubling(passes[i].Blend, passes[i].Argb);
  if (doubling == 0) return true;
  const float umin = std::min(q.U0, q.U1), vmin = std::min(q.V0, q.V1);
  const bool inside = umin >= 0.0f && vmin >= 0.0f && std::max(q.U0, q.U1) <= static_cast<float>(t->Size) &&
                      std::max(q.V0, q.V1) <= static_cast<float>(t->Size);
  if (inside) {
    const TexelRect shown{static_cast<int>(umin), static_cast<int>(vmin), static_cast<int>(texelsWide),
                          static_cast<int>(texelsHigh)};
    soft = HasSoftTexels(t, shown) ? SoftTexels::Some : SoftTexels::None;
    if (soft == SoftTexels::None) return true;
  }
  // Every piece of every pass may take a copy of its own.
  return t->Variants.size() + static_cast<std::size_t>(PieceCount(t, q) * passCount) <= MaxVariants;
}

SDL_Texture* PictureTarget() { return PictureIsLogical ? LogicalBuffer : BackBuffer; }

void UsePictureTarget() {
  if (TargetBindingLost) {
    TargetBindingLost = false;
    SDL_SetRenderTarget(Renderer, nullptr);
    // A pixel of the window read: the software renderer takes the window's
    // new surface its own way there, as it must before a target is bound
    // anew (handed the surface from outside, it kept the old one).
    std::uint32_t pixel = 0;
    const SDL_Rect one{0, 0, 1, 1};
    if (SoftwareRenderer) SDL_RenderReadPixels(Renderer, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
  }
  if (SDL_GetRenderTarget(Renderer) != PictureTarget()) SDL_SetRenderTarget(Renderer, PictureTarget());
}

SDL_Texture* MakeTarget(int scale) {
  SDL_Texture* target = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                          320 * scale, 180 * scale);
  if (!target) return nullptr;
  SDL_SetTextureBlendMode(target, SDL_BLENDMODE_NONE);
  SDL_SetTextureScaleMode(target, SDL_ScaleModeNearest);
  return target;
}

}  // namespace

void SysReturnFreedMemory() { malloc_trim(0); }

namespace {

bool MakeBackBuffer(int scale) {
  if (BackBuffer) SDL_DestroyTexture(BackBuffer);
  if (LogicalBuffer) SDL_DestroyTexture(LogicalBuffer);
  LogicalBuffer = nullptr;
  PictureIsLogical = false;
  BackBuffer = MakeTarget(scale);
  if (!BackBuffer) return false;
  // Without it every frame is simply drawn at full size.
  if (scale > 1) LogicalBuffer = MakeTarget(1);
  BackBufferScale = scale;
  // The software renderer's buffers of the old size were freed in the
  // middle of the heap: hand their pages back, or every change of scale
  // would leave the process larger.
  SysReturnFreedMemory();
  return true;
}

constexpr Uint32 AcceleratedFlags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE;

// The dummy driver has no graphics hardware to ask; draw in software there.
bool SoftwareOnly() { return SysVideoIsDummy(); }

const char* RendererName() {
  SDL_RendererInfo info;
  return Renderer && SDL_GetRendererInfo(Renderer, &info) == 0 && info.name ? info.name : "no";
}

int RenderDriverIndex(const char* name) {
  for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) == 0 && info.name && std::strcmp(info.name, name) == 0) return i;
  }
  return -1;
}

// Readies a new renderer for the first frame: false when it cannot give
// the back buffer, a target it draws into.
bool StartRenderer() {
  PendingDeviceReset = PendingTargetsReset = false;
  SDL_RendererInfo info;
  SoftwareRenderer = SDL_GetRendererInfo(Renderer, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
  if (!MakeBackBuffer(1) || SDL_SetRenderTarget(Renderer, BackBuffer) != 0) return false;
  SDL_SetRenderTarget(Renderer, nullptr);
  const SDL_BlendMode composed =
      SDL_ComposeCustomBlendMode(SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD,
                                 SDL_BLENDFACTOR_ONE, SDL_BLENDFACTOR_ONE, SDL_BLENDOPERATION_ADD);
  OneOneMode = SDL_SetTextureBlendMode(BackBuffer, composed) == 0 ? composed : SDL_BLENDMODE_ADD;
  SDL_SetTextureBlendMode(BackBuffer, SDL_BLENDMODE_NONE);
  SDL_AddEventWatch(WatchResets, nullptr);
  return true;
}

}  // namespace

std::uint32_t SysRendererWindowFlags() {
  if (SoftwareOnly()) return 0;
  // The render driver SDL_CreateRenderer will try first: the one the hint
  // names, else the first accelerated one.
  const char* wanted = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  for (int i = 0; i < SDL_GetNumRenderDrivers(); ++i) {
    SDL_RendererInfo info;
    if (SDL_GetRenderDriverInfo(i, &info) != 0 || !info.name) continue;
    if (wanted && *wanted ? SDL_strcasecmp(wanted, info.name) != 0 : (info.flags & AcceleratedFlags) != AcceleratedFlags)
      continue;
    // The GL renderers remake a window that is not a GL one; the GLES 2
    // renderer also one that was not made for a GLES 2 context.
    if (std::strcmp(info.name, "opengles2") == 0) {
      SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
      SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
      SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
    }
    return std::strncmp(info.name, "opengl", 6) == 0 ? SDL_WINDOW_OPENGL : 0;
  }
  return 0;
}

bool SysRendererCreate() {
  if (Renderer) return true;
  SDL_Window* window = Window();
  if (!window) return false;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  const char* wanted = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  // A window that could not be made for OpenGL would be remade by a GL
  // renderer: it gets the software one.
  std::string refused;
  if (!SoftwareOnly() && !(wanted && SDL_strcasecmp(wanted, "software") == 0)) {
    if ((SysRendererWindowFlags() & ~SDL_GetWindowFlags(window)) != 0)
      refused = "the window could not be made for OpenGL";
    else if (!(Renderer = SDL_CreateRenderer(window, -1, AcceleratedFlags)))
      refused = std::string("no accelerated renderer: ") + SDL_GetError();
    else if (!StartRenderer()) {
      // Indirect GLX makes a GL renderer without render targets, for one.
      refused = std::string("the ") + RendererName() + " renderer gave no back buffer: " + SDL_GetError();
      SysRendererDestroy();
    }
  }
  if (!Renderer) {
    // The software renderer's picture reaches the screen as the window's
    // own surface, not as a texture SDL would draw with OpenGL on top of it
    // (without a graphics card, a CPU rasteriser again; where OpenGL failed,
    // the same failure). A Wayland window has no surface of its own: SDL
    // draws it through a texture there, which works on the CPU too. A
    // player's own SDL_FRAMEBUFFER_ACCELERATION setting still wins.
    const char* video = SDL_GetCurrentVideoDriver();
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, video && SDL_strcasecmp(video, "wayland") == 0 ? "1" : "0");
    // By index: a driver the hint names would be made again. SDL draws each
    // call of a renderer made by index at once, a flush per quad: where no
    // driver is named it batches, as when it picks the driver itself.
    const bool batched = !wanted && !SDL_GetHint(SDL_HINT_RENDER_BATCHING);
    if (batched) SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    Renderer = SDL_CreateRenderer(window, RenderDriverIndex("software"), SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    if (batched) SDL_ResetHint(SDL_HINT_RENDER_BATCHING);
    if (!Renderer || !StartRenderer()) {
      SysRendererDestroy();
      return false;
    }
  }
  const std::string line = std::string("Vorlumen: drawing with the ") + RendererName() + " renderer" +
                           (refused.empty() ? "" : " (" + refused + ")") + "\n";
  SysDebugOutput(line.c_str());
  return true;
}

void SysRendererDestroy() {
  SDL_DelEventWatch(WatchResets, nullptr);
  // Textures outlive the renderer as copies in memory; a new renderer
  // remakes them.
  for (SysTexture* t = LiveTextures; t; t = t->Next) KeepPixelsAside(t);
  if (BackBuffer) SDL_DestroyTexture(BackBuffer);
  BackBuffer = nullptr;
  if (LogicalBuffer) SDL_DestroyTexture(LogicalBuffer);
  LogicalBuffer = nullptr;
  PictureIsLogical = false;
  if (Renderer) SDL_DestroyRenderer(Renderer);
  Renderer = nullptr;
}

bool SysRendererReady() { return Renderer != nullptr; }

bool SysRendererSetBackBuffer(int scale) {
  if (!Renderer) return false;
  if (scale < 1) scale = 1;
  if (BackBuffer && scale == BackBufferScale) return true;
  return MakeBackBuffer(scale);
}

void SysRendererClear(std::uint32_t clearArgb) {
  if (!Renderer || !BackBuffer) return;
  PictureIsLogical = false;
  UsePictureTarget();
  const SDL_Color c = ColourOf(clearArgb);
  SDL_SetRenderDrawColor(Renderer, c.r, c.g, c.b, c.a);
  SDL_RenderClear(Renderer);
}

bool SysRendererClearLogical(std::uint32_t clearArgb) {
  if (!Renderer || !BackBuffer || !LogicalBuffer || PendingDeviceReset) return false;
  PictureIsLogical = true;
  UsePictureTarget();
  const SDL_Color c = ColourOf(clearArgb);
  SDL_SetRenderDrawColor(Renderer, c.r, c.g, c.b, c.a);
  SDL_RenderClear(Renderer);
  return true;
}

bool SysRendererIsLogical() { return PictureIsLogical; }

void SysRendererLeaveLogical() {
  if (!PictureIsLogical) return;
  PictureIsLogical = false;
  UsePictureTarget();
  SDL_RenderCopy(Renderer, LogicalBuffer, nullptr, nullptr);
}

void SysRendererFlush() {
  if (Renderer) SDL_RenderFlush(Renderer);
}

void SysRendererKeepWindowPicture(bool keep) {
  KeepWindowPicture = keep;
  if (!keep) std::vector<std::uint32_t>().swap(WindowPicture);
  WindowPictureWidth = WindowPictureHeight = 0;
}

bool SysRendererReadWindowPicture(std::vector<std::uint32_t>& argb, int& width, int& height) {
  argb = WindowPicture;
  width = WindowPictureWidth;
  height = WindowPictureHeight;
  return width > 0 && height > 0;
}

void SysRendererPresent() {
  if (!Renderer || !BackBuffer) return;
  // The rectangle is the window's: with a target bound the renderer would
  // give the target's size instead.
  SDL_SetRenderTarget(Renderer, nullptr);
  int width = 0, height = 0;
  SDL_GetRendererOutputSize(Renderer, &width, &height);
  const SysRect target = SysPlacePicture(width, height).Rect;
  // A logical frame goes to the window at once when it is shown at a whole
  // multiple of its size; else it is stretched as the back buffer would be.
  const bool wholeMultiple = target.W % 320 == 0 && target.H % 180 == 0 && target.W / 320 == target.H / 180;
  if (PictureIsLogical && !wholeMultiple) {
    SysRendererLeaveLogical();
    SDL_SetRenderTarget(Renderer, nullptr);
  }
  // Black around the picture, and nothing of an earlier frame anywhere
  // the window shows: the picture covers the rest itself.
  const SysBands bands = SysBandsAround(target, width, height);
  if (bands.Count > 0) {
    SDL_Rect rects[4];
    for (int i = 0; i < bands.Count; ++i) rects[i] = SDL_Rect{bands.Band[i].X, bands.Band[i].Y, bands.Band[i].W, bands.Band[i].H};
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_SetRenderDrawBlendMode(Renderer, SDL_BLENDMODE_NONE);
    SDL_RenderFillRects(Renderer, rects, bands.Count);
  }
  const SDL_Rect rect{target.X, target.Y, target.W, target.H};
  SDL_RenderCopy(Renderer, PictureTarget(), nullptr, &rect);
  if (KeepWindowPicture) {
    WindowPicture.resize(static_cast<std::size_t>(width) * height);
    const bool read = width > 0 && height > 0 &&
                      SDL_RenderReadPixels(Renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, WindowPicture.data(), width * 4) == 0;
    WindowPictureWidth = read ? width : 0;
    WindowPictureHeight = read ? height : 0;
  }
  SDL_RenderPresent(Renderer);
}

bool SysRendererReadBackBuffer(std::vector<std::uint32_t>& argb, int& width, int& height) {
  width = height = 0;
  argb.clear();
  if (!Renderer || !BackBuffer) return false;
  SysRendererLeaveLogical();
  int w = 0, h = 0;
  SDL_QueryTexture(BackBuffer, nullptr, nullptr, &w, &h);
  argb.resize(static_cast<std::size_t>(w) * h);
  UsePictureTarget();
  if (SDL_RenderReadPixels(Renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, argb.data(), w * 4) != 0) {
    argb.clear();
    return false;
  }
  width = w;
  height = h;
  return true;
}

void SysRendererNotifyReset(bool deviceLost) {
  if (deviceLost)
    PendingDeviceReset = true;
  else
    PendingTargetsReset = true;
}

bool SysRendererResetPending() { return PendingDeviceReset || PendingTargetsReset; }

bool SysRendererRestore() {
  if (!Renderer) return false;
  if (PendingDeviceReset) {
    // SDL's copies of the pixels outlive the device's textures.
    for (SysTexture* t = LiveTextures; t; t = t->Next)
      if (!KeepPixelsAside(t) || !GetPlain(t)) return false;
  }
  if (!MakeBackBuffer(BackBufferScale)) return false;
  PendingDeviceReset = PendingTargetsReset = false;
  return true;
}

SysTexture* SysCreateTexture(const std::uint32_t* argb, int size) {
  if (!argb || size <= 0 || size > 8192) return nullptr;
  SysTexture* t = new SysTexture;
  t->Size = size;
  t->Plain = MakeSdlTexture(argb, size, size, SDL_TEXTUREACCESS_STREAMING);
  if (!t->Plain) {
    delete t;
    return nullptr;
  }
  const std::size_t count = static_cast<std::size_t>(size) * size;
  t->WrapSize = size >= MinWrapSize ? size : size * (MinWrapSize / size);
  t->Uniform = std::all_of(argb, argb + count, [&](std::uint32_t p) { return p == argb[0]; });
  t->UniformArgb = argb[0];
  t->Opaque = std::all_of(argb, argb + count, [](std::uint32_t p) { return p >> 24 == 0xFFu; });
  t->Inked.assign((count + 63) / 64, 0);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t alpha = argb[i] >> 24;
    if (alpha == 0) continue;
    t->Inked[i / 64] |= std::uint64_t{1} << (i % 64);
    if (alpha == 0xFFu) continue;
    if (t->Soft.empty()) t->Soft.assign(t->Inked.size(), 0);
    t->Soft[i / 64] |= std::uint64_t{1} << (i % 64);
  }
  t->Next = LiveTextures;
  if (LiveTextures) LiveTextures->Prev = t;
  LiveTextures = t;
  return t;
}

void SysDestroyTexture(SysTexture* t) {
  if (!t) return;
  DestroyVariants(t);
  if (t->Plain) SDL_DestroyTexture(t->Plain);
  if (t->Prev) t->Prev->Next = t->Next;
  if (t->Next) t->Next->Prev = t->Prev;
  if (LiveTextures == t) LiveTextures = t->Next;
  delete t;
}

int SysTextureSize(const SysTexture* t) { return t ? t->Size : 0; }

bool SysTextureIsAll(const SysTexture* t, std::uint32_t argb) { return t && t->Uniform && t->UniformArgb == argb; }

bool SysTextureIsOpaque(const SysTexture* t) { return t && t->Opaque; }

bool SysTexelIsInked(const SysTexture* t, int x, int y) {
  if (!t || x < 0 || y < 0 || x >= t->Size || y >= t->Size) return false;
  const std::size_t i = static_cast<std::size_t>(y) * t->Size + x;
  return t->Inked[i / 64] >> (i % 64) & 1u;
}

namespace {
bool BlendFillExactly(const SysTexture* t, const SysQuad& q, SysBlend blend, SysColourOp op);
}  // namespace

void SysDrawQuad(SysTexture* texture, const SysQuad& quad, SysBlend blend, SysColourOp op,
                 std::uint32_t tintArgb) {
  // After a device reset the SDL textures are stale until restored.
  if (!Renderer || !BackBuffer || !texture || PendingDeviceReset) return;
  Pass passes[2];
  const int passCount = PassesOf(quad, blend, op, tintArgb, passes);
  SysQuad drawn = quad;
  SoftTexels soft = SoftTexels::Unknown;
  if (PictureIsLogical && !StaysLogical(texture, quad, passes, passCount, drawn, soft)) {
    drawn = quad;
    soft = SoftTexels::Unknown;
    SysRendererLeaveLogical();
  }
  // Decided after the path, so that the fill is blended in the pixels of
  // the target it lands on.
  if (BlendFillExactly(texture, drawn, blend, op)) return;
  UsePictureTarget();
  for (int i = 0; i < passCount; ++i) DrawTextured(texture, passes[i].White, drawn, passes[i].Argb, passes[i].Blend, soft);
}

namespace {

// What n layers make of every value of each channel; a gradient asks for
// the same few again every frame, so they are kept.
struct LayerCurves {
  std::uint32_t Argb = 0;
  SysBlendRule Rule = SysBlendRule::Over;
  int Layers = 0;
  SysLayerCurves Curves = {};
};
constexpr int KeptCurves = 64;
LayerCurves CurveCache[KeptCurves];
int NextCurve = 0;

const SysLayerCurves& CurvesFor(std::uint32_t argb, SysBlendRule rule, int layers) {
  for (const LayerCurves& c : CurveCache)
    if (c.Layers == layers && c.Argb == argb && c.Rule == rule) return c.Curves;
  LayerCurves& made = CurveCache[NextCurve];
  NextCurve = (NextCurve + 1) % KeptCurves;
  made.Argb = argb;
  made.Rule = rule;
  made.Layers = layers;
  SysMakeLayerCurves(argb, rule, layers, made.Curves);
  return made.Curves;
}

// Blends columns [left, right) of each run of rows of the picture so far
// through the curves of its layers, in one read and one write; false when
// its pixels cannot be had.
bool BlendRuns(int left, int right, const SysLayeredRows* runs, int count, std::uint32_t argb, SysBlendRule rule) {
  int width = 0, height = 0;
  SDL_QueryTexture(PictureTarget(), nullptr, nullptr, &width, &height);
  left = std::max(left, 0);
  right = std::min(right, width);
  int top = height, bottom = 0;
  for (int i = 0; i < count; ++i) {
    if (runs[i].Layers <= 0) continue;
    top = std::min(top, std::max(runs[i].Top, 0));
    bottom = std::max(bottom, std::min(runs[i].Bottom, height));
  }
  if (left >= right || top >= bottom) return true;

  static std::vector<std::uint32_t> pixels;
  const SDL_Rect area{left, top, right - left, bottom - top};
  pixels.resize(static_cast<std::size_t>(area.w) * area.h);
  UsePictureTarget();
  // Reading flushes every queued draw first, so the rows are as drawn so far.
  if (SDL_RenderReadPixels(Renderer, &area, SDL_PIXELFORMAT_ARGB8888, pixels.data(), area.w * 4) != 0) return false;
  for (int i = 0; i < count; ++i) {
    const int from = std::max(runs[i].Top, top), to = std::min(runs[i].Bottom, bottom);
    if (runs[i].Layers <= 0 || from >= to) continue;
    const SysLayerCurves& c = CurvesFor(argb, rule, runs[i].Layers);
    for (int y = from; y < to; ++y) SysApplyLayerCurves(c, &pixels[static_cast<std::size_t>(y - top) * area.w], area.w);
  }
  SDL_UpdateTexture(PictureTarget(), &area, pixels.data(), area.w * 4);
  return true;
}

// Translucent fills (a white picture in the quad's colour) are what a
// frame stacks: shades, window backgrounds, fades. SDL's software blitter
// rounds each of them down, so the software renderer blends them itself,
// as a GPU does. An upright fill on whole pixels only; false when SDL is
// to draw the quad.
bool BlendFillExactly(const SysTexture* t, const SysQuad& q, SysBlend blend, SysColourOp op) {
  if (!SoftwareRenderer || !t->Uniform || t->UniformArgb != 0xFFFFFFFFu || op == SysColourOp::Mix) return false;
  std::uint32_t argb = q.Argb;
  const std::uint32_t a = argb >> 24;
  if (blend == SysBlend::Opaque || (blend != SysBlend::OneOne && (a == 0 || a == 255))) return false;
  const float left = std::min(q.X[0], q.X[1]), right = std::max(q.X[0], q.X[1]);
  const float top = std::min(q.Y[0], q.Y[2]), bottom = std::max(q.Y[0], q.Y[2]);
  const bool upright = q.X[2] == q.X[0] && q.X[3] == q.X[1] && q.Y[1] == q.Y[0] && q.Y[3] == q.Y[2];
  if (!upright || !Whole(left) || !Whole(right) || !Whole(top) || !Whole(bottom)) return false;
  const SysBlendRule rule = blend == SysBlend::Alpha ? SysBlendRule::Over : SysBlendRule::Add;
  // One/one adds the colour whatever its alpha.
  if (blend == SysBlend::OneOne) argb |= 0xFF000000u;
  const SysLayeredRows run{static_cast<int>(top), static_cast<int>(bottom), 1};
  return BlendRuns(static_cast<int>(left), static_cast<int>(right), &run, 1, argb, rule);
}

}  // namespace

bool SysBlendLayeredRows(int left, int right, const SysLayeredRows* runs, int count, std::uint32_t argb,
                         SysBlend blend) {
  if (!Renderer || !BackBuffer || PendingDeviceReset) return true;
  if (!SoftwareRenderer || blend == SysBlend::Opaque) return false;
  // Blended as a GPU blends them; one/one adds the colour whatever its alpha.
  const SysBlendRule rule = blend == SysBlend::Alpha ? SysBlendRule::Over : SysBlendRule::Add;
  if (blend == SysBlend::OneOne) argb |= 0xFF000000u;
  return BlendRuns(left, right, runs, count, argb, rule);
}

