// The plan of one cell as the plan view shows it: walls with their faces and
// dimensions, runs of bays with end frames, free-standing modules, compact
// groups and the overlays of the edit modes, drawn through any transform.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_canvas.h"

// Fills the canvas with the background and draws the cell over it. Reads the
// display settings, the edit overlays and the cell extents (already computed
// for this cell) from state. Returns the useful shelf surface of the cell in
// square metres, counting what lies out of view too.
double render_plan(PlanCanvas& canvas, const Tcell& cell, const Tvar_amb& state);
