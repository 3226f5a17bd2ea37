#include "plan_drawing/cell_plan.h"

#include "model/base/cell_extents.h"
#include "plan_drawing/cell_plan_layers.h"
#include "plan_drawing/plan_dimensions.h"

void draw_cell_plan(PlanPainter& painter, const Tcell& cell, const PlanStyle& style) {
  for (PlanLayer layer : style.layers) {
    switch (layer) {
      case PlanLayer::WallFaces:
        draw_wall_faces(painter, cell, style);
        break;
      case PlanLayer::WallDimensions:
        draw_wall_dimensions(painter, cell, compute_cell_extents(cell), style);
        break;
      case PlanLayer::WallRuns:
        draw_wall_runs(painter, cell, style);
        break;
      case PlanLayer::FreeModules:
        draw_free_modules(painter, cell, style);
        break;
      case PlanLayer::CompactGroups:
        draw_compact_groups(painter, cell, style);
        break;
      case PlanLayer::BayCaptions:
        draw_bay_captions(painter, cell, style);
        break;
      default:
        painter.draw_own_layer(layer, cell);
    }
  }
}
