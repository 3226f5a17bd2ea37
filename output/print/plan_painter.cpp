#include "output/print/plan_painter.h"

#include <algorithm>

#include "model/base/rounding.h"
#include "model/base/units.h"
#include "model/state/globals.h"
#include "output/print/page_numbers.h"
#include "plan_drawing/plan_canvas.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

// The rectangle with two pixels as opposite corners, in either order.
QRect spanned(QPoint a, QPoint b) {
  return QRect(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
               QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
}

}  // namespace

PagePlanPainter::PagePlanPainter(PageContext& page, const PlanSlot& slot, const Tcell& cell)
    : PlanPainter(slot_transform(slot)),
      page(page),
      slot(slot),
      cell(cell),
      plan_font{std::max(rounded(100 * slot.scale), 1), false} {}

void PagePlanPainter::set_pen(const PlanPen& pen) {
  canvas().set_pen_colour(pen.colour.rgb());
  canvas().set_pen_width(pen.width);
}

void PagePlanPainter::segment(QPoint a, QPoint b) { canvas().line(a.x(), a.y(), b.x(), b.y()); }

void PagePlanPainter::disc(QPoint centre, double radius_mm) {
  const double r = radius_mm * scale();
  canvas().set_brush(qRgb(0, 0, 0));
  canvas().set_pen_colour(qRgb(0, 0, 0));
  canvas().ellipse(rounded(centre.x() - r), rounded(centre.y() - r), rounded(centre.x() + r), rounded(centre.y() + r));
}

void PagePlanPainter::ring(QPoint centre, double radius_mm) {
  const double r = radius_mm * scale();
  canvas().set_brush(canvas().pen_colour(), false);
  canvas().ellipse(rounded(centre.x() - r), rounded(centre.y() - r), rounded(centre.x() + r), rounded(centre.y() + r));
}

void PagePlanPainter::frame(QPoint a, QPoint b) {
  const QRect r = spanned(a, b);
  canvas().frame_rect(r.left(), r.top(), r.right(), r.bottom());
}

void PagePlanPainter::fill(QPoint a, QPoint b) {
  const QRect r = spanned(a, b);
  canvas().fill_rect(r.left(), r.top(), r.right(), r.bottom());
}

void PagePlanPainter::label(QPoint anchor, const QString& text, double shift, bool turned) {
  text_at(anchor, text.toStdString(), shift, turned);
}

PlanStyle page_plan_style(const PageContext& page) {
  PlanStyle style;
  style.layers = {PlanLayer::WallFaces,      PlanLayer::WallRuns,    PlanLayer::Captions,    PlanLayer::WallBand,
                  PlanLayer::WallDimensions, PlanLayer::BayCaptions, PlanLayer::FreeModules, PlanLayer::CompactGroups};
  style.rounding = OffsetRounding::ScaledTerms;
  style.face_pen = [&page](const Tlinea& wall) {
    return PlanPen{QColor(Qt::black), wall.kind == 1 ? page.pen_thick : page.pen_thin};
  };
  style.clearance_pen = {QColor(Qt::black), page.pen_thin};
  style.bay_pen = style.frame_pen = {QColor(Qt::black), page.pen_thin};
  style.wall_frames = {14.0, 17.0};
  style.wall_pen = style.face_pen;
  style.jamb_pen = {QColor(Qt::black), page.pen_thick};
  style.module_frames = {28.0, 17.0};
  style.module_pen = {palette_colour(AppState.palette[2]), page.pen_thin};
  style.clearances_in_dimension_pen = false;
  style.clearance_text = [](double value) {
    return QString::fromStdString(fixed_number_text(value, AppState.decimals));
  };
  style.group_pen = {QColor(Qt::black), page.pen_thin};
  style.dimension_pen = {QColor(Qt::black), page.pen_thin};
  style.dimension_text_nudge = 2;
  style.wall_length_text = [](double mm) { return QString::fromStdString(wall_length_text(mm)); };
  return style;
}

const Tstructure_type* PagePlanPainter::structure() const {
  if (cell.structure_type < 0 || static_cast<std::size_t>(cell.structure_type) >= StructureTypes.size()) return nullptr;
  return &StructureTypes[static_cast<std::size_t>(cell.structure_type)];
}

int PagePlanPainter::page_mm(double mm) const { return rounded(mm * page.px_per_mm_y); }

QRect PagePlanPainter::page_rect(const Tvec2& a, const Tvec2& b) const { return spanned(at(a), at(b)); }

void PagePlanPainter::bay_figure(double cx, double cy, double length, double depth, char orientation) const {
  bool vertical = orientation == 'V';
  // Offsets along and across the length, turned into plan points by the orientation.
  auto point = [&](double along, double across) {
    return vertical ? Tvec2{cx + across, cy + along} : Tvec2{cx + along, cy + across};
  };
  double l = length / 2;
  double d = depth / 2;
  canvas().set_brush(qRgb(255, 255, 255));
  canvas().polygon(QPolygon({at(point(-l, -d)), at(point(l, -d)), at(point(l, d)), at(point(-l, d))}));

  QRect body = page_rect(point(-l, -d), point(l, d));
  int inset = rounded(31 * scale());
  if (vertical) {
    canvas().line(body.left() + inset, body.top(), body.left() + inset, body.bottom());
    canvas().line(body.right() - inset, body.top(), body.right() - inset, body.bottom());
  } else {
    canvas().line(body.left(), body.top() + inset, body.right(), body.top() + inset);
    canvas().line(body.left(), body.bottom() - inset, body.right(), body.bottom() - inset);
  }

  for (double end : {-1.0, 1.0}) {
    double from = end * l;
    double to = end * (l + 4);
    for (double side : {-1.0, 1.0}) {
      double near = side * d;
      double far = side * (d - 28);
      canvas().polygon(
          QPolygon({at(point(from, near)), at(point(to, near)), at(point(to, far)), at(point(from, far))}));
    }
  }
}

void PagePlanPainter::text_at(QPoint at, const std::string& text, double shift, bool turned) const {
  if (turned)
    draw_page_text_vertical(canvas(), at.x(), at.y(), text, shift);
  else
    draw_page_text_horizontal(canvas(), at.x(), at.y(), text, shift);
}

void PagePlanPainter::module_captions(double cx, double cy, double length, char orientation, const std::string& size,
                                      const std::string& shelves, const std::string& load) const {
  canvas().set_font(plan_font);
  int widest = std::max(canvas().text_width(size), canvas().text_width(shelves));
  int room = rounded(length * scale());
  if (widest > room && widest > 0) {
    int height = rounded(static_cast<double>(plan_font.height) * room / widest);
    canvas().set_font(PageFont{std::max(height, 1), false});
  }
  QPoint anchor = at(cx, cy);
  bool turned = orientation == 'V';
  if (AppState.print_max_loads) {
    text_at(anchor, size, -1, turned);
    text_at(anchor, shelves, 0, turned);
    text_at(anchor, load, 1, turned);
  } else {
    text_at(anchor, size, -0.5, turned);
    text_at(anchor, shelves, 0.5, turned);
  }
}

std::string module_size_text(double length, double width, double height) {
  if (AppState.inches) return inch_text_length(length) + " x " + inch_text(width) + " x h" + inch_text_height(height);
  return general_number_text(length) + " x " + general_number_text(width) + " x h" + general_number_text(height);
}

std::string wall_length_text(double length) {
  if (AppState.inches) return format_feet_inches(length / MmPerInch);
  return fixed_number_text(length, AppState.decimals);
}
