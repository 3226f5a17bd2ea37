#include "editor/plan/plan_selection.h"

#include "editor/plan/plan_hit_tests.h"

namespace {

RubberBand band_of(const std::array<int, 4>& band) { return {QPoint(band[0], band[1]), QPoint(band[2], band[3])}; }

// The outline of a module on screen, corners in order round it: length along
// x and width along y for 'H', the other way round otherwise.
std::array<QPoint, 4> module_corners(const PlanTransform& t, double x, double y, double length, double width,
                                     char orientation) {
  const double hx = (orientation == 'H' ? length : width) / 2;
  const double hy = (orientation == 'H' ? width : length) / 2;
  return {plan_to_screen(t, x - hx, y - hy), plan_to_screen(t, x + hx, y - hy), plan_to_screen(t, x + hx, y + hy),
          plan_to_screen(t, x - hx, y + hy)};
}

template <class Module>
bool module_pending(const PlanTransform& t, const Module& m, const std::array<int, 4>& band, QPoint pointer) {
  if (band[0] < 0) return module_hovered(plan_to_screen(t, m.x, m.y), pointer);
  return module_caught(module_corners(t, m.x, m.y, m.length, m.width, m.orientation), band_of(band));
}

}  // namespace

void mark_pending_walls(Tcell& cell, const PlanTransform& t, const std::array<int, 4>& band, QPoint pointer) {
  for (Tlinea& wall : cell.walls) {
    const QPoint p1 = plan_to_screen(t, wall.x1, wall.y1), p2 = plan_to_screen(t, wall.x2, wall.y2);
    wall.selected2 = band[0] < 0 ? wall_hovered(p1, p2, pointer) : wall_caught(p1, p2, wall.orientation, band_of(band));
  }
}

void mark_pending_modules(Tcell& cell, const PlanTransform& t, const std::array<int, 4>& band, QPoint pointer) {
  for (Tlinea& wall : cell.walls) {
    for (Tmodulo& bay : wall.modules) bay.selected2 = module_pending(t, bay, band, pointer);
  }
  for (Tmodulo_agg& module : cell.free_modules) module.selected2 = module_pending(t, module, band, pointer);
}
