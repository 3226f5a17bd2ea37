#include "output/print/cell_plan_drawing.h"

#include <algorithm>
#include <vector>

#include "model/base/cell_extents.h"
#include "model/base/rounding.h"
#include "model/base/wall_faces.h"
#include "model/quote/module_template.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"
#include "output/print/page_text.h"
#include "output/print/plan_painter.h"
#include "plan_drawing/cell_plan.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

// The page's painter, with the layers only the page draws: the captions
// under the plan and the grey wall band.
class CellPlan : public PagePlanPainter {
 public:
  CellPlan(PageContext& page, const Tcell& cell, const PlanSlot& slot)
      : PagePlanPainter(page, slot, cell),
        style_(page_plan_style(page, structure() ? lang_text(structure()->module_text) : std::string())),
        extents_(compute_cell_extents(cell)),
        outer_(closed_wall_faces(cell, cell.wall_thickness)) {}

  void draw() { draw_cell_plan(*this, cell, style_); }

  void draw_own_layer(PlanLayer layer, const Tcell&) override {
    if (layer == PlanLayer::Captions) draw_captions();
    if (layer == PlanLayer::WallBand) fill_wall_band();
  }

 private:
  // Centred under the plan. A line wider than its slot less 2 mm on each side
  // is drawn smaller, then cut: the first slot begins at the sheet's edge,
  // 1 mm before the page frame, and neighbouring lines keep 4 mm apart.
  void caption_line(int y, const std::string& text) {
    const int left = slot.left + page.px_x(2);
    const int room = slot.width - 2 * page.px_x(2);
    const PageFont font = fit_font(canvas(), text, room, TextFit::Readable);
    const int width = canvas().text_width(text);
    if (width > room)
      canvas().text_out_cut(left, y, text, left + room);
    else
      canvas().text_out(rounded(slot.left + slot.width / 2.0 - width / 2.0), y, text);
    canvas().set_font(font);
  }

  void draw_captions() {
    PageFont font = page.print_font;
    font.height = std::max(rounded(2.0 * font.height / 3), 1);
    canvas().set_font(font);
    canvas().set_brush(qRgb(255, 255, 255), false);
    double bottom = extents_[3] - cell.wall_thickness;
    int y0 = at(0, bottom - 500 - 150).y();
    // On a small scale the name, 4 mm above the anchor, would stand among the
    // wall dimensions (their outer row and its extension lines end 430 mm
    // below the wall), whose text boxes then blank it: the lines move down.
    int clear_of_dimensions = at(0, bottom - 430).y() + 1;
    y0 += std::max(clear_of_dimensions - (y0 - page_mm(4)), 0);
    caption_line(y0 - page_mm(4), cell.name);
    const Tstructure_type* type = structure();
    if (!page.options.extended_description || type == nullptr) return;
    if (page.options.columns > 1) canvas().set_font(PageFont{std::max(font.height / 2, 1), false});
    caption_line(y0, lang_text(type->long_text));
    caption_line(y0 + page_mm(4), expand_module_template(lang_text(type->detail_text), cell));
    if (!cell.compact_groups.empty()) {
      caption_line(y0 + page_mm(8), lang_text(text::compact_description_1));
      caption_line(y0 + page_mm(12), lang_text(text::compact_description_2));
    }
  }

  // Greys the band between the walls and their outer faces, split at the
  // openings. Only on grids coarse enough for the band to show, and only for a
  // closed outline: a seed outside a closed band would flood the page.
  void fill_wall_band() {
    const PrintOptions& options = page.options;
    bool coarse = (options.rows <= 2 && options.columns <= 2) || (options.rows == 3 && options.columns == 1);
    if (!coarse || !cell.outline_closed || cell.walls.empty()) return;
    std::vector<Tvec2> seeds;
    std::size_t n = cell.walls.size();
    for (std::size_t i = 0; i < n; ++i) {
      if (cell.walls[i].kind == 1) continue;
      std::size_t j = i + 1 < n ? i + 1 : i;
      seeds.push_back(band_seed(j));
    }
    if (seeds.empty() && n > 1) seeds.push_back(band_seed(0));
    QRect clip(slot.left, slot.top, slot.width, slot.height);
    canvas().set_brush(qRgb(0xC0, 0xC0, 0xC0));
    for (const Tvec2& seed : seeds) {
      const QPoint pixel = at(seed);
      const QImage* image = canvas().image();
      if (image == nullptr || !image->valid(pixel) || image->pixel(pixel) != qRgb(255, 255, 255)) continue;
      canvas().flood_fill(pixel.x(), pixel.y(), clip);
    }
  }

  Tvec2 band_seed(std::size_t wall) const {
    const Tlinea& w = cell.walls[wall];
    return {(w.x2 + outer_[wall].end.x) / 2, (w.y2 + outer_[wall].end.y) / 2};
  }

  PlanStyle style_;
  Textents extents_;
  std::vector<WallFace> outer_;
};

}  // namespace

void draw_cell_plan(PageContext& page, const Tcell& cell, const PlanSlot& slot) { CellPlan(page, cell, slot).draw(); }
