#include "output/print/flood_fill.h"

#include <vector>

namespace {

struct Seed {
  int x;
  int y;
};

}  // namespace

void flood_fill_area(QImage& image, int x, int y, QRgb colour, const QRect& clip) {
  QRect area = clip.intersected(image.rect());
  if (!area.contains(x, y)) return;
  if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
    image.convertTo(QImage::Format_RGB32);
  auto pixel = [&](int px, int py) -> QRgb& { return reinterpret_cast<QRgb*>(image.scanLine(py))[px]; };
  QRgb target = pixel(x, y);
  colour |= 0xff000000u;
  if (target == colour) return;

  std::vector<Seed> seeds{{x, y}};
  while (!seeds.empty()) {
    Seed seed = seeds.back();
    seeds.pop_back();
    if (pixel(seed.x, seed.y) != target) continue;
    int left = seed.x;
    while (left > area.left() && pixel(left - 1, seed.y) == target) --left;
    int right = seed.x;
    while (right < area.right() && pixel(right + 1, seed.y) == target) ++right;
    for (int px = left; px <= right; ++px) pixel(px, seed.y) = colour;
    // One seed per run of the target colour in the rows above and below.
    for (int row : {seed.y - 1, seed.y + 1}) {
      if (row < area.top() || row > area.bottom()) continue;
      bool in_run = false;
      for (int px = left; px <= right; ++px) {
        bool matches = pixel(px, row) == target;
        if (matches && !in_run) seeds.push_back({px, row});
        in_run = matches;
      }
    }
  }
}
