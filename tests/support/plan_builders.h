// Small builders of walls, bays and free modules for tests and benchmarks.
#pragma once

#include <string>

#include "model/base/records.h"
#include "model/layout/module_shape.h"

inline Tmodulo make_bay(double x, double y, double width, double length, char orientation, int shelves = 5) {
  Tmodulo bay;
  bay.x = x;
  bay.y = y;
  bay.width = width;
  bay.length = length;
  bay.orientation = orientation;
  bay.shelf_count = shelves;
  bay.height = 2000.0;
  return bay;
}

// A free module with the plan extents its orientation gives it.
inline Tmodulo_agg make_free(double x, double y, double width, double length, char orientation, std::string code = {}) {
  Tmodulo_agg module;
  copy_module_shape(module, make_bay(x, y, width, length, orientation));
  module.fit_plan_extent();
  module.code = std::move(code);
  return module;
}

// A wall from (x1, y1) to (x2, y2); horizontal when the y are equal.
inline Tlinea make_wall(double x1, double y1, double x2, double y2) {
  Tlinea wall;
  wall.x1 = x1;
  wall.y1 = y1;
  wall.x2 = x2;
  wall.y2 = y2;
  wall.orientation = y1 == y2 ? 'H' : 'V';
  return wall;
}
