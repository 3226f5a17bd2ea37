// The layers of the plan drawing, in the order the renderer draws them. Each
// adds the shelf surface it draws to the running total.
#pragma once

#include "model/state/records.h"
#include "plan_drawing/plan_canvas.h"
#include "plan_drawing/plan_painter.h"
#include "plan_drawing/screen_plan_painter.h"

// Pen for a bay, free module or run line: the base colour, then hand-edited
// shelves, then the selection flags (the later rule wins).
void set_item_pen(PlanCanvas& canvas, int base_slot, bool custom_shelves, bool selected, bool selected2);

// True when a pixel lies within margin pixels beyond the surface's edges.
bool near_view(const PlanCanvas& canvas, QPoint p, double margin);

double draw_wall_runs(ScreenPlanPainter& painter, const PlanStyle& style, const Tcell& cell, const Tvar_amb& state);

double draw_free_modules(ScreenPlanPainter& painter, const PlanStyle& style, const Tcell& cell, const Tvar_amb& state);
void draw_edit_overlays(ScreenPlanPainter& painter, const PlanStyle& style, const Tvar_amb& state);
