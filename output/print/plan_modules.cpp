// Free-standing modules, trolleys and compact mobile-shelving groups of a
// printed cell plan.
#include "model/quote/load_labels.h"
#include "model/state/globals.h"
#include "model/text/lang_text.h"
#include "output/print/page_numbers.h"
#include "output/print/plan_painter.h"

namespace {

QRgb palette_colour(int slot) {
  int value = AppState.palette[static_cast<std::size_t>(slot)];
  return qRgb(value & 0xff, (value >> 8) & 0xff, (value >> 16) & 0xff);
}

// A point at offsets along and across a module's length from its centre.
Tvec2 module_point(const Tmodulo_agg& module, double along, double across) {
  if (module.orientation == 'V') return {module.x + across, module.y + along};
  return {module.x + along, module.y + across};
}

void draw_trolley_wheels(const PlanPainter& plan, const Tmodulo_agg& trolley) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  double along = trolley.length / 2 + 18;
  double across = trolley.width / 2 - 14;
  for (double a : {-along, along})
    for (double c : {-across, across}) {
      QPoint wheel = plan.at(module_point(trolley, a, c));
      plan.hollow_marker(wheel.x(), wheel.y());
    }
}

// The end frame beyond one end of a free module (end -1: the lower coordinate).
void draw_module_frame(const PlanPainter& plan, const Tmodulo_agg& module, double end) {
  double centre = end * (module.length / 2 + 18);
  double reach = module.width / 2 - 28;
  plan.line(module_point(module, centre + 7, -reach), module_point(module, centre + 7, reach));
  plan.line(module_point(module, centre - 7, -reach), module_point(module, centre - 7, reach));
  double dot = module.width / 2 - 14;
  for (double across : {-dot, dot}) {
    QPoint at = plan.at(module_point(module, centre, across));
    plan.solid_marker(at.x(), at.y());
  }
}

void draw_free_module(const PlanPainter& plan, const Tmodulo_agg& module, const std::string& module_text) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  plan.bay_figure(module.x, module.y, module.length, module.width, module.orientation);
  const auto& flags = module.side_flags;
  if (flags[kEndFrameA] == 1 || flags[kInnerFrameA] == 1) draw_module_frame(plan, module, -1);
  if (flags[kEndFrameB] == 1 || flags[kInnerFrameB] == 1) draw_module_frame(plan, module, 1);
  plan.module_captions(module.x, module.y, module.length, module.orientation,
                       module_size_text(module.length, module.width, module.height),
                       std::to_string(module.shelf_count) + " " + module_text, max_load_label_free(module));
}

void draw_clearance_dimensions(const PlanPainter& plan, const Tmodulo_agg& module) {
  double ex = module.extent_x, ey = module.extent_y;
  double north = module.clear_n, south = module.clear_s, east = module.clear_e, west = module.clear_o;
  // The extents leave out the end frames beyond both ends; the clearances count from them.
  if (module.orientation == 'H') {
    ex += 64;
    east -= 32;
    west -= 32;
  } else {
    ey += 64;
    north -= 32;
    south -= 32;
  }
  double cx = module.x, cy = module.y;
  auto dimension = [&](bool shown, double clearance, Tvec2 from, Tvec2 direction) {
    if (!shown || clearance <= 0) return;
    Tvec2 to{from.x + direction.x * clearance, from.y + direction.y * clearance};
    draw_page_dimension_line(plan, fixed_number_text(clearance, AppState.decimals), from, to);
  };
  dimension(module.dim_n, north, {cx, cy + ey / 2}, {0, 1});
  dimension(module.dim_s, south, {cx, cy - ey / 2}, {0, -1});
  dimension(module.dim_e, east, {cx + ex / 2, cy}, {1, 0});
  dimension(module.dim_o, west, {cx - ex / 2, cy}, {-1, 0});
}

// The figure of one compact group, drawn in offsets (u along the length, v
// across) that a 'V' group turns a quarter turn clockwise.
class CompactGroupFigure {
 public:
  CompactGroupFigure(const PlanPainter& plan, const Tcorvane& group) : plan_(plan), group_(group) {}

  void draw() const {
    double l = group_.overall_length / 2;
    double d = group_.depth / 2;
    double k = group_.kit_length / 2;
    frame(-l + 43.5, -d + 42, -l + 68.5, d - 42);
    frame(l - 68.5, -d + 42, l - 43.5, d - 42);
    frame(-k, d - 72, k, d);
    frame(-k, -d, k, -d + 72);
    const auto& gaps = group_.wall_gaps;
    if (gaps[0] > 0)
      for (double u : {-l + 101.5, l - 101.5}) {
        plate(u - 75, d + gaps[0] - 10, u + 75, d + gaps[0]);
        line(u, d + gaps[0] - 10, u, d - 31);
      }
    if (gaps[1] > 0)
      for (double u : {-l + 101.5, l - 101.5}) {
        plate(u - 75, -d - gaps[1], u + 75, -d - gaps[1] + 10);
        line(u, -d - gaps[1] + 10, u, -d + 31);
      }
    if (gaps[2] > 0)
      for (double v : {d - 132, -d + 132}) {
        plate(-l - gaps[2], v - 25, -l - gaps[2] + 25, v + 25);
        line(-l - gaps[2] + 25, v, -l + 1.5, v);
      }
    if (gaps[3] > 0)
      for (double v : {d - 132, -d + 132}) {
        plate(l + gaps[3] - 25, v - 25, l + gaps[3], v + 25);
        line(l + gaps[3] - 25, v, l - 1.5, v);
      }
  }

 private:
  Tvec2 point(double u, double v) const {
    if (group_.orientation == 'V') return {group_.x + v, group_.y - u};
    return {group_.x + u, group_.y + v};
  }
  void frame(double u1, double v1, double u2, double v2) const {
    QPoint a = plan_.at(point(u1, v1));
    QPoint b = plan_.at(point(u2, v2));
    plan_.canvas().frame_rect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
                              std::max(a.y(), b.y()));
  }
  void plate(double u1, double v1, double u2, double v2) const {
    QPoint a = plan_.at(point(u1, v1));
    QPoint b = plan_.at(point(u2, v2));
    plan_.canvas().fill_rect(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(a.x(), b.x()),
                             std::max(a.y(), b.y()));
  }
  void line(double u1, double v1, double u2, double v2) const { plan_.line(point(u1, v1), point(u2, v2)); }

  const PlanPainter& plan_;
  const Tcorvane& group_;
};

}  // namespace

void draw_free_modules(const PlanPainter& plan) {
  const Tstructure_type* structure = plan.structure();
  std::string module_text = structure ? lang_text(structure->module_text) : std::string();
  for (const Tmodulo_agg& module : plan.cell.free_modules) {
    plan.canvas().set_pen_colour(palette_colour(2));
    if (module.code == "CARRELLO") draw_trolley_wheels(plan, module);
    draw_free_module(plan, module, module_text);
    draw_clearance_dimensions(plan, module);
  }
}

void draw_compact_groups(const PlanPainter& plan) {
  PageCanvas& canvas = plan.canvas();
  canvas.set_brush(qRgb(0, 0, 0));
  canvas.set_pen_colour(qRgb(0, 0, 0));
  canvas.set_pen_width(plan.page.pen_thin);
  for (const Tcorvane& group : plan.cell.compact_groups) CompactGroupFigure(plan, group).draw();
}
