// The one mapping between plan millimetres (x right, y up) and the pixels of a
// drawing surface (X right, Y down). The plan view and the printed plans each
// set it with their own scale and origin.
#pragma once

#include <QPoint>

#include "model/base/records.h"

// Pixel X = Round(origin_x + scale * x), Y = Round(origin_y - scale * y).
struct PlanTransform {
  double scale = 1.0;  // pixels per millimetre
  double origin_x = 0.0;
  double origin_y = 0.0;
};

QPoint plan_to_screen(const PlanTransform& t, double x, double y);
QPoint plan_to_screen(const PlanTransform& t, const Tvec2& p);
// The exact inverse of plan_to_screen, without rounding.
Tvec2 screen_to_plan(const PlanTransform& t, int X, int Y);
// The pixel reached from a screen point by a plan vector (a, b) in millimetres.
QPoint lay_off(const PlanTransform& t, QPoint from, double a, double b);
