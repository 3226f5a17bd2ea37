// The selection rules of the plan: which walls and modules of a cell the
// pointer or the rubber band catches at this moment (their pending mark,
// drawn highlighted); a release turns them into the selection
// (toggle_pending_selection, edit_modes.h).
#pragma once

#include <QPoint>
#include <array>

#include "model/base/records.h"
#include "plan_drawing/plan_transform.h"

// band is AppState.rubber_band (x1, y1, x2, y2 in pixels; x1 < 0 when no band
// is dragged, and then the pointer's hover decides).
void mark_pending_walls(Tcell& cell, const PlanTransform& t, const std::array<int, 4>& band, QPoint pointer);
// Every bay of every wall, then every free module.
void mark_pending_modules(Tcell& cell, const PlanTransform& t, const std::array<int, 4>& band, QPoint pointer);
