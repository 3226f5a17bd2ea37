#include "output/print/cell_pages.h"

#include <algorithm>

#include "model/base/rounding.h"
#include "model/state/globals.h"
#include "output/print/cell_plan_drawing.h"
#include "output/print/page_pipeline.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

void draw_picture(PageContext& page, const SlotGrid& grid, int row, int column, const Tpicture& picture) {
  QImage image(picture.rgb.data(), picture.width, picture.height, picture.width * 3, QImage::Format_RGB888);
  page.canvas().stretch_draw(picture_rect(grid, page.px_per_mm_y, row, column, picture.width, picture.height), image);
}

}  // namespace

bool has_picture(const Tcell& cell) {
  return cell.picture && cell.picture->width > 0 && cell.picture->height > 0 &&
         cell.picture->rgb.size() >= static_cast<std::size_t>(cell.picture->width) * cell.picture->height * 3;
}

void compute_plan_scale(PageContext& page, int slot_width, int slot_height) {
  page.canvas().set_font(page.print_font);
  page.plan_text_band = 2 * rounded(5.5 * page.px_per_mm_y);
  page.plan_scale = common_plan_scale(Cells, slot_width, slot_height - page.plan_text_band);
}

QRect picture_rect(const SlotGrid& grid, double px_per_mm_y, int row, int column, int pw, int ph) {
  double k = 0.9 * std::min(static_cast<double>(grid.slot_width) / pw, static_cast<double>(grid.plan_height) / ph);
  double x = grid.slot_width * (column + 0.5);
  double y = 45 * px_per_mm_y + grid.slot_height * (row + 0.75);
  int left = rounded(x - pw * k / 2);
  int top = rounded(y - ph * k / 2);
  int right = rounded(pw * k + left);
  int bottom = rounded(ph * k + top);
  return QRect(left, top, right - left, bottom - top);
}

void draw_cell_pages(PageContext& page, int W, int H, int mode) {
  page.first_drawing_page = page.last_page_index;
  const PrintOptions& options = page.options;
  SlotGrid grid = slot_grid(W, H, options.rows, options.columns, options.pictures);
  compute_plan_scale(page, grid.slot_width, grid.plan_height);

  int row = 0;
  int column = 0;
  for (std::size_t i = 0; i < Cells.size(); ++i) {
    QPoint origin = slot_origin(grid, page.px_per_mm_y, row, column);
    PlanSlot slot{origin.x(), origin.y(), grid.slot_width, grid.plan_height, page.plan_scale, page.plan_text_band};
    draw_cell_plan(page, Cells[i], slot);
    if (options.pictures && has_picture(Cells[i])) draw_picture(page, grid, row, column, *Cells[i].picture);
    if (i + 1 == Cells.size()) break;
    if (++column >= options.columns) {
      column = 0;
      if (++row >= options.rows) {
        row = 0;
        start_new_page(page, W, H, mode, page.print_font);
      }
    }
  }
}
