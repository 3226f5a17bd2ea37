#include "model/layout/layout_engine.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <limits>

#include "model/base/plane_vectors.h"
#include "model/layout/cell_walls.h"
#include "model/layout/corner_joints.h"
#include "model/layout/free_module_clearances.h"
#include "model/layout/joined_corners.h"
#include "model/layout/layout_passes.h"
#include "model/layout/layout_rounds.h"
#include "model/layout/module_lengths.h"
#include "model/state/current_cell.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

// The index among the unplaced walls with bays that pass the filter whose
// value is largest; the first one wins ties.
template <typename Filter, typename Value>
int pick_wall(Filter passes, Value value) {
  const Tcell& cell = current_cell();
  int best = -1;
  double best_value = 0.0;
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    const Tlinea& w = cell.walls[i];
    if (w.laid_out || w.module_count <= 0 || !passes(w)) continue;
    double v = value(w);
    if (best < 0 || v > best_value) {
      best = static_cast<int>(i);
      best_value = v;
    }
  }
  return best;
}

void reset_wall_for_pass(Tcell& cell, int i) {
  Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
  w.laid_out = false;
  w.start_bounded = wall_corner_direction(i, previous_wall_index(cell, i));
  w.end_bounded = wall_corner_direction(i, next_wall_index(cell, i));
  w.start_join_high = w.end_join_high = w.start_join_low = w.end_join_low = false;
  w.chain_start = 0;
  w.modules.clear();
  w.end_frames.clear();
  w.length = vec_length(wall_end(w) - wall_start(w));
  if (w.kind == 0) {
    w.module_count = 0;
    w.shelf_count = 0;
  }
}

void set_join_flags(Tcell& cell, int i) {
  Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
  const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, i))];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, i))];
  w.start_join_high = p.priority > w.priority && carries_bays(p);
  w.end_join_high = n.priority > w.priority && carries_bays(n);
  w.start_join_low = p.priority < w.priority && carries_bays(p);
  w.end_join_low = n.priority < w.priority && carries_bays(n);
}

// A clearance at a corner cuts the join on both sides of it.
void cut_joins_at_clearances(Tcell& cell, int i) {
  const Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
  if (w.start_gap > 0) unjoin_corner(cell, previous_wall_index(cell, i));
  if (w.end_gap > 0) unjoin_corner(cell, i);
}

// Distance along the wall's axis from one of its end points to a bay's centre.
double axis_distance(const Tlinea& wall, const Tmodulo& bay, double end_x, double end_y) {
  return wall.orientation == 'H' ? std::fabs(bay.x - end_x) : std::fabs(bay.y - end_y);
}

void measure_run_end_gaps(Tcell& cell, int i) {
  Tlinea& w = cell.walls[static_cast<std::size_t>(i)];
  const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, i))];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(next_wall_index(cell, i))];
  w.start_free = 0;
  w.end_free = 0;
  if (w.module_count <= 0 || w.modules.empty()) return;
  const Tmodulo& first = w.modules.front();
  const Tmodulo& last = w.modules.back();
  const double upright = kUprightGap + kUprightWidth;
  w.start_free = w.start_join_high ? p.chain_start + cell.clearance
                                   : axis_distance(w, first, w.x1, w.y1) - first.length / 2 - upright;
  w.end_free =
      w.end_join_high ? n.chain_start + cell.clearance : axis_distance(w, last, w.x2, w.y2) - last.length / 2 - upright;
  if (!w.start_bounded && w.start_angle != 0.0) w.start_free = 0;
  if (!w.end_bounded && w.end_angle != 0.0) w.end_free = 0;
}

}  // namespace

void recompute_layout() {
  centre_cell_outline();
  lay_out_soundly();
  // text::no_lengths_fit once for each wall that found no lengths in the layout kept.
  for (const Tlinea& w : current_cell().walls)
    if (w.laid_out && w.module_count > 0 && w.modules.empty()) ui().show_message(lang_text(text::no_lengths_fit));
  compute_run_end_gaps();
  join_corner_modules();
  for (Tmodulo_agg& module : current_cell().free_modules) compute_free_module_clearances(module);
}

void centre_cell_outline() {
  Tcell& cell = current_cell();
  if (cell.walls.empty()) return;
  double max_x = -std::numeric_limits<double>::infinity();
  double min_x = std::numeric_limits<double>::infinity();
  double max_y = max_x;
  double min_y = min_x;
  for (const Tlinea& w : cell.walls) {
    max_x = std::max({max_x, w.x1, w.x2});
    min_x = std::min({min_x, w.x1, w.x2});
    max_y = std::max({max_y, w.y1, w.y2});
    min_y = std::min({min_y, w.y1, w.y2});
  }
  const double cx = (max_x + min_x) / 2;
  const double cy = (max_y + min_y) / 2;
  for (Tlinea& w : cell.walls) {
    w.x1 -= cx;
    w.x2 -= cx;
    w.y1 -= cy;
    w.y2 -= cy;
  }
}

void compute_usable_lengths() {
  Tcell& cell = current_cell();
  const int count = static_cast<int>(cell.walls.size());
  for (int i = 0; i < count; ++i) reset_wall_for_pass(cell, i);
  // The join flags read the neighbours' counts, so they follow the reset of all walls.
  for (int i = 0; i < count; ++i) set_join_flags(cell, i);
  for (int i = 0; i < count; ++i) cut_joins_at_clearances(cell, i);
}

bool wall_corner_direction(int a, int b) {
  const Tcell& cell = current_cell();
  const Tlinea* ending = &cell.walls[static_cast<std::size_t>(a)];
  const Tlinea* other = &cell.walls[static_cast<std::size_t>(b)];
  // The wall that ends at the corner is the one whose end meets the other's start.
  if (ending->x2 != other->x1 && ending->y2 != other->y1) std::swap(ending, other);
  return vec_equal(wall_direction(*ending), wall_normal(*other));
}

bool all_walls_laid_out() {
  const Tcell& cell = current_cell();
  return std::none_of(cell.walls.begin(), cell.walls.end(),
                      [](const Tlinea& w) { return w.kind == 1 && w.module_count > 0 && !w.laid_out; });
}

int pick_next_bounded_wall() {
  return pick_wall([](const Tlinea& w) { return w.start_bounded && w.end_bounded; },
                   [](const Tlinea& w) { return w.length - w.start_gap - w.end_gap; });
}

int pick_next_free_wall() {
  return pick_wall([](const Tlinea& w) { return !(w.start_bounded && w.end_bounded); },
                   [](const Tlinea& w) { return w.length; });
}

void compute_run_end_gaps() {
  Tcell& cell = current_cell();
  for (int i = 0; i < static_cast<int>(cell.walls.size()); ++i) measure_run_end_gaps(cell, i);
}

void set_wall_priority(int wall_index, int priority) {
  Tcell& cell = current_cell();
  // A command with no wall to act on changes nothing.
  if (wall_index < 0 || static_cast<std::size_t>(wall_index) >= cell.walls.size()) return;
  Tlinea& wall = cell.walls[static_cast<std::size_t>(wall_index)];
  const int old = wall.priority;
  for (Tlinea& w : cell.walls) {
    if (priority < old && w.priority >= priority && w.priority <= old) ++w.priority;
    if (priority > old && w.priority >= old && w.priority <= priority) --w.priority;
  }
  wall.priority = priority;
}

void set_wall_priority_twin(int wall_index, int priority) { set_wall_priority(wall_index, priority); }
