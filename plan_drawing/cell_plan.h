// The plan of one cell, drawn layer by layer in the order the style lists,
// through the target's painter: the same routine for the plan view and the
// printed pages.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_painter.h"

void draw_cell_plan(PlanPainter& painter, const Tcell& cell, const PlanStyle& style);
