#include "system/SysPicture.h"

#include <algorithm>

int SysLargestScaleIn(int width, int height) {
  int k = 1;
  while (320 * (k + 1) <= width && 180 * (k + 1) <= height) ++k;
  return k;
}

SysPicturePlace SysPlacePicture(int outputWidth, int outputHeight) {
  SysPicturePlace place;
  if (outputWidth <= 0 || outputHeight <= 0) return place;
  int w = 0, h = 0;
  if (outputWidth >= 320 && outputHeight >= 180) {
    place.Scale = SysLargestScaleIn(outputWidth, outputHeight);
    w = 320 * place.Scale;
    h = 180 * place.Scale;
  } else if (static_cast<long long>(outputWidth) * 9 <= static_cast<long long>(outputHeight) * 16) {
    // Smaller than one scale: shrunk, as wide as the window.
    w = outputWidth;
    h = std::max(1, static_cast<int>(static_cast<long long>(outputWidth) * 9 / 16));
  } else {
    h = outputHeight;
    w = std::max(1, static_cast<int>(static_cast<long long>(outputHeight) * 16 / 9));
  }
  place.Rect = SysRect{(outputWidth - w) / 2, (outputHeight - h) / 2, w, h};
  return place;
}

SysBands SysBandsAround(const SysRect& rect, int outputWidth, int outputHeight) {
  SysBands bands;
  const auto add = [&bands](int x, int y, int w, int h) {
    if (w > 0 && h > 0) bands.Band[bands.Count++] = SysRect{x, y, w, h};
  };
  const int top = std::clamp(rect.Y, 0, outputHeight);
  const int bottom = std::clamp(rect.Y + rect.H, top, outputHeight);
  const int left = std::clamp(rect.X, 0, outputWidth);
  const int right = std::clamp(rect.X + rect.W, left, outputWidth);
  add(0, 0, outputWidth, top);
  add(0, bottom, outputWidth, outputHeight - bottom);
  add(0, top, left, bottom - top);
  add(right, top, outputWidth - right, bottom - top);
  return bands;
}

long long SysFloorDivide(long long value, long long divisor) {
  const long long quotient = value / divisor;
  return value % divisor != 0 && (value < 0) != (divisor < 0) ? quotient - 1 : quotient;
}

void SysMapPointThroughRect(const SysRect& rect, int pictureWidth, int pictureHeight, int& x, int& y) {
  if (rect.W <= 0 || rect.H <= 0) return;
  x = static_cast<int>(SysFloorDivide(static_cast<long long>(x - rect.X) * pictureWidth, rect.W));
  y = static_cast<int>(SysFloorDivide(static_cast<long long>(y - rect.Y) * pictureHeight, rect.H));
}

SysPoint SysPlaceClient(const SysRect& usable, const SysBorders& borders, int width, int height) {
  // Along one axis: centred, then the far edge of the frame inside, then
  // the near edge, which wins.
  const auto along = [](int start, int room, int before, int after, int size) {
    const int centred = start + (room - size) / 2;
    return std::max(std::min(centred, start + room - after - size), start + before);
  };
  return SysPoint{along(usable.X, usable.W, borders.Left, borders.Right, width),
                  along(usable.Y, usable.H, borders.Top, borders.Bottom, height)};
}

int SysDisplayOf(const SysRect& client, const SysRect* displays, int count) {
  int best = -1;
  long long bestArea = 0;
  for (int i = 0; i < count; ++i) {
    const SysRect& d = displays[i];
    const long long w = std::max(0, std::min(client.X + client.W, d.X + d.W) - std::max(client.X, d.X));
    const long long h = std::max(0, std::min(client.Y + client.H, d.Y + d.H) - std::max(client.Y, d.Y));
    if (w * h > bestArea) {
      best = i;
      bestArea = w * h;
    }
  }
  return best;
}
