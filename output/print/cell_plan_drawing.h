// The plan of one cell in its slot of a printed page: walls with their outer
// faces and clearance lines, bays and uprights, the grey wall band, wall
// dimensions, bay captions, free modules and trolleys with their clearance
// dimensions, compact mobile-shelving groups, and the captions under the plan.
#pragma once

#include "output/print/page_context.h"
#include "output/print/plan_slot.h"

void draw_cell_plan(PageContext& page, const Tcell& cell, const PlanSlot& slot);
