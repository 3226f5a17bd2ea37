#include "output/print/cell_plan_drawing.h"

#include <algorithm>
#include <vector>

#include "model/base/cell_extents.h"
#include "model/base/rounding.h"
#include "model/base/wall_faces.h"
#include "model/quote/load_labels.h"
#include "model/quote/module_template.h"
#include "model/state/globals.h"
#include "model/text/lang_text.h"
#include "output/print/plan_painter.h"
#include "plan_drawing/cell_plan_layers.h"
#include "plan_drawing/plan_dimensions.h"
#include "plan_drawing/plan_shapes.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

class CellPlan {
 public:
  CellPlan(PageContext& page, const Tcell& cell, const PlanSlot& slot)
      : plan_(page, slot, cell),
        style_(page_plan_style(page)),
        cell_(plan_.cell),
        extents_(compute_cell_extents(cell_)),
        outer_(closed_wall_faces(cell_, cell_.wall_thickness)) {}

  void draw() {
    draw_wall_faces(plan_, cell_, style_);
    for (std::size_t i = 0; i < cell_.walls.size(); ++i) draw_wall_run(cell_.walls[i], outer_[i]);
    draw_captions();
    fill_wall_band();
    draw_wall_dimensions(plan_, cell_, extents_, style_);
    draw_bay_captions();
    draw_free_modules(plan_, style_);
    draw_compact_groups(plan_, cell_, style_);
  }

 private:
  PageCanvas& canvas() { return plan_.canvas(); }
  int pen_for(const Tlinea& wall) const { return wall.kind == 1 ? plan_.page.pen_thick : plan_.page.pen_thin; }

  void draw_end_frame(const Ttestata& frame) {
    ::draw_end_frame(plan_, frame.x, frame.y, frame.depth, frame.orientation, style_.wall_frames);
    canvas().set_brush(qRgb(255, 255, 255));
  }

  void draw_wall_run(const Tlinea& wall, const WallFace& outer) {
    canvas().set_pen_width(plan_.page.pen_thin);
    canvas().set_pen_colour(qRgb(0, 0, 0));
    for (const Tmodulo& bay : wall.modules) plan_.bay_figure(bay.x, bay.y, bay.length, bay.width, bay.orientation);
    for (const Ttestata& frame : wall.end_frames) draw_end_frame(frame);
    canvas().set_pen_colour(qRgb(0, 0, 0));
    canvas().set_pen_width(pen_for(wall));
    Tvec2 start{wall.x1, wall.y1};
    Tvec2 end{wall.x2, wall.y2};
    plan_.line(start, end);
    if (wall.kind != 1) {
      canvas().set_pen_width(plan_.page.pen_thick);
      plan_.line(start, outer.start);
      plan_.line(end, outer.end);
    }
  }

  void caption_line(int y, const std::string& text) {
    const PlanSlot& slot = plan_.slot;
    canvas().text_out(rounded(slot.left + slot.width / 2.0 - canvas().text_width(text) / 2.0), y, text);
  }

  void draw_captions() {
    PageFont font = plan_.page.print_font;
    font.height = std::max(rounded(2.0 * font.height / 3), 1);
    canvas().set_font(font);
    canvas().set_brush(qRgb(255, 255, 255), false);
    double bottom = extents_[3] - cell_.wall_thickness;
    int y0 = plan_.at(0, bottom - 500 - 150).y();
    // On a small scale the name, 4 mm above the anchor, would stand among the
    // wall dimensions (their outer row and its extension lines end 430 mm
    // below the wall), whose text boxes then blank it: the lines move down.
    int clear_of_dimensions = plan_.at(0, bottom - 430).y() + 1;
    y0 += std::max(clear_of_dimensions - (y0 - plan_.page_mm(4)), 0);
    caption_line(y0 - plan_.page_mm(4), cell_.name);
    const Tstructure_type* structure = plan_.structure();
    if (!plan_.page.options.extended_description || structure == nullptr) return;
    if (plan_.page.options.columns > 1) canvas().set_font(PageFont{std::max(font.height / 2, 1), false});
    caption_line(y0, lang_text(structure->long_text));
    caption_line(y0 + plan_.page_mm(4), expand_module_template(lang_text(structure->detail_text), cell_));
    if (!cell_.compact_groups.empty()) {
      caption_line(y0 + plan_.page_mm(8), lang_text(253));
      caption_line(y0 + plan_.page_mm(12), lang_text(254));
    }
  }

  // Greys the band between the walls and their outer faces, split at the
  // openings. Only on grids coarse enough for the band to show, and only for a
  // closed outline: a seed outside a closed band would flood the page.
  void fill_wall_band() {
    const PrintOptions& options = plan_.page.options;
    bool coarse = (options.rows <= 2 && options.columns <= 2) || (options.rows == 3 && options.columns == 1);
    if (!coarse || !cell_.outline_closed || cell_.walls.empty()) return;
    std::vector<Tvec2> seeds;
    std::size_t n = cell_.walls.size();
    for (std::size_t i = 0; i < n; ++i) {
      if (cell_.walls[i].kind == 1) continue;
      std::size_t j = i + 1 < n ? i + 1 : i;
      seeds.push_back(band_seed(j));
    }
    if (seeds.empty() && n > 1) seeds.push_back(band_seed(0));
    const PlanSlot& slot = plan_.slot;
    QRect clip(slot.left, slot.top, slot.width, slot.height);
    canvas().set_brush(qRgb(0xC0, 0xC0, 0xC0));
    for (const Tvec2& seed : seeds) {
      QPoint at = plan_.at(seed);
      const QImage* image = canvas().image();
      if (image == nullptr || !image->valid(at) || image->pixel(at) != qRgb(255, 255, 255)) continue;
      canvas().flood_fill(at.x(), at.y(), clip);
    }
  }

  Tvec2 band_seed(std::size_t wall) const {
    const Tlinea& w = cell_.walls[wall];
    return {(w.x2 + outer_[wall].end.x) / 2, (w.y2 + outer_[wall].end.y) / 2};
  }

  void draw_bay_captions() {
    const Tstructure_type* structure = plan_.structure();
    std::string module_text = structure ? lang_text(structure->module_text) : std::string();
    for (const Tlinea& wall : cell_.walls)
      for (const Tmodulo& bay : wall.modules)
        plan_.module_captions(bay.x, bay.y, bay.length, bay.orientation,
                              module_size_text(bay.length, bay.width, bay.height),
                              std::to_string(bay.shelf_count) + " " + module_text, max_load_label(bay));
  }

  PagePlanPainter plan_;
  PlanStyle style_;
  const Tcell& cell_;
  Textents extents_;
  std::vector<WallFace> outer_;
};

}  // namespace

void draw_cell_plan(PageContext& page, const Tcell& cell, const PlanSlot& slot) { CellPlan(page, cell, slot).draw(); }
