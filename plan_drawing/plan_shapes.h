// The pieces of shelving as the plan draws them: end frames, the wheels of a
// trolley and compact mobile-shelving groups through either target's painter,
// and a free module's clearance dimensions. The caller chooses pens and
// culling; these only draw.
#pragma once

#include <array>
#include <vector>

#include "model/base/records.h"
#include "plan_drawing/plan_painter.h"

// An end frame across a run of that orientation, in the current pen.
void draw_end_frame(PlanPainter& painter, double x, double y, double depth, char orientation,
                    const EndFrameStyle& style);

// The end frame beyond one end of a free module (end -1: the lower
// coordinate), 18 mm out, turned across the module's run.
void draw_module_frame(PlanPainter& painter, const Tmodulo_agg& module, int end, const EndFrameStyle& style);

// The plan centres of a trolley's four wheels, just beyond its ends.
std::array<Tvec2, 4> trolley_wheel_centres(const Tmodulo_agg& trolley);
// The four wheel rings of a trolley in the current pen.
void draw_trolley_wheels(PlanPainter& painter, const Tmodulo_agg& trolley);

// A compact group in plan millimetres: its two end rails and two kit strips
// (frames), and for each wall it stands against (gap > 0) two tie plates, each
// with its line back to the group.
struct PlanBox {
  Tvec2 corner, opposite;
};
struct CompactGroupTie {
  PlanBox plate;
  Tvec2 from, to;
};
struct CompactGroupFigure {
  std::array<PlanBox, 4> frames;
  std::vector<CompactGroupTie> ties;
};
CompactGroupFigure compact_group_figure(const Tcorvane& group);
// The group's frames in the fill colour, its plates filled and its lines in the pen.
void draw_compact_group(PlanPainter& painter, const Tcorvane& group);

// A free module's clearance dimensions as the plan shows them: measured from
// the outer side of its uprights (4 + 28 mm beyond each end), one for each
// side whose flag is set and whose clearance is still positive.
struct ClearanceDimension {
  double value = 0.0;
  Tvec2 from, to;
};
std::vector<ClearanceDimension> clearance_dimensions(const Tmodulo_agg& module);
