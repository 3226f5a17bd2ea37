// The plan painter of the screen: the plan canvas's pixel rules, its
// cosmetic pens and its text cache, with everything drawn out of view cut
// away early.
#pragma once

#include "plan_drawing/plan_canvas.h"
#include "plan_drawing/plan_painter.h"

class ScreenPlanPainter : public PlanPainter {
 public:
  explicit ScreenPlanPainter(PlanCanvas& canvas) : PlanPainter(canvas.transform), canvas_(canvas) {}

  void set_pen(const PlanPen& pen) override;
  void segment(QPoint a, QPoint b) override;
  void use_label_font() override {}  // the canvas keeps one label font for the whole plan
  void label(QPoint anchor, const QString& text, double shift, bool turned) override;

  // The canvas itself, for what only the screen draws.
  PlanCanvas& canvas() { return canvas_; }

 private:
  PlanCanvas& canvas_;
};
