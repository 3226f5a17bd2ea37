#include "plan_drawing/plan_dimensions.h"

#include <cstddef>

#include "model/base/plane_vectors.h"
#include "model/layout/cell_walls.h"
#include "model/layout/outline_queries.h"

namespace {

QPoint middle(QPoint a, QPoint b) { return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2}; }

// How far beyond the wall line its dimensions stand: past the farthest wall
// of the room on that side, unless another wall is in front.
double side_distance(const Tcell& cell, int wall_index, const Textents& extents) {
  const Tlinea& wall = cell.walls[static_cast<std::size_t>(wall_index)];
  if (wall_overlap_test(cell, wall_index)) return 0.0;
  const Tvec2 n = wall_normal(wall);
  if (vec_equal(n, vec_make(1, 0))) return extents[0] - wall.x1;
  if (vec_equal(n, vec_make(0, 1))) return extents[2] - wall.y1;
  if (vec_equal(n, vec_make(-1, 0))) return wall.x1 - extents[1];
  if (vec_equal(n, vec_make(0, -1))) return wall.y1 - extents[3];
  return 0.0;
}

// One wall's dimensions in its own frame: d along the wall, n out of the
// room, p across the arrowheads.
class WallDimension {
 public:
  WallDimension(PlanPainter& painter, const Tcell& cell, int wall_index, const Textents& extents,
                const PlanStyle& style)
      : painter_(painter), style_(style), wall_(cell.walls[static_cast<std::size_t>(wall_index)]) {
    p1_ = wall_start(wall_);
    p2_ = wall_end(wall_);
    d_ = vec_normalize(p2_ - p1_);
    n_ = wall_normal(wall_);
    p_ = vec_make(d_.y, -d_.x);
    base_ = side_distance(cell, wall_index, extents) + cell.wall_thickness;
    inner_ = base_ + 250.0;
    outer_ = inner_ + 150.0;
    run_start_ = p1_ + wall_.start_free * d_;
    run_end_ = p2_ - wall_.end_free * d_;
  }

  void draw() {
    draw_texts();
    draw_lines();
  }

 private:
  QPoint row(const Tvec2& point, double offset) const { return painter_.at(point + offset * n_); }
  QPoint moved(QPoint from, double along) const { return lay_off(painter_, style_, from, along, d_); }
  void label(QPoint anchor, double length) const {
    painter_.label(anchor, style_.wall_length_text(length), -0.5, wall_.orientation != 'H');
  }
  // An extension line across the wall at a point of its line, from 30 mm
  // beyond the wall's outer face to 30 mm past the row.
  void extension(const Tvec2& at, double row_offset) const {
    painter_.segment(row(at, base_ + 30.0), row(at, row_offset + 30.0));
  }
  void arrows(QPoint tip, double along) const { draw_arrow_strokes(painter_, style_, tip, d_, p_, along); }
  // A measure between two pixels of a row, an arrowhead pointing into it at each end.
  void measure(QPoint a, QPoint b) const {
    painter_.segment(a, b);
    arrows(a, 60.0);
    arrows(b, -60.0);
  }

  void draw_texts() const {
    const double start_free = wall_.start_free, end_free = wall_.end_free;
    label(middle(row(p1_, outer_), row(p2_, outer_)), wall_.length);
    if (start_free > 0) label(moved(middle(row(p1_, inner_), row(run_start_, inner_)), -120.0), start_free);
    if (end_free > 0) {
      label(moved(middle(row(run_end_, inner_), row(p2_, inner_)), 120.0), end_free);
      label(middle(row(run_start_, inner_), row(run_end_, inner_)), wall_.length - start_free - end_free);
    }
  }

  void draw_lines() const {
    measure(row(p1_, outer_), row(p2_, outer_));
    extension(p1_, outer_);
    extension(p2_, outer_);
    if (wall_.start_free > 0) {
      const QPoint from = row(p1_, inner_), to = row(run_start_, inner_);
      painter_.segment(moved(from, -120.0), to);
      arrows(from, -60.0);
      extension(run_start_, inner_);
    }
    if (wall_.end_free > 0) {
      const QPoint from = row(run_end_, inner_), to = row(p2_, inner_);
      painter_.segment(moved(to, 120.0), from);
      arrows(to, 60.0);
      extension(run_end_, inner_);
      measure(row(run_start_, inner_), row(run_end_, inner_));
    }
  }

  PlanPainter& painter_;
  const PlanStyle& style_;
  const Tlinea& wall_;
  Tvec2 p1_, p2_, d_, n_, p_, run_start_, run_end_;
  double base_ = 0.0;   // the wall's outer face
  double inner_ = 0.0;  // the row of the free lengths
  double outer_ = 0.0;  // the row of the overall length
};

}  // namespace

void draw_dimension_line(PlanPainter& painter, const PlanStyle& style, const QString& text, const Tvec2& a,
                         const Tvec2& b) {
  const Tvec2 d = vec_normalize(b - a);
  const Tvec2 p = vec_make(d.y, -d.x);
  const QPoint from = painter.at(a), to = painter.at(b);
  painter.segment(from, to);
  draw_arrow_strokes(painter, style, from, d, p, 60.0);
  draw_arrow_strokes(painter, style, to, d, p, -60.0);
  const QPoint m = middle(from, to);
  const int nudge = style.dimension_text_nudge;
  painter.use_label_font();
  if (d.y == 0.0)
    painter.label({m.x(), m.y() - nudge}, text, -0.5, false);
  else
    painter.label({m.x() - nudge, m.y()}, text, -0.5, true);
}

void draw_wall_dimensions(PlanPainter& painter, const Tcell& cell, const Textents& extents, const PlanStyle& style) {
  painter.set_pen(style.dimension_pen);
  painter.use_label_font();
  for (std::size_t i = 0; i < cell.walls.size(); ++i)
    if (cell.walls[i].show_dimensions) WallDimension(painter, cell, static_cast<int>(i), extents, style).draw();
}
