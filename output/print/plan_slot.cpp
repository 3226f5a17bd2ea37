#include "output/print/plan_slot.h"

#include <algorithm>

#include "model/base/rounding.h"
#include "output/print/page_size.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

}  // namespace

SlotGrid slot_grid(int W, int H, int rows, int columns, bool pictures) {
  double px_per_mm_x = W / kPageWidthMm;
  double px_per_mm_y = H / kPageHeightMm;
  SlotGrid grid;
  grid.slot_width = rounded((W - 2 * px_per_mm_x) / std::max(columns, 1));
  grid.slot_height = rounded((H - 46 * px_per_mm_y) / std::max(rows, 1));
  grid.plan_height = pictures ? grid.slot_height / 2 : grid.slot_height;
  return grid;
}

QPoint slot_origin(const SlotGrid& grid, double px_per_mm_y, int row, int column) {
  return {grid.slot_width * column, rounded(45 * px_per_mm_y) + grid.slot_height * row};
}

double common_plan_scale(const Tcells& cells, int slot_width, int available_height) {
  bool any_wall = false;
  double max_x = 0, min_x = 0, max_y = 0, min_y = 0;
  double thickest = 0;
  for (const Tcell& cell : cells) {
    thickest = std::max(thickest, cell.wall_thickness);
    for (const Tlinea& wall : cell.walls) {
      if (!any_wall) {
        max_x = min_x = wall.x1;
        max_y = min_y = wall.y1;
        any_wall = true;
      }
      max_x = std::max({max_x, wall.x1, wall.x2});
      min_x = std::min({min_x, wall.x1, wall.x2});
      max_y = std::max({max_y, wall.y1, wall.y2});
      min_y = std::min({min_y, wall.y1, wall.y2});
    }
  }
  double margin = thickest + 750;  // 250 mm plus five 100 mm steps
  double span_x = max_x - min_x + 2 * margin;
  double span_y = max_y - min_y + 2 * margin;
  double sx = span_x != 0 ? slot_width / span_x : 1.0;
  double sy = span_y != 0 ? available_height / span_y : 1.0;
  return 0.95 * std::min(sx, sy);
}

PlanTransform slot_transform(const PlanSlot& slot) {
  return {slot.scale, slot.left + slot.width / 2.0, slot.top + (slot.height - slot.text_band) / 2.0};
}

QPoint plan_to_page(const PlanSlot& slot, double x, double y) { return plan_to_screen(slot_transform(slot), x, y); }
