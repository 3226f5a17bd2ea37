#include "plan_drawing/plan_painter.h"

#include "model/base/rounding.h"

QPoint lay_off(const PlanPainter& painter, const PlanStyle& style, QPoint from, double along, const Tvec2& d,
               double across, const Tvec2& p) {
  const PlanTransform& t = painter.transform();
  if (style.rounding == OffsetRounding::ScaledVector)
    return lay_off(t, from, along * d.x + across * p.x, along * d.y + across * p.y);
  const double s = t.scale;
  return {from.x() + static_cast<int>(Round(along * s * d.x + across * s * p.x)),
          from.y() - static_cast<int>(Round(along * s * d.y + across * s * p.y))};
}

void draw_arrow_strokes(PlanPainter& painter, const PlanStyle& style, QPoint tip, const Tvec2& d, const Tvec2& p,
                        double along) {
  for (double side : {10.0, -10.0}) painter.segment(tip, lay_off(painter, style, tip, along, d, side, p));
}
