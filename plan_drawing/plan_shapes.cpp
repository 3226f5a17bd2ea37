#include "plan_drawing/plan_shapes.h"

#include <cstddef>

#include "model/base/part_placement.h"
#include "model/base/plane_vectors.h"
#include "model/layout/module_lengths.h"

namespace {

// Points of a compact group in its own axes: u along its length, v across,
// turned a quarter clockwise for a 'V' group.
struct GroupAxes {
  const Tcorvane& group;
  Tvec2 at(double u, double v) const {
    return group.orientation == 'V' ? vec_make(group.x + v, group.y - u) : vec_make(group.x + u, group.y + v);
  }
};

}  // namespace

void draw_end_frame(PlanPainter& painter, double x, double y, double depth, char orientation,
                    const EndFrameStyle& style) {
  const double line_end = depth / 2.0 - style.line_inset;
  const double disc = depth / 2.0 - kUprightWidth / 2;
  // Offsets across the run and along the frame, turned by the run's orientation.
  auto at = [&](double across, double along) {
    return painter.at(orientation == 'H' ? vec_make(x + across, y + along) : vec_make(x + along, y + across));
  };
  for (double side : {-7.0, 7.0}) painter.segment(at(side, -line_end), at(side, line_end));
  painter.disc(at(0.0, -disc), style.disc_radius);
  painter.disc(at(0.0, disc), style.disc_radius);
}

void draw_module_frame(PlanPainter& painter, const Tmodulo_agg& module, int end, const EndFrameStyle& style) {
  const double reach = module.length / 2.0 + kUprightCentreOffset;
  if (module.orientation == 'H')
    draw_end_frame(painter, module.x + end * reach, module.y, module.width, 'H', style);
  else
    draw_end_frame(painter, module.x, module.y + end * reach, module.width, 'V', style);
}

std::array<Tvec2, 4> trolley_wheel_centres(const Tmodulo_agg& trolley) {
  const double along = trolley.length / 2.0 + kUprightCentreOffset;
  const double across = trolley.width / 2.0 - kUprightWidth / 2;
  std::array<Tvec2, 4> centres;
  std::size_t i = 0;
  for (double a : {-along, along}) {
    for (double c : {-across, across}) {
      centres[i++] =
          trolley.orientation == 'H' ? vec_make(trolley.x + a, trolley.y + c) : vec_make(trolley.x + c, trolley.y + a);
    }
  }
  return centres;
}

void draw_trolley_wheels(PlanPainter& painter, const Tmodulo_agg& trolley) {
  for (const Tvec2& wheel : trolley_wheel_centres(trolley)) painter.ring(painter.at(wheel), 50.0);
}

CompactGroupFigure compact_group_figure(const Tcorvane& group) {
  const GroupAxes axes{group};
  const double half_g = group.overall_length / 2.0, half_d = group.depth / 2.0, half_k = group.kit_length / 2.0;
  CompactGroupFigure figure;
  figure.frames = {PlanBox{axes.at(-half_g + CompactEndUnitNear, -half_d + CompactEndUnitInset),
                           axes.at(-half_g + CompactEndUnitFar, half_d - CompactEndUnitInset)},
                   PlanBox{axes.at(half_g - CompactEndUnitFar, -half_d + CompactEndUnitInset),
                           axes.at(half_g - CompactEndUnitNear, half_d - CompactEndUnitInset)},
                   PlanBox{axes.at(-half_k, half_d - CompactRailBand), axes.at(half_k, half_d)},
                   PlanBox{axes.at(-half_k, -half_d), axes.at(half_k, -half_d + CompactRailBand)}};
  auto tie = [&](double u1, double v1, double u2, double v2, double line_u1, double line_v1, double line_u2,
                 double line_v2) {
    figure.ties.push_back({{axes.at(u1, v1), axes.at(u2, v2)}, axes.at(line_u1, line_v1), axes.at(line_u2, line_v2)});
  };
  // Ties to the long sides stand their inset from each end; ties to the ends theirs from each side.
  const auto& gaps = group.wall_gaps;
  if (gaps[0] > 0)
    for (double u : {-half_g + CompactSideSpacerInset, half_g - CompactSideSpacerInset})
      tie(u - 75, half_d + gaps[0] - CompactSideSpacerDepth, u + 75, half_d + gaps[0], u,
          half_d + gaps[0] - CompactSideSpacerDepth, u, half_d - CompactSideTieReach);
  if (gaps[1] > 0)
    for (double u : {-half_g + CompactSideSpacerInset, half_g - CompactSideSpacerInset})
      tie(u - 75, -half_d - gaps[1], u + 75, -half_d - gaps[1] + CompactSideSpacerDepth, u,
          -half_d - gaps[1] + CompactSideSpacerDepth, u, -half_d + CompactSideTieReach);
  if (gaps[2] > 0)
    for (double v : {half_d - CompactEndSpacerInset, -half_d + CompactEndSpacerInset})
      tie(-half_g - gaps[2], v - 25, -half_g - gaps[2] + CompactEndSpacerDepth, v + 25,
          -half_g - gaps[2] + CompactEndSpacerDepth, v, -half_g + CompactEndTieReach, v);
  if (gaps[3] > 0)
    for (double v : {half_d - CompactEndSpacerInset, -half_d + CompactEndSpacerInset})
      tie(half_g + gaps[3] - CompactEndSpacerDepth, v - 25, half_g + gaps[3], v + 25,
          half_g + gaps[3] - CompactEndSpacerDepth, v, half_g - CompactEndTieReach, v);
  return figure;
}

void draw_compact_group(PlanPainter& painter, const Tcorvane& group) {
  const CompactGroupFigure figure = compact_group_figure(group);
  for (const PlanBox& frame : figure.frames) painter.frame(painter.at(frame.corner), painter.at(frame.opposite));
  for (const CompactGroupTie& tie : figure.ties) {
    painter.fill(painter.at(tie.plate.corner), painter.at(tie.plate.opposite));
    painter.segment(painter.at(tie.from), painter.at(tie.to));
  }
}

std::vector<ClearanceDimension> clearance_dimensions(const Tmodulo_agg& module) {
  double ex = module.extent_x, ey = module.extent_y;
  double north = module.clear_n, south = module.clear_s, east = module.clear_e, west = module.clear_o;
  if (module.orientation == 'H') {
    ex += 2 * (kUprightGap + kUprightWidth);
    east -= kUprightGap + kUprightWidth;
    west -= kUprightGap + kUprightWidth;
  } else {
    ey += 2 * (kUprightGap + kUprightWidth);
    north -= kUprightGap + kUprightWidth;
    south -= kUprightGap + kUprightWidth;
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
