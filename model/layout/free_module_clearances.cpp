#include "model/layout/free_module_clearances.h"

#include <cmath>

#include "model/base/rounding.h"
#include "model/layout/cell_walls.h"
#include "model/layout/module_lengths.h"
#include "model/state/current_cell.h"

namespace {

// Lowers a clearance to g when g is smaller.
void lower(double& clearance, double g) {
  if (g < clearance) clearance = g;
}

// A wall or bay to the south (dy > 0) or north (dy < 0) of the module.
void lower_north_south(Tmodulo_agg& m, double dy, double g) {
  if (dy > 0) lower(m.clear_s, g);
  if (dy < 0) lower(m.clear_n, g);
}

// A wall or bay to the west (dx > 0) or east (dx < 0) of the module.
void lower_east_west(Tmodulo_agg& m, double dx, double g) {
  if (dx < 0) lower(m.clear_e, g);
  if (dx > 0) lower(m.clear_o, g);
}

bool strictly_between(double v, double a, double b) { return (a < v && v < b) || (b < v && v < a); }

void measure_walls(Tmodulo_agg& m, const Tcell& cell) {
  for (const Tlinea& wall : cell.walls) {
    const double dx = m.x - (wall.x1 + wall.x2) / 2;
    const double dy = m.y - (wall.y1 + wall.y2) / 2;
    if (wall.orientation == 'H' && strictly_between(m.x, wall.x1, wall.x2)) {
      lower_north_south(m, dy, std::fabs(dy) - m.extent_y / 2);
      for (const Tmodulo& bay : wall.modules) {
        const double bay_dy = m.y - bay.y;
        lower_north_south(m, bay_dy, std::fabs(bay_dy) - m.extent_y / 2 - bay.width / 2);
      }
    } else if (wall.orientation == 'V' && strictly_between(m.y, wall.y1, wall.y2)) {
      lower_east_west(m, dx, std::fabs(dx) - m.extent_x / 2);
      for (const Tmodulo& bay : wall.modules) {
        const double bay_dx = m.x - bay.x;
        lower_east_west(m, bay_dx, std::fabs(bay_dx) - m.extent_x / 2 - bay.width / 2);
      }
    }
  }
}

// Half spans of a free module along x and y.
double half_span_x(const Tmodulo_agg& f) { return f.plan_extent().x / 2; }
double half_span_y(const Tmodulo_agg& f) { return f.plan_extent().y / 2; }

// Gap g to another module's face, applied when 0 < g and g is below the
// current value; along a module's length the other module's end upright and
// its gap are not free.
void apply_module_gap(double& clearance, double g, bool along_length) {
  if (g > 0 && g < clearance) clearance = along_length ? g - (kUprightWidth + kUprightGap) : g;
}

void measure_modules(Tmodulo_agg& m, const Tcell& cell) {
  for (const Tmodulo_agg& f : cell.free_modules) {
    if (std::fabs(f.x - m.x) <= 0.001 && std::fabs(f.y - m.y) <= 0.001) continue;  // itself, or stacked on it
    const bool within_x = std::fabs(m.x - f.x) <= half_span_x(f);
    const bool within_y = std::fabs(m.y - f.y) <= half_span_y(f);
    if (!within_x && !within_y) continue;
    const double dx = m.x - f.x;
    const double dy = m.y - f.y;
    const bool along_y = f.orientation == 'V';
    const double gy = std::fabs(dy) - m.extent_y / 2 - half_span_y(f);
    const double gx = std::fabs(dx) - m.extent_x / 2 - half_span_x(f);
    if (dy > 0) apply_module_gap(m.clear_s, gy, along_y);
    if (dy < 0) apply_module_gap(m.clear_n, gy, along_y);
    if (dx < 0) apply_module_gap(m.clear_e, gx, !along_y);
    if (dx > 0) apply_module_gap(m.clear_o, gx, !along_y);
  }
}

double to_one_decimal(double clearance) {
  if (clearance == kNoClearance) return 0.0;
  return static_cast<double>(Round(clearance * 10)) / 10;
}

}  // namespace

void compute_free_module_clearances(Tmodulo_agg& m) {
  m.clear_n = m.clear_s = m.clear_e = m.clear_o = kNoClearance;
  m.fit_plan_extent();
  const Tcell& cell = current_cell();
  measure_walls(m, cell);
  measure_modules(m, cell);
  m.clear_n = to_one_decimal(m.clear_n);
  m.clear_s = to_one_decimal(m.clear_s);
  m.clear_e = to_one_decimal(m.clear_e);
  m.clear_o = to_one_decimal(m.clear_o);
}
