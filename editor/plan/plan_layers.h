// What the plan view adds to the shared plan drawing: the pens of marked
// items, and the overlays of its edit modes.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_canvas.h"
#include "plan_drawing/plan_painter.h"
#include "plan_drawing/screen_plan_painter.h"

// Pen for a bay, free module or run line: the base colour, then hand-edited
// shelves, then the selection flags (the later rule wins).
PlanPen item_pen(const PlanCanvas& canvas, int base_slot, const ItemMarks& marks);

// The pending outline segment, the rubber band and the placement templates.
void draw_edit_overlays(ScreenPlanPainter& painter, const PlanStyle& style, const Tvar_amb& state);
