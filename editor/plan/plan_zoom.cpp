#include "editor/plan/plan_zoom.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

namespace {

void widen(std::array<double, 4>& box, double x, double y) {
  if (x > box[0]) box[0] = x;
  if (x < box[1]) box[1] = x;
  if (y > box[2]) box[2] = y;
  if (y < box[3]) box[3] = y;
}

}  // namespace

PlanTransform view_transform(const Tvar_amb& state, int width, int height) {
  // Zoom and fit keep the zoom in range; the clamp only guards screen_to_plan
  // against a zoom that never went through them.
  const double scale = std::isnan(state.zoom) ? 1.0 : std::clamp(state.zoom, kMinPlanZoom, kMaxPlanZoom);
  return {scale, width / 2.0 + state.pan_x, height / 2.0 + state.pan_y};
}

void zoom_view(Tvar_amb& state, double f) {
  const double k = 1.0 + f;
  if (!(k > 0.0)) return;  // a drag of 400 px or more in one move would flip or kill the zoom
  const double zoom = std::clamp(std::abs(state.zoom * k), kMinPlanZoom, kMaxPlanZoom);
  // The clamp may cut the factor; a zoom that was never valid leaves the pan alone.
  const double applied = state.zoom > 0.0 ? zoom / state.zoom : 1.0;
  state.pan_x *= applied;
  state.pan_y *= applied;
  state.zoom = zoom;
}

void fit_view(Tvar_amb& state, const Tcells& cells, int width, int height, int margin) {
  std::array<double, 4>& all_cells = state.cell_extents;
  std::array<double, 4>& current = state.all_extents;
  all_cells = {0, 0, 0, 0};
  current = {0, 0, 0, 0};
  for (std::size_t c = 0; c < cells.size(); ++c) {
    if (!cells[c].walls.empty()) {
      const Tlinea& first = cells[c].walls.front();
      all_cells = {first.x1, first.x1, first.y1, first.y1};
    }
    if (static_cast<int>(c) == state.current_cell) current = all_cells;
  }
  for (std::size_t c = 0; c < cells.size(); ++c) {
    for (const Tlinea& wall : cells[c].walls) {
      widen(all_cells, wall.x1, wall.y1);
      widen(all_cells, wall.x2, wall.y2);
      if (static_cast<int>(c) == state.current_cell) {
        widen(current, wall.x1, wall.y1);
        widen(current, wall.x2, wall.y2);
      }
    }
  }
  for (std::array<double, 4>* box : {&all_cells, &current}) {
    (*box)[0] += 600;
    (*box)[1] -= 600;
    (*box)[2] += 600;
    (*box)[3] -= 600;
  }
  if (width <= 0 || height <= 0) return;
  const double sx = width / (all_cells[0] - all_cells[1]);
  const double sy = height / (all_cells[2] - all_cells[3]);
  state.zoom = std::clamp((1.0 - margin / 100.0) * std::min(sy, sx), kMinPlanZoom, kMaxPlanZoom);
  state.pan_x = -state.zoom * (current[0] + current[1]) / 2.0;
  state.pan_y = state.zoom * (current[2] + current[3]) / 2.0;
}
