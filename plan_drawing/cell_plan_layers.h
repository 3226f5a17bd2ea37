// The layers of a cell plan that the screen and the printed page draw alike,
// each through the target's painter in the target's style.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_painter.h"

// The walls' outer faces (the cell's wall thickness outside), then the
// clearance lines inside the walls, closed at the corners, with the short
// line from each clearance corner to its wall's start.
void draw_wall_faces(PlanPainter& painter, const Tcell& cell, const PlanStyle& style);
// Each wall's run: its bays, its end frames, the wall line and an opening's
// jambs, and a selected wall's direction arrow where the style shows one.
void draw_wall_runs(PlanPainter& painter, const Tcell& cell, const PlanStyle& style);
// The free modules, a trolley's wheels first, each followed by its
// clearance dimensions.
void draw_free_modules(PlanPainter& painter, const Tcell& cell, const PlanStyle& style);
// The captions of the runs' bays, where the style does not keep them in the
// bays' figures.
void draw_bay_captions(PlanPainter& painter, const Tcell& cell, const PlanStyle& style);
// The rails, kit strips and wall ties of the compact mobile-shelving groups.
void draw_compact_groups(PlanPainter& painter, const Tcell& cell, const PlanStyle& style);
