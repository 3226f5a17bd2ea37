#include "model/layout/geometry_check.h"

#include <cstddef>

#include "model/base/plane_vectors.h"
#include "model/layout/cell_walls.h"
#include "model/state/current_cell.h"

namespace {

// The corner from wall a to the next wall b is one a room outline can have:
// straight on, an inside corner (a runs into b's normal) or an outside corner
// (b leaves along a's normal), never both.
bool valid_corner(const Tlinea& a, const Tlinea& b) {
  const Tvec2 da = wall_direction(a);
  const Tvec2 db = wall_direction(b);
  const Tvec2 na = wall_normal(a);
  const Tvec2 nb = wall_normal(b);
  const bool slanted = da.x != 0.0 && da.y != 0.0;
  const bool folds_back = vec_same_or_opposite(da, db) && !vec_equal(da, db);
  const bool normals_contradict = vec_equal(da, nb) && vec_equal(na, db);
  const bool no_corner = !vec_equal(da, db) && !vec_equal(da, nb) && !vec_equal(na, db);
  return !slanted && !folds_back && !normals_contradict && !no_corner;
}

bool outline_is_valid(const Tcell& cell) {
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i)
    if (!valid_corner(cell.walls[static_cast<std::size_t>(i)],
                      cell.walls[static_cast<std::size_t>(next_wall_index(cell, i))]))
      return false;
  return true;
}

}  // namespace

bool check_cell_geometry() { return outline_is_valid(read_current_cell()); }

bool has_invalid_outline(const Tcell& cell) { return cell.outline_closed && !outline_is_valid(cell); }
