// The bays of the runs and the free modules as either target draws them:
// body, shelf edges, uprights and captions, each part the style's way.
#pragma once

#include <QString>
#include <vector>

#include "model/base/records.h"
#include "plan_drawing/plan_painter.h"

// A bay of a wall's run in its marked pen; skipped where the painter cannot
// show it.
void draw_run_bay(PlanPainter& painter, const PlanStyle& style, const Tmodulo& bay);
// A free module, a trolley's wheels first, with the end frames its side flags
// call for; its clearance dimensions are the layer's.
void draw_free_module(PlanPainter& painter, const PlanStyle& style, const Tmodulo_agg& module);
// Caption lines centred on a figure of that length, one text height apart,
// turned along a vertical run.
void draw_captions(PlanPainter& painter, const PlanStyle& style, const std::vector<QString>& lines, const Tvec2& centre,
                   double length, char orientation);
