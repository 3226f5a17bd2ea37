// The dimension lines of a cell plan: a measure between two plan points, and
// the lengths of the walls that show them, with their free spaces, outside
// the cell's extents.
#pragma once

#include <QString>

#include "model/base/cell_extents.h"
#include "model/base/records.h"
#include "plan_drawing/plan_painter.h"

// A line in the current pen between two plan points, an arrowhead pointing
// into it at each end, its text above (horizontal) or left of (otherwise) its
// middle in the label font.
void draw_dimension_line(PlanPainter& painter, const PlanStyle& style, const QString& text, const Tvec2& a,
                         const Tvec2& b);
// The wall dimensions in the style's dimension pen: the overall length on the
// outer row, the free spaces and the run between them on the inner one.
void draw_wall_dimensions(PlanPainter& painter, const Tcell& cell, const Textents& extents, const PlanStyle& style);
