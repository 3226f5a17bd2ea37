// The plan view's zoom, pan and fit, and the transform they give a view of a
// size. Nothing here needs a widget: the view size is always passed in.
#pragma once

#include "model/base/records.h"
#include "plan_drawing/plan_transform.h"

// Zoom limits in pixels per millimetre: below the lower one a whole city fits
// in one pixel, above the upper one a millimetre fills a screen; outside them
// the pixel arithmetic stops being meaningful.
inline constexpr double kMinPlanZoom = 1e-4;
inline constexpr double kMaxPlanZoom = 1e3;

// The screen mapping of the plan view of size W x H: the plan origin sits at
// the centre of the view moved by the pan; the scale is the zoom, kept within
// the zoom limits.
PlanTransform view_transform(const Tvar_amb& state, int width, int height);
// Multiplies the zoom by k = 1 + f, scaling the pan with it so the plan point
// under the view's centre stays put. A factor of 0 or less is ignored; the
// result is kept within the zoom limits.
void zoom_view(Tvar_amb& state, double f);

// Fits the view to the cells: the scale at which every cell (widened by
// 600 mm) fits within the view less margin percent, the current cell's box
// centred. Writes cell_extents (all cells) and all_extents (current cell).
// A view without size leaves zoom and pan as they are.
void fit_view(Tvar_amb& state, const Tcells& cells, int width, int height, int margin);
