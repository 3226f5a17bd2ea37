#include "plan_drawing/screen_plan_painter.h"

void ScreenPlanPainter::set_pen(const PlanPen& pen) { ::set_pen(canvas_, pen.colour, pen.width); }

void ScreenPlanPainter::segment(QPoint a, QPoint b) { draw_segment(canvas_, a, b); }

void ScreenPlanPainter::frame(QPoint a, QPoint b) { draw_frame(canvas_, a, b, canvas_.painter.brush().color()); }

void ScreenPlanPainter::label(QPoint anchor, const QString& text, double shift, bool turned) {
  if (turned)
    draw_text_vertical(canvas_, anchor, text, shift);
  else
    draw_text_horizontal(canvas_, anchor, text, shift);
}
