#include "editor/plan/plan_shapes.h"

#include <QPolygon>

#include "model/base/plane_vectors.h"

namespace {

// A rectangle through two plan corners as pixels.
QPoint pixel(const PlanCanvas& canvas, double x, double y) { return plan_to_screen(canvas.transform, x, y); }

// Points of a compact group in its own axes: u along its length, v across,
// turned a quarter clockwise for a 'V' group.
struct GroupAxes {
  const PlanCanvas& canvas;
  const Tcorvane& group;
  QPoint at(double u, double v) const {
    return group.orientation == 'V' ? pixel(canvas, group.x + v, group.y - u) : pixel(canvas, group.x + u, group.y + v);
  }
};

}  // namespace

void draw_bay(PlanCanvas& canvas, const BayShape& bay, const QString& size_text, const QString& load_text,
              bool show_load) {
  const bool across_x = bay.orientation == 'H';
  const double hx = (across_x ? bay.length : bay.depth) / 2.0;
  const double hy = (across_x ? bay.depth : bay.length) / 2.0;
  const double x = bay.x, y = bay.y;

  set_brush(canvas, canvas.colours[0]);
  QPolygon body;
  body << pixel(canvas, x - hx, y - hy) << pixel(canvas, x + hx, y - hy) << pixel(canvas, x + hx, y + hy)
       << pixel(canvas, x - hx, y + hy);
  canvas.painter.drawPolygon(body);

  const double edge = bay.depth / 2.0 - 31.0;
  for (double side : {edge, -edge}) {
    if (across_x)
      draw_segment(canvas, pixel(canvas, x - hx, y + side), pixel(canvas, x + hx, y + side));
    else
      draw_segment(canvas, pixel(canvas, x + side, y - hy), pixel(canvas, x + side, y + hy));
  }

  const QPoint centre = pixel(canvas, x, y);
  auto text = across_x ? draw_text_horizontal : draw_text_vertical;
  if (show_load) {
    text(canvas, centre, size_text, -0.5);
    text(canvas, centre, load_text, 0.5);
  } else {
    text(canvas, centre, size_text, 0.0);
  }

  const double half_length = bay.length / 2.0, half_depth = bay.depth / 2.0;
  for (double end : {-1.0, 1.0}) {
    for (double side : {-1.0, 1.0}) {
      // 4 mm along the run just beyond the bay's end, 28 mm across from its long side.
      const double a0 = end * half_length, a1 = end * (half_length + 4.0);
      const double c0 = side * half_depth, c1 = side * (half_depth - 28.0);
      if (across_x)
        draw_frame(canvas, pixel(canvas, x + a0, y + c0), pixel(canvas, x + a1, y + c1), canvas.colours[2]);
      else
        draw_frame(canvas, pixel(canvas, x + c0, y + a0), pixel(canvas, x + c1, y + a1), canvas.colours[2]);
    }
  }
}

void draw_end_frame(PlanCanvas& canvas, double x, double y, double depth, char orientation,
                    const EndFrameStyle& style) {
  const double line_end = depth / 2.0 - style.line_inset;
  const double disc = depth / 2.0 - 14.0;
  if (orientation == 'H') {
    for (double side : {-7.0, 7.0})
      draw_segment(canvas, pixel(canvas, x + side, y - line_end), pixel(canvas, x + side, y + line_end));
    draw_disc(canvas, pixel(canvas, x, y - disc), style.disc_radius);
    draw_disc(canvas, pixel(canvas, x, y + disc), style.disc_radius);
  } else {
    for (double side : {-7.0, 7.0})
      draw_segment(canvas, pixel(canvas, x - line_end, y + side), pixel(canvas, x + line_end, y + side));
    draw_disc(canvas, pixel(canvas, x - disc, y), style.disc_radius);
    draw_disc(canvas, pixel(canvas, x + disc, y), style.disc_radius);
  }
}

void draw_trolley_wheels(PlanCanvas& canvas, const Tmodulo_agg& trolley) {
  const double along = trolley.length / 2.0 + 18.0;
  const double across = trolley.width / 2.0 - 14.0;
  for (double a : {-along, along}) {
    for (double c : {-across, across}) {
      const QPoint wheel = trolley.orientation == 'H' ? pixel(canvas, trolley.x + a, trolley.y + c)
                                                      : pixel(canvas, trolley.x + c, trolley.y + a);
      draw_screen_hollow_marker(canvas, wheel);
    }
  }
}

void draw_compact_group(PlanCanvas& canvas, const Tcorvane& group, const QColor& colour) {
  const GroupAxes axes{canvas, group};
  const double half_g = group.overall_length / 2.0, half_d = group.depth / 2.0, half_k = group.kit_length / 2.0;
  set_pen(canvas, colour);
  set_brush(canvas, colour);

  draw_frame(canvas, axes.at(-half_g + 43.5, half_d - 42), axes.at(-half_g + 68.5, -half_d + 42), colour);
  draw_frame(canvas, axes.at(half_g - 68.5, half_d - 42), axes.at(half_g - 43.5, -half_d + 42), colour);
  draw_frame(canvas, axes.at(-half_k, half_d), axes.at(half_k, half_d - 72), colour);
  draw_frame(canvas, axes.at(-half_k, -half_d + 72), axes.at(half_k, -half_d), colour);

  // Ties to the long sides stand 101.5 mm from each end; ties to the ends 132 mm from each side.
  for (double t : {-half_g + 101.5, half_g - 101.5}) {
    if (const double g = group.wall_gaps[0]; g > 0) {
      draw_rectangle(canvas, axes.at(t - 75, half_d + g), axes.at(t + 75, half_d + g - 10));
      draw_segment(canvas, axes.at(t, half_d + g - 10), axes.at(t, half_d - 31));
    }
    if (const double g = group.wall_gaps[1]; g > 0) {
      draw_rectangle(canvas, axes.at(t - 75, -half_d - g + 10), axes.at(t + 75, -half_d - g));
      draw_segment(canvas, axes.at(t, -half_d - g + 10), axes.at(t, -half_d + 31));
    }
  }
  for (double s : {half_d - 132, -half_d + 132}) {
    if (const double g = group.wall_gaps[2]; g > 0) {
      draw_rectangle(canvas, axes.at(-half_g - g, s + 25), axes.at(-half_g - g + 25, s - 25));
      draw_segment(canvas, axes.at(-half_g - g + 25, s), axes.at(-half_g + 1.5, s));
    }
    if (const double g = group.wall_gaps[3]; g > 0) {
      draw_rectangle(canvas, axes.at(half_g + g - 25, s + 25), axes.at(half_g + g, s - 25));
      draw_segment(canvas, axes.at(half_g + g - 25, s), axes.at(half_g - 1.5, s));
    }
  }
}

std::vector<ClearanceDimension> clearance_dimensions(const Tmodulo_agg& module) {
  double ex = module.extent_x, ey = module.extent_y;
  double north = module.clear_n, south = module.clear_s, east = module.clear_e, west = module.clear_o;
  if (module.orientation == 'H') {
    ex += 8 + 56;
    east -= 4 + 28;
    west -= 4 + 28;
  } else {
    ey += 8 + 56;
    north -= 4 + 28;
    south -= 4 + 28;
  }
  const double x = module.x, y = module.y;
  std::vector<ClearanceDimension> dimensions;
  auto add = [&](bool flag, double c, Tvec2 from, Tvec2 to) {
    if (flag && c > 0) dimensions.push_back({c, from, to});
  };
  add(module.dim_n, north, vec_make(x, y + ey / 2), vec_make(x, y + ey / 2 + north));
  add(module.dim_s, south, vec_make(x, y - ey / 2), vec_make(x, y - ey / 2 - south));
  add(module.dim_e, east, vec_make(x + ex / 2, y), vec_make(x + ex / 2 + east, y));
  add(module.dim_o, west, vec_make(x - ex / 2, y), vec_make(x - ex / 2 - west, y));
  return dimensions;
}
