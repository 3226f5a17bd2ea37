#include "output/print/plan_painter.h"

#include <algorithm>
#include <cstddef>

#include "model/base/rounding.h"
#include "model/base/units.h"
#include "model/layout/load_labels.h"
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

// Size, shelves and, when loads are printed, the load of a bay or module.
std::vector<QString> page_captions(double length, double width, double height, int shelves,
                                   const std::string& module_text, const std::string& load) {
  std::vector<QString> lines{QString::fromStdString(module_size_text(length, width, height)),
                             QString::fromStdString(std::to_string(shelves) + " " + module_text)};
  if (AppState.print_max_loads) lines.push_back(QString::fromStdString(load));
  return lines;
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
  if (turned)
    draw_page_text_vertical(canvas(), anchor.x(), anchor.y(), text.toStdString(), shift);
  else
    draw_page_text_horizontal(canvas(), anchor.x(), anchor.y(), text.toStdString(), shift);
}

void PagePlanPainter::use_caption_font(const std::vector<QString>& lines, double length_mm) {
  canvas().set_font(plan_font);
  int widest = 0;
  for (std::size_t i = 0; i < std::min<std::size_t>(lines.size(), 2); ++i)
    widest = std::max(widest, canvas().text_width(lines[i].toStdString()));
  int room = rounded(length_mm * scale());
  if (widest > room && widest > 0) {
    int height = rounded(static_cast<double>(plan_font.height) * room / widest);
    canvas().set_font(PageFont{std::max(height, 1), false});
  }
}

PlanStyle page_plan_style(const PageContext& page, const std::string& module_text) {
  PlanStyle style;
  style.layers = {PlanLayer::WallFaces,      PlanLayer::WallRuns,    PlanLayer::Captions,    PlanLayer::WallBand,
                  PlanLayer::WallDimensions, PlanLayer::BayCaptions, PlanLayer::FreeModules, PlanLayer::CompactGroups};
  style.rounding = OffsetRounding::ScaledTerms;
  style.face_pen = [&page](const Tlinea& wall) {
    return PlanPen{QColor(Qt::black), wall.kind == 1 ? page.pen_thick : page.pen_thin};
  };
  style.clearance_pen = {QColor(Qt::black), page.pen_thin};
  style.bay_pen = style.frame_pen = {QColor(Qt::black), page.pen_thin};
  style.bays = {QColor(Qt::white), true, std::nullopt, false, 'H'};
  style.bay_captions = [module_text](const Tmodulo& bay) {
    return page_captions(bay.length, bay.width, bay.height, bay.shelf_count, module_text, max_load_label(bay));
  };
  style.module_captions = [module_text](const Tmodulo_agg& module) {
    return page_captions(module.length, module.width, module.height, module.shelf_count, module_text,
                         max_load_label_free(module));
  };
  // The frames keep the pen the figure left; their discs leave it black.
  style.module_frames_at_joints = true;
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

std::string module_size_text(double length, double width, double height) {
  if (AppState.inches) return inch_text_length(length) + " x " + inch_text(width) + " x h" + inch_text_height(height);
  return general_number_text(length) + " x " + general_number_text(width) + " x h" + general_number_text(height);
}

std::string wall_length_text(double length) {
  if (AppState.inches) return format_feet_inches(length / MmPerInch);
  return fixed_number_text(length, AppState.decimals);
}
