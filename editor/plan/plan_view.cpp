#include "editor/plan/plan_view.h"

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <exception>

#include "editor/guarded_connection.h"
#include "editor/plan/plan_editing.h"
#include "editor/plan/plan_renderer.h"
#include "editor/plan/plan_texts.h"
#include "editor/plan/plan_zoom.h"
#include "model/base/cell_extents.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("PaintBox1"));
  setAttribute(Qt::WA_OpaquePaintEvent);  // the image covers every pixel
  setMouseTracking(true);
}

// Only reads the model: every edit has derived the cell before any view shows it.
void PlanView::draw_plan() {
  // Without a current cell (no project yet) the view shows the bare background.
  static const Tcell no_cell;
  const bool has_cell = AppState.current_cell >= 0 && static_cast<std::size_t>(AppState.current_cell) < Cells.size();
  const Tcell& cell = has_cell ? current_cell() : no_cell;
  AppState.cell_extents = compute_cell_extents(cell);

  const QSize size = this->size().expandedTo(QSize(1, 1));
  if (image_.size() != size) image_ = QImage(size, QImage::Format_RGB32);
  double surface = 0.0;
  {
    QPainter painter(&image_);
    PlanCanvas canvas{painter, view_transform(AppState, size.width(), size.height()), image_.rect(),
                      palette_colours(AppState.palette)};
    surface = render_plan(canvas, cell, AppState);
  }
  update();
  emit status_text_changed(useful_surface_text(surface, AppState));
}

void PlanView::fit_plan_to_view(int margin) { fit_view(AppState, Cells, width(), height(), margin); }

void PlanView::zoom_plan(double f) {
  zoom_view(AppState, f);
  draw_plan();
}

void PlanView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  if (image_.size() == size())
    painter.drawImage(event->rect(), image_, event->rect());
  else
    painter.fillRect(event->rect(), palette_colour(AppState.palette[0]));
}

void PlanView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  try {
    draw_plan();
  } catch (const std::exception& error) {
    // Shown once the event is over, never from inside it.
    show_failure_later(error);
  }
}

void PlanView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  plan_mouse_down(event->button(), at.x(), at.y());
}

void PlanView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  plan_mouse_move(event->buttons(), event->modifiers(), at.x(), at.y(), width(), height());
}

void PlanView::mouseReleaseEvent(QMouseEvent* event) { plan_mouse_up(event->button()); }
