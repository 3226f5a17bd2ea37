// The parts of the plan that the plan view draws its own way, and the pens
// and culling they share.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_canvas.h"
#include "plan_drawing/plan_painter.h"
#include "plan_drawing/screen_plan_painter.h"

// Pen for a bay, free module or run line: the base colour, then hand-edited
// shelves, then the selection flags (the later rule wins).
PlanPen item_pen(const PlanCanvas& canvas, int base_slot, bool custom_shelves, bool selected, bool selected2);
void set_item_pen(PlanCanvas& canvas, int base_slot, bool custom_shelves, bool selected, bool selected2);

// A bay of a wall's run: skipped far out of view, in the pen of its
// selection, with its size and load texts.
void draw_run_bay(PlanCanvas& canvas, const Tmodulo& bay, const Tvar_amb& state);
// A free module: skipped far out of view, in the pen of its selection, with
// its texts and the end frames its side flags call for (in the service
// view's colours there).
void draw_free_module(ScreenPlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& module,
                      const Tvar_amb& state);
void draw_edit_overlays(ScreenPlanPainter& painter, const PlanStyle& style, const Tvar_amb& state);
