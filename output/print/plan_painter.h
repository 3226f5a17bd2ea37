// The plan painter of a printed cell plan: the page canvas's pixel rules
// under the slot's transform, with the page, the slot, the cell and the plan
// font, and the figures that bays and free modules have in common.
#pragma once

#include <string>

#include "model/base/cell_extents.h"
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
  bool shows(QPoint, double) const override { return true; }
  void bay(const Tmodulo& bay) override { bay_figure(bay.x, bay.y, bay.length, bay.width, bay.orientation); }
  void use_label_font() override { canvas().set_font(plan_font); }
  void label(QPoint anchor, const QString& text, double shift, bool turned) override;

  PageCanvas& canvas() const { return page.canvas(); }
  double scale() const { return slot.scale; }
  using PlanPainter::at;
  QPoint at(double x, double y) const { return at(Tvec2{x, y}); }
  // The cell's structure type, or none when its index is out of range.
  const Tstructure_type* structure() const;
  // A page length of that many millimetres down the page, in pixels.
  int page_mm(double mm) const;

  // The rectangle between two plan corners, corners in any order, as page pixels.
  QRect page_rect(const Tvec2& a, const Tvec2& b) const;
  // A bay's body, its two inner lines 31 mm in from the long sides and its
  // four 4 x 28 mm corner posts; 'V' has the length along y.
  void bay_figure(double cx, double cy, double length, double depth, char orientation) const;
  // Up to three caption lines centred on a bay or module, shrunk to its length.
  void module_captions(double cx, double cy, double length, char orientation, const std::string& size,
                       const std::string& shelves, const std::string& load) const;
  // A text at a page point, horizontal or turned, moved by shift across its line.
  void text_at(QPoint at, const std::string& text, double shift, bool turned) const;
};

// The printed plan's style of the shared plan drawing: black pens, thick for
// the walls and thin for the rest, larger frame discs, lengths as fixed
// decimals or feet and inches, measure texts just off their lines.
PlanStyle page_plan_style(const PageContext& page);

// The size caption of a bay or module: "1000 x 500 x h2000", or inch texts in inch mode.
std::string module_size_text(double length, double width, double height);
// The length text of a wall dimension: fixed decimals, or feet and inches.
std::string wall_length_text(double length);

// A free module's figure in the page's thin pen, the end frames its side
// flags call for, and its captions (size, shelves, load).
void draw_page_free_module(PagePlanPainter& plan, const PlanStyle& style, const Tmodulo_agg& module,
                           const std::string& module_text);
