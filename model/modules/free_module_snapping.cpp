#include "model/modules/free_module_snapping.h"

#include <cmath>
#include <cstddef>

#include "model/base/text_io.h"
#include "model/layout/cell_walls.h"
#include "model/layout/module_lengths.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/current_cell.h"

namespace {

// Extra distance between the in-line ends of two compact blocks.
constexpr double kCompactBlockGap = 100.0;

// A module's coordinates along its run (x for 'H') and across it.
struct RunAxes {
  bool horizontal;
  template <typename T>
  double along(const T& o) const {
    return horizontal ? o.x : o.y;
  }
  template <typename T>
  double across(const T& o) const {
    return horizontal ? o.y : o.x;
  }
  double& along(Tmodulo_agg& m) const { return horizontal ? m.x : m.y; }
  double& across(Tmodulo_agg& m) const { return horizontal ? m.y : m.x; }
  double extent_across(const Tmodulo_agg& m) const { return horizontal ? m.extent_y : m.extent_x; }
};

// Marks a snap at m's west-or-south end (low) or east-or-north end: the joint
// flag of that end is set and its run-end frame flag cleared.
void mark_end_snap(Tmodulo_agg& m, const RunAxes& axes, bool low_end) {
  if (low_end) {
    (axes.horizontal ? m.clear_o : m.clear_s) = 0;
    m.side_flags[kJointA] = 1;
    m.side_flags[kEndFrameA] = 0;
  } else {
    (axes.horizontal ? m.clear_e : m.clear_n) = 0;
    m.side_flags[kJointB] = 1;
    m.side_flags[kEndFrameB] = 0;
  }
}

// Pulls m's end to 4 mm from the face of something standing across it (a bay
// or a free module), within its length; m's side is kept within that length.
template <typename Across>
bool snap_to_face(Tmodulo_agg& m, const RunAxes& axes, const Across& other) {
  const double du = axes.along(other) - axes.along(m);
  const double dv = axes.across(other) - axes.across(m);
  const double half_face = other.width / 2;
  const double half_length = other.length / 2;
  if (!(std::fabs(du) - half_face - m.length / 2 < kSnapDistance && std::fabs(dv) < half_length)) return false;
  axes.along(m) = axes.along(other) - sign(du) * (m.length / 2 + half_face + kUprightGap);
  mark_end_snap(m, axes, du <= 0);
  if (half_length < axes.extent_across(m) / 2 + std::fabs(dv))
    axes.across(m) = axes.across(other) - sign(dv) * (half_length - axes.extent_across(m) / 2);
  return true;
}

// Sets m in line with a parallel module f, the two sharing one upright.
bool snap_in_line(Tmodulo_agg& m, const RunAxes& axes, const Tmodulo_agg& f, int index, bool extra_gap) {
  const double du = axes.along(f) - axes.along(m);
  const double dv = axes.across(f) - axes.across(m);
  if (!(std::fabs(du) - f.length / 2 - m.length / 2 < kSnapDistance && std::fabs(dv) < f.width / 2 &&
        std::fabs(du) > f.length / 2))
    return false;
  m.coupled_with = index;
  const double gap = 2 * kUprightGap + kUprightWidth + (extra_gap ? kCompactBlockGap : 0.0);
  axes.along(m) = axes.along(f) - sign(du) * (m.length / 2 + f.length / 2 + gap);
  axes.across(m) = axes.across(f);
  const bool low_end = du <= 0;
  mark_end_snap(m, axes, low_end);
  m.snap_side = low_end ? 1 : 0;
  (low_end ? m.snap_a : m.snap_b) = index;
  return true;
}

// Sets m back to back with a parallel module f, the ends on m's side aligned.
bool snap_back_to_back(Tmodulo_agg& m, const RunAxes& axes, const Tmodulo_agg& f) {
  const double du = axes.along(f) - axes.along(m);
  const double dv = axes.across(f) - axes.across(m);
  if (!(std::fabs(du) - f.length / 2 - m.length / 2 < kSnapDistance &&
        std::fabs(dv) < m.width / 2 + f.width / 2 + kSnapDistance && std::fabs(du) < f.length / 2))
    return false;
  axes.along(m) = axes.along(f) - sign(du) * (f.length / 2 - m.length / 2);
  axes.across(m) = axes.across(f) - sign(dv) * (m.width / 2 + f.width / 2);
  return true;
}

// A module lower than the bay it snapped against takes that bay's shelves.
void take_shelves_of(Tmodulo_agg& m, const Tmodulo& bay) {
  if (!(m.height < bay.height)) return;
  m.shelf_pattern = fit_shelf_pattern(bay.shelf_pattern, m.shelf_count, m.height);
  m.shelf_count = shelf_count(m.shelf_pattern);
  m.custom_shelves = 1;
}

bool snap_to_wall_bays(Tmodulo_agg& m, const RunAxes& axes, const Tcell& cell) {
  bool snapped = false;
  for (const Tlinea& wall : cell.walls) {
    const Tmodulo* met = nullptr;
    for (const Tmodulo& bay : wall.modules)
      if (bay.orientation != m.orientation && snap_to_face(m, axes, bay)) met = &bay;
    if (met) take_shelves_of(m, *met);
    snapped = snapped || met;
  }
  return snapped;
}

bool snap_to_free_modules(Tmodulo_agg& m, const RunAxes& axes, const Tcell& cell, bool extra_gap) {
  bool snapped = false;
  for (std::size_t k = 0; k < cell.free_modules.size(); ++k) {
    const Tmodulo_agg& f = cell.free_modules[k];
    if (&f == &m) continue;
    if (f.orientation == m.orientation) {
      snapped = snap_in_line(m, axes, f, static_cast<int>(k), extra_gap) || snapped;
    } else if (snap_to_face(m, axes, f)) {
      m.coupled_with = -1;
      snapped = true;
    }
  }
  return snapped;
}

bool snap_back_to_back_modules(Tmodulo_agg& m, const RunAxes& axes, const Tcell& cell) {
  bool snapped = false;
  for (const Tmodulo_agg& f : cell.free_modules)
    if (&f != &m && f.orientation == m.orientation) snapped = snap_back_to_back(m, axes, f) || snapped;
  return snapped;
}

// Places a compact block's end module at its position along the block and
// snaps it; the block follows the snap.
void preview_block_end(Tcorvane& block, Tmodulo_agg& end, const Tvec2& axis, double offset, double unit_width) {
  const bool block_horizontal = block.orientation == 'H';
  const Tvec2 centre = vec_make(block.x, block.y) + offset * axis;
  end.x = centre.x;
  end.y = centre.y;
  end.width = unit_width;
  end.length = block.depth;
  end.orientation = block_horizontal ? 'V' : 'H';
  end.extent_x = block_horizontal ? unit_width : block.depth;
  end.extent_y = block_horizontal ? block.depth : unit_width;
  if (snap_free_module(end, true)) {
    block.x += end.x - centre.x;
    block.y += end.y - centre.y;
  }
}

}  // namespace

bool snap_free_module(Tmodulo_agg& m, bool extra_gap) {
  m.side_flags[kJointA] = 0;
  m.side_flags[kJointB] = 0;
  m.coupled_with = -1;
  m.snap_side = -1;
  const RunAxes axes{m.orientation == 'H'};
  const Tcell& cell = current_cell();
  bool snapped = snap_to_wall_bays(m, axes, cell);
  m.snap_a = -1;
  m.snap_b = -1;
  snapped = snap_to_free_modules(m, axes, cell, extra_gap) || snapped;
  if (!snapped) snapped = snap_back_to_back_modules(m, axes, cell);
  return snapped;
}

void preview_compact_block() {
  Tcorvane& block = AppState.compact_template;
  double unit_width = 0.0;
  if (block.unit_depths.empty() || !parse_double(block.unit_depths.front(), unit_width)) return;
  const Tvec2 axis = block.orientation == 'H' ? vec_make(1, 0) : vec_make(0, 1);
  preview_block_end(block, block.end_a, axis, -block.overall_length / 2 + unit_width / 2, unit_width);
  preview_block_end(block, block.end_b, axis, block.overall_length / 2 - unit_width / 2, unit_width);
}
