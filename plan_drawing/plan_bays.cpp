#include "plan_drawing/plan_bays.h"

#include <cstddef>

#include "model/base/plane_vectors.h"
#include "model/layout/module_lengths.h"
#include "plan_drawing/plan_shapes.h"

namespace {

// The footprint of a bay or free module: centre, length along its run and
// depth across it, the run along y when vertical.
struct Footprint {
  double x = 0.0, y = 0.0;
  double length = 0.0, depth = 0.0;
  bool vertical = false;

  Tvec2 point(double along, double across) const {
    return vertical ? vec_make(x + across, y + along) : vec_make(x + along, y + across);
  }
};

bool runs_vertically(const PlanStyle& style, char orientation) {
  if (orientation != 'H' && orientation != 'V') orientation = style.bays.unknown_orientation;
  return orientation == 'V';
}

template <typename Item>
Footprint footprint(const PlanStyle& style, const Item& item) {
  return {item.x, item.y, item.length, item.width, runs_vertically(style, item.orientation)};
}

template <typename Item>
void use_marked_pen(PlanPainter& painter, const PlanStyle& style, const PlanPen& base, const Item& item) {
  if (style.marked_pen)
    painter.set_pen(style.marked_pen(base, {item.custom_shelves == 1, item.selected, item.selected2}));
}

template <typename Item, typename Captions>
std::vector<QString> captions_of(const Captions& captions, const Item& item) {
  return captions ? captions(item) : std::vector<QString>();
}

// The edges 31 mm inside the long sides.
void draw_shelf_edges(PlanPainter& painter, const PlanStyle& style, const Footprint& bay) {
  const double l = bay.length / 2.0, d = bay.depth / 2.0;
  for (double side : {1.0, -1.0}) {
    if (!style.bays.edges_from_corners) {
      const double edge = side * (d - 31.0);
      painter.segment(painter.at(bay.point(-l, edge)), painter.at(bay.point(l, edge)));
      continue;
    }
    const Tvec2 inwards = bay.point(0.0, -side) - bay.point(0.0, 0.0);
    painter.segment(lay_off(painter, style, painter.at(bay.point(-l, side * d)), 31.0, inwards),
                    lay_off(painter, style, painter.at(bay.point(l, side * d)), 31.0, inwards));
  }
}

// The uprights just beyond each end, their width in from each long side.
void draw_uprights(PlanPainter& painter, const PlanStyle& style, const Footprint& bay) {
  const double l = bay.length / 2.0, d = bay.depth / 2.0;
  const std::optional<QColor>& frame = style.bays.upright_frame;
  if (frame) painter.set_fill(*frame);
  for (double end : {-1.0, 1.0}) {
    for (double side : {-1.0, 1.0}) {
      const double a0 = end * l, a1 = end * (l + kUprightGap);
      const double c0 = side * d, c1 = side * (d - kUprightWidth);
      if (frame)
        painter.frame(painter.at(bay.point(a0, c0)), painter.at(bay.point(a1, c1)));
      else
        painter.polygon(QPolygon({painter.at(bay.point(a0, c0)), painter.at(bay.point(a1, c0)),
                                  painter.at(bay.point(a1, c1)), painter.at(bay.point(a0, c1))}));
    }
  }
}

// Body in the current pen, shelf edges, the captions where the style keeps
// them in the figure, then the uprights.
void draw_figure(PlanPainter& painter, const PlanStyle& style, const Footprint& bay,
                 const std::vector<QString>& captions, char orientation) {
  const double l = bay.length / 2.0, d = bay.depth / 2.0;
  painter.set_fill(style.bays.fill);
  painter.polygon(QPolygon({painter.at(bay.point(-l, -d)), painter.at(bay.point(l, -d)), painter.at(bay.point(l, d)),
                            painter.at(bay.point(-l, d))}));
  draw_shelf_edges(painter, style, bay);
  if (style.bays.captions_in_figure)
    draw_captions(painter, style, captions, vec_make(bay.x, bay.y), bay.length, orientation);
  draw_uprights(painter, style, bay);
}

// The module's end frames, 18 mm beyond each end whose side flags call for a
// run end or an inner frame.
void draw_module_frames(PlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& module) {
  const auto& flags = module.side_flags;
  for (int end : {-1, 1}) {
    const bool at_a = end < 0;
    const bool joined = flags[at_a ? kJointA : kJointB] != 0;
    const bool run_end = flags[at_a ? kEndFrameA : kEndFrameB] == 1;
    const bool inner = flags[at_a ? kInnerFrameA : kInnerFrameB] == 1;
    if (!(run_end || inner) || (joined && !style.module_frames_at_joints)) continue;
    if (style.module_frame_pen) painter.set_pen(style.module_frame_pen(inner));
    draw_module_frame(painter, module, end, style.module_frames);
  }
}

}  // namespace

void draw_captions(PlanPainter& painter, const PlanStyle& style, const std::vector<QString>& lines, const Tvec2& centre,
                   double length, char orientation) {
  if (lines.empty()) return;
  painter.use_caption_font(lines, length);
  const QPoint anchor = painter.at(centre);
  const bool turned = runs_vertically(style, orientation);
  const double first = -static_cast<double>(lines.size() - 1) / 2.0;
  for (std::size_t i = 0; i < lines.size(); ++i)
    painter.label(anchor, lines[i], first + static_cast<double>(i), turned);
}

void draw_run_bay(PlanPainter& painter, const PlanStyle& style, const Tmodulo& bay) {
  if (!painter.shows(painter.at(vec_make(bay.x, bay.y)), bay.length)) return;
  use_marked_pen(painter, style, style.bay_pen, bay);
  draw_figure(painter, style, footprint(style, bay), captions_of(style.bay_captions, bay), bay.orientation);
}

void draw_free_module(PlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& module) {
  painter.set_pen(style.module_pen);
  if (module.kind() == ModuleKind::Trolley) draw_trolley_wheels(painter, module);
  if (!painter.shows(painter.at(vec_make(module.x, module.y)), module.length)) return;
  use_marked_pen(painter, style, style.module_pen, module);
  const std::vector<QString> captions = captions_of(style.module_captions, module);
  draw_figure(painter, style, footprint(style, module), captions, module.orientation);
  draw_module_frames(painter, style, module);
  if (!style.bays.captions_in_figure)
    draw_captions(painter, style, captions, vec_make(module.x, module.y), module.length, module.orientation);
}
