#include "editor/plan/plan_hit_tests.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/base/rounding.h"

namespace {

constexpr int kHoverReach = 8;

bool inside(QPoint p, const RubberBand& band) {
  return p.x() >= band.left() && p.x() <= band.right() && p.y() >= band.top() && p.y() <= band.bottom();
}

bool spans_overlap(int a0, int a1, int b0, int b1) {
  return std::max(std::min(a0, a1), b0) <= std::min(std::max(a0, a1), b1);
}

// A horizontal or vertical side touching the band, ends included.
bool side_touches(QPoint a, QPoint b, bool horizontal, const RubberBand& band) {
  if (horizontal)
    return a.y() >= band.top() && a.y() <= band.bottom() && spans_overlap(a.x(), b.x(), band.left(), band.right());
  return a.x() >= band.left() && a.x() <= band.right() && spans_overlap(a.y(), b.y(), band.top(), band.bottom());
}

}  // namespace

bool wall_hovered(QPoint p1, QPoint p2, QPoint pointer) {
  const std::int64_t x1 = p1.x(), y1 = p1.y(), x2 = p2.x(), y2 = p2.y();
  const std::int64_t px = pointer.x(), py = pointer.y();
  const double slope = x1 == x2 ? 0.0 : static_cast<double>(y2 - y1) / static_cast<double>(x2 - x1);
  // Only columns closer than the reach can hit, so at most 15 of them are looked at.
  const std::int64_t first = std::max(std::min(x1, x2), px - kHoverReach + 1);
  const std::int64_t last = std::min(std::max(x1, x2), px + kHoverReach - 1);
  for (std::int64_t c = first; c <= last; ++c) {
    const std::int64_t row = y1 + Round(static_cast<double>(c - x1) * slope);
    const std::int64_t dx = px - c, dy = py - row;
    if (dx * dx + dy * dy < kHoverReach * kHoverReach) return true;
  }
  return x1 == x2 && std::abs(px - x1) < kHoverReach && py > std::min(y1, y2) && py < std::max(y1, y2);
}

bool module_hovered(QPoint centre, QPoint pointer) {
  const std::int64_t dx = pointer.x() - centre.x(), dy = pointer.y() - centre.y();
  return dx * dx + dy * dy <= 16 * 16;
}

bool wall_caught(QPoint p1, QPoint p2, char orientation, const RubberBand& band) {
  if (band.window()) return inside(p1, band) && inside(p2, band);
  return side_touches(p1, p2, orientation == 'H', band);
}

bool module_caught(const std::array<QPoint, 4>& corners, const RubberBand& band) {
  if (band.window()) return inside(corners[0], band) && inside(corners[2], band);
  for (std::size_t i = 0; i < corners.size(); ++i) {
    const QPoint a = corners[i], b = corners[(i + 1) % corners.size()];
    if (side_touches(a, b, a.y() == b.y(), band)) return true;
  }
  return false;
}
