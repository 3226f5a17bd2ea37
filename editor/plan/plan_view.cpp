#include "editor/plan/plan_view.h"

#include <QPainter>

#include "model/state/globals.h"

PlanView::PlanView(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void PlanView::draw_plan() {
  if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
  image_.fill(Qt::white);
  update();
}

void PlanView::fit_plan_to_view(int) {}

void PlanView::zoom_plan(double f) {
  AppState.zoom *= 1.0 + f;
  draw_plan();
}

void PlanView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, image_);
}

void PlanView::resizeEvent(QResizeEvent*) { draw_plan(); }
