// The plan painter of a printed cell plan: the page canvas's pixel rules
// under the slot's transform, with the page, the slot, the cell and the plan
// font.
#pragma once

#include <string>
#include <vector>

#include "model/base/records.h"
#include "output/print/page_context.h"
#include "output/print/plan_slot.h"
#include "plan_drawing/plan_painter.h"

class PagePlanPainter : public PlanPainter {
 public:
  PagePlanPainter(PageContext& page, const PlanSlot& slot, const Tcell& cell);

  PageContext& page;
  const PlanSlot& slot;
  const Tcell& cell;
  PageFont plan_font;  // 100 plan millimetres high

  void set_pen(const PlanPen& pen) override;
  void set_fill(const QColor& colour) override { canvas().set_brush(colour.rgb()); }
  void segment(QPoint a, QPoint b) override;
  // Black, whatever the pen: the pen stays black after it.
  void disc(QPoint centre, double radius_mm) override;
  void ring(QPoint centre, double radius_mm) override;
  void frame(QPoint a, QPoint b) override;
  void fill(QPoint a, QPoint b) override;
  void polygon(const QPolygon& corners) override { canvas().polygon(corners); }
  bool shows(QPoint, double) const override { return true; }
  void use_label_font() override { canvas().set_font(plan_font); }
  // The plan font, shrunk until the first two lines (size and shelves) fit
  // the figure's length; the load line may stand out.
  void use_caption_font(const std::vector<QString>& lines, double length_mm) override;
  void label(QPoint anchor, const QString& text, double shift, bool turned) override;

  PageCanvas& canvas() const { return page.canvas(); }
  double scale() const { return slot.scale; }
  using PlanPainter::at;
  QPoint at(double x, double y) const { return at(Tvec2{x, y}); }
  // The cell's structure type, or none when its index is out of range.
  const Tstructure_type* structure() const;
  // A page length of that many millimetres down the page, in pixels.
  int page_mm(double mm) const;
};

// The printed plan's style of the shared plan drawing: black pens, thick for
// the walls and thin for the rest, larger frame discs, filled posts, bays
// captioned with size, shelves (the count and the structure's word for a
// module) and load after the walls' dimensions, lengths as fixed decimals or
// feet and inches, measure texts just off their lines.
PlanStyle page_plan_style(const PageContext& page, const std::string& module_text);

// The size caption of a bay or module: "1000 x 500 x h2000", or inch texts in inch mode.
std::string module_size_text(double length, double width, double height);
// The length text of a wall dimension: fixed decimals, or feet and inches.
std::string wall_length_text(double length);
