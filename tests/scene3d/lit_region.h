// Where a captured frame is lit: the bounds and count of its pixels that are not black.
#pragma once

#include <QImage>
#include <algorithm>

struct LitRegion {
  int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1, count = 0;
  int Width() const { return right - left + 1; }
  int Height() const { return bottom - top + 1; }
  double Fill() const { return static_cast<double>(count) / (static_cast<double>(Width()) * Height()); }
};

inline bool IsLit(const QImage& picture, int x, int y) { return (picture.pixel(x, y) & 0xFFFFFF) != 0; }

inline LitRegion LitRegionOf(const QImage& picture) {
  LitRegion r;
  for (int y = 0; y < picture.height(); ++y)
    for (int x = 0; x < picture.width(); ++x)
      if (IsLit(picture, x, y)) {
        r.left = std::min(r.left, x), r.right = std::max(r.right, x);
        r.top = std::min(r.top, y), r.bottom = std::max(r.bottom, y);
        ++r.count;
      }
  return r;
}
