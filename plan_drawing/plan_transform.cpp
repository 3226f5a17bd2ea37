#include "plan_drawing/plan_transform.h"

#include <algorithm>
#include <cstdint>

#include "model/base/rounding.h"

namespace {

// Pixel coordinates are kept well inside int and inside what the painter's
// fixed-point rasteriser takes; a point this far out is off any view anyway.
constexpr std::int64_t kPixelLimit = 1 << 24;

int to_pixel(double value) { return static_cast<int>(std::clamp(Round(value), -kPixelLimit, kPixelLimit)); }

}  // namespace

QPoint plan_to_screen(const PlanTransform& t, double x, double y) {
  return {to_pixel(t.origin_x + t.scale * x), to_pixel(t.origin_y - t.scale * y)};
}

QPoint plan_to_screen(const PlanTransform& t, const Tvec2& p) { return plan_to_screen(t, p.x, p.y); }

Tvec2 screen_to_plan(const PlanTransform& t, int X, int Y) {
  return {(X - t.origin_x) / t.scale, (t.origin_y - Y) / t.scale};
}

QPoint lay_off(const PlanTransform& t, QPoint from, double a, double b) {
  return {to_pixel(from.x() + static_cast<double>(Round(a * t.scale))),
          to_pixel(from.y() - static_cast<double>(Round(b * t.scale)))};
}
