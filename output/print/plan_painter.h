// What the routines of a printed cell plan share: the page, the slot, the
// cell and the plan font, with the plan-to-page transform and the figures
// that bays and free modules have in common.
#pragma once

#include <string>

#include "model/base/cell_extents.h"
#include "model/base/records.h"
#include "output/print/page_context.h"
#include "output/print/plan_slot.h"

struct PlanPainter {
  PageContext& page;
  const PlanSlot& slot;
  const Tcell& cell;
  PageFont plan_font;  // 100 plan millimetres high

  PageCanvas& canvas() const { return page.canvas(); }
  double scale() const { return slot.scale; }
  QPoint at(double x, double y) const { return plan_to_page(slot, x, y); }
  QPoint at(const Tvec2& p) const { return at(p.x, p.y); }
  // The cell's structure type, or none when its index is out of range.
  const Tstructure_type* structure() const;
  // A page length of that many millimetres down the page, in pixels.
  int page_mm(double mm) const;

  void line(const Tvec2& a, const Tvec2& b) const;
  // The rectangle between two plan corners, corners in any order, as page pixels.
  QRect page_rect(const Tvec2& a, const Tvec2& b) const;
  // A filled black dot of radius 17 plan millimetres at a page point.
  void solid_marker(double x, double y) const;
  // A circle of radius 50 plan millimetres in the pen colour at a page point.
  void hollow_marker(double x, double y) const;
  // A bay's body, its two inner lines 31 mm in from the long sides and its
  // four 4 x 28 mm corner posts; 'V' has the length along y.
  void bay_figure(double cx, double cy, double length, double depth, char orientation) const;
  // Up to three caption lines centred on a bay or module, shrunk to its length.
  void module_captions(double cx, double cy, double length, char orientation, const std::string& size,
                       const std::string& shelves, const std::string& load) const;
  // A text at a page point, horizontal or turned, moved by shift across its line.
  void text_at(QPoint at, const std::string& text, double shift, bool turned) const;
};

// The size caption of a bay or module: "1000 x 500 x h2000", or inch texts in inch mode.
std::string module_size_text(double length, double width, double height);
// The length text of a wall dimension: fixed decimals, or feet and inches.
std::string wall_length_text(double length);

// A dimension line between two plan points, with an arrowhead at each end
// and its measure text beside its middle.
void draw_page_dimension_line(const PlanPainter& plan, const std::string& text, const Tvec2& a, const Tvec2& b);
// The length dimensions of the walls that show them, outside the cell's extents.
void draw_wall_dimensions(const PlanPainter& plan, const Textents& extents);
// Free modules and trolleys with their captions and clearance dimensions.
void draw_free_modules(const PlanPainter& plan);
// The rails, bands and wall plates of the compact mobile-shelving groups.
void draw_compact_groups(const PlanPainter& plan);
