// The dimension lines of a printed cell plan: the wall lengths with their
// free spaces outside the room, and the general dimension line with its
// arrowheads and measure text.
#include <cmath>

#include "model/base/plane_vectors.h"
#include "model/base/rounding.h"
#include "model/layout/outline_queries.h"
#include "output/print/plan_painter.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

Tvec2 add(const Tvec2& a, const Tvec2& b, double k) { return {a.x + b.x * k, a.y + b.y * k}; }

// Two legs from the tip at page point q, `along` plan millimetres along d
// (positive: towards d) and opening 10 mm to each side.
void arrowhead(const PlanPainter& plan, QPoint q, const Tvec2& d, double along) {
  double s = plan.scale();
  Tvec2 n{d.y, -d.x};
  for (double side : {10.0, -10.0}) {
    int x = q.x() + rounded(along * s * d.x + side * s * n.x);
    int y = q.y() - rounded(along * s * d.y + side * s * n.y);
    plan.canvas().line(q.x(), q.y(), x, y);
  }
}

QPoint middle(QPoint a, QPoint b) { return {(a.x() + b.x()) / 2, (a.y() + b.y()) / 2}; }

// Distance from the wall to the outside of the cell's extents on the wall's side.
double side_distance(const PlanPainter& plan, int wall_index, const Textents& extents) {
  const Tlinea& wall = plan.cell.walls[static_cast<std::size_t>(wall_index)];
  if (wall_overlap_test(plan.cell, wall_index)) return 0;
  Tvec2 n{wall.normal_x, wall.normal_y};
  if (vec_equal(n, {1, 0})) return extents[0] - wall.x1;
  if (vec_equal(n, {0, 1})) return extents[2] - wall.y1;
  if (vec_equal(n, {-1, 0})) return wall.x1 - extents[1];
  if (vec_equal(n, {0, -1})) return wall.y1 - extents[3];
  return 0;
}

void draw_wall_dimension(const PlanPainter& plan, int wall_index, const Textents& extents) {
  const Tlinea& wall = plan.cell.walls[static_cast<std::size_t>(wall_index)];
  double s = plan.scale();
  double thickness = plan.cell.wall_thickness;
  Tvec2 start{wall.x1, wall.y1};
  Tvec2 end{wall.x2, wall.y2};
  Tvec2 d = vec_normalize({end.x - start.x, end.y - start.y});
  Tvec2 n{wall.normal_x, wall.normal_y};
  double e = side_distance(plan, wall_index, extents);
  double a = e + thickness + 400;  // the total, outside
  double b = e + thickness + 250;  // the free spaces and the run between them
  bool turned = wall.orientation != 'H';
  Tvec2 start_free = add(start, d, wall.start_free);
  Tvec2 end_free = add(end, d, -wall.end_free);
  auto row = [&](const Tvec2& p, double offset) { return plan.at(add(p, n, offset)); };
  auto shifted = [&](QPoint p, double along) {
    return QPoint(p.x() + rounded(along * s * d.x), p.y() - rounded(along * s * d.y));
  };

  // Texts.
  plan.text_at(middle(row(start, a), row(end, a)), wall_length_text(wall.length), -0.5, turned);
  if (wall.start_free > 0)
    plan.text_at(shifted(middle(row(start, b), row(start_free, b)), -120), wall_length_text(wall.start_free), -0.5,
                 turned);
  if (wall.end_free > 0) {
    plan.text_at(shifted(middle(row(end_free, b), row(end, b)), 120), wall_length_text(wall.end_free), -0.5, turned);
    plan.text_at(middle(row(start_free, b), row(end_free, b)),
                 wall_length_text(wall.length - wall.start_free - wall.end_free), -0.5, turned);
  }

  // Lines: the total with its extension lines, then the free spaces and the run.
  auto segment = [&](QPoint p, QPoint q) { plan.canvas().line(p.x(), p.y(), q.x(), q.y()); };
  auto extension = [&](const Tvec2& p, double to) { segment(row(p, e + thickness + 30), row(p, to + 30)); };
  segment(row(start, a), row(end, a));
  arrowhead(plan, row(start, a), d, 60);
  arrowhead(plan, row(end, a), d, -60);
  extension(start, a);
  extension(end, a);
  if (wall.start_free > 0) {
    segment(shifted(row(start, b), -120), row(start_free, b));
    arrowhead(plan, row(start, b), d, -60);
    extension(start_free, b);
  }
  if (wall.end_free > 0) {
    segment(row(end_free, b), shifted(row(end, b), 120));
    arrowhead(plan, row(end, b), d, 60);
    extension(end_free, b);
    segment(row(start_free, b), row(end_free, b));
    arrowhead(plan, row(start_free, b), d, 60);
    arrowhead(plan, row(end_free, b), d, -60);
  }
}

}  // namespace

void draw_page_dimension_line(const PlanPainter& plan, const std::string& text, const Tvec2& a, const Tvec2& b) {
  Tvec2 d = vec_normalize({b.x - a.x, b.y - a.y});
  QPoint p = plan.at(a);
  QPoint q = plan.at(b);
  plan.canvas().line(p.x(), p.y(), q.x(), q.y());
  arrowhead(plan, p, d, 60);
  arrowhead(plan, q, d, -60);
  QPoint m = middle(p, q);
  plan.canvas().set_font(plan.plan_font);
  if (d.y == 0)
    plan.text_at({m.x(), m.y() - 2}, text, -0.5, false);
  else
    plan.text_at({m.x() - 2, m.y()}, text, -0.5, true);
}

void draw_wall_dimensions(const PlanPainter& plan, const Textents& extents) {
  plan.canvas().set_pen_width(plan.page.pen_thin);
  plan.canvas().set_font(plan.plan_font);
  for (std::size_t i = 0; i < plan.cell.walls.size(); ++i)
    if (plan.cell.walls[i].show_dimensions) draw_wall_dimension(plan, static_cast<int>(i), extents);
}
