// The plan painter of the screen: the plan canvas's pixel rules, its
// cosmetic pens and its text cache, with everything drawn out of view cut
// away early. The page's own layers are not shown.
#pragma once

#include "plan_drawing/plan_canvas.h"
#include "plan_drawing/plan_painter.h"

class ScreenPlanPainter : public PlanPainter {
 public:
  explicit ScreenPlanPainter(PlanCanvas& canvas) : PlanPainter(canvas.transform), canvas_(canvas) {}

  void set_pen(const PlanPen& pen) override;
  void set_fill(const QColor& colour) override { set_brush(canvas_, colour); }
  void segment(QPoint a, QPoint b) override;
  void disc(QPoint centre, double radius_mm) override { draw_disc(canvas_, centre, radius_mm); }
  void ring(QPoint centre, double radius_mm) override { draw_ring(canvas_, centre, radius_mm); }
  void frame(QPoint a, QPoint b) override;
  // Filled and outlined in the pen, which the screen's boxes share with the fill.
  void fill(QPoint a, QPoint b) override { draw_rectangle(canvas_, a, b); }
  void polygon(const QPolygon& corners) override { canvas_.painter.drawPolygon(corners); }
  bool shows(QPoint centre, double extent_mm) const override {
    return near_view(canvas_, centre, extent_mm * canvas_.transform.scale);
  }
  void draw_own_layer(PlanLayer, const Tcell&) override {}
  // The canvas keeps one label font for the whole plan.
  void use_label_font() override {}
  void use_caption_font(const std::vector<QString>&, double) override {}
  void label(QPoint anchor, const QString& text, double shift, bool turned) override;

  // The canvas itself, for what only the screen draws.
  PlanCanvas& canvas() { return canvas_; }

 private:
  PlanCanvas& canvas_;
};
