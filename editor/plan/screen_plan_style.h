// The plan view's style of the shared plan drawing: palette pens one pixel
// wide, lengths in the user's locale or in feet and inches, measure texts
// centred on their lines.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_canvas.h"
#include "plan_drawing/plan_painter.h"

PlanStyle screen_plan_style(const PlanCanvas& canvas, const Tvar_amb& state);
