#include "model/layout/wall_placement.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "model/base/plane_vectors.h"
#include "model/layout/cell_walls.h"
#include "model/layout/joined_corners.h"
#include "model/layout/module_lengths.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/current_cell.h"

namespace {

Tmodulo make_bay(const Tlinea& wall, const std::string& pattern, double length, const Tvec2& centre) {
  Tmodulo bay;
  bay.shelf_count = wall.shelf_count;
  bay.height = wall.module_height;
  bay.width = wall.module_depth;
  bay.length = length;
  bay.x = centre.x;
  bay.y = centre.y;
  bay.orientation = wall.orientation;
  bay.shelf_pattern = pattern;
  return bay;
}

Ttestata make_frame(const Tlinea& wall, const Tvec2& centre, const char* type, int before, int after) {
  Ttestata frame;
  frame.x = centre.x;
  frame.y = centre.y;
  frame.height = wall.module_height;
  frame.depth = wall.module_depth;
  frame.orientation = wall.orientation;
  frame.frame_type = type;
  frame.module_before = before;
  frame.module_after = after;
  return frame;
}

void mark_corner_joints(const Tlinea& wall, Tmodulo& bay, int index, int count) {
  bay.corner_joint_start = index == 0 && wall.start_join_high ? 1 : 0;
  bay.corner_joint_end = index == count - 1 && wall.end_join_high ? 1 : 0;
}

// Bays and frames from the start edge of the first bay, x, towards the wall's end.
void lay_run_forward(Tlinea& wall, Tvec2 x, const std::vector<double>& lengths) {
  const Tvec2 d = wall_direction(wall);
  const int count = static_cast<int>(lengths.size());
  const std::string pattern = shelf_pattern(wall.shelf_count, wall.module_height);
  if (!wall.start_join_high) wall.end_frames.push_back(make_frame(wall, x - kUprightCentreOffset * d, "TE", -1, 0));
  for (int i = 0; i < count; ++i) {
    const double length = lengths[static_cast<std::size_t>(i)];
    Tmodulo bay = make_bay(wall, pattern, length, x + (length / 2) * d);
    mark_corner_joints(wall, bay, i, count);
    wall.modules.push_back(std::move(bay));
    x = x + (length + kBayPitchExtra) * d;
    const Tvec2 frame_centre = x - kUprightCentreOffset * d;
    if (i < count - 1)
      wall.end_frames.push_back(make_frame(wall, frame_centre, "TI", i, i + 1));
    else if (!wall.end_join_high)
      wall.end_frames.push_back(make_frame(wall, frame_centre, "TE", i, -1));
  }
}

// Bays and frames from the end edge of the last bay, x, towards the wall's
// start; the frames are stored in that order.
void lay_run_backward(Tlinea& wall, Tvec2 x, const std::vector<double>& lengths) {
  const Tvec2 d = wall_direction(wall);
  const int count = static_cast<int>(lengths.size());
  const std::string pattern = shelf_pattern(wall.shelf_count, wall.module_height);
  wall.modules.resize(lengths.size());
  if (!wall.end_join_high)
    wall.end_frames.push_back(make_frame(wall, x + kUprightCentreOffset * d, "TE", count - 1, -1));
  for (int i = count - 1; i >= 0; --i) {
    const double length = lengths[static_cast<std::size_t>(i)];
    Tmodulo& bay = wall.modules[static_cast<std::size_t>(i)];
    bay = make_bay(wall, pattern, length, x - (length / 2) * d);
    mark_corner_joints(wall, bay, i, count);
    x = x - (length + kBayPitchExtra) * d;
    const Tvec2 frame_centre = x + kUprightCentreOffset * d;
    if (i > 0)
      wall.end_frames.push_back(make_frame(wall, frame_centre, "TI", i - 1, i));
    else if (!wall.start_join_high)
      wall.end_frames.push_back(make_frame(wall, frame_centre, "TE", -1, 0));
  }
}

// The joined neighbour whose run this wall lines up with, or -1. The equal
// length rule breaks a tie by the priorities (bounded walls only).
int alignment_neighbour(int wall_index, bool equal_length_rule) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const int pi = previous_wall_index(cell, wall_index);
  const int ni = next_wall_index(cell, wall_index);
  const Tlinea& p = cell.walls[static_cast<std::size_t>(pi)];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(ni)];
  const bool joined_start = has_start_join(w);
  const bool joined_end = has_end_join(w);
  if (joined_start && !joined_end) return pi;
  if (!joined_start && joined_end) return ni;
  if (!joined_start) return -1;
  int s = -1;
  if (p.start_bounded) s = pi;
  if (n.end_bounded) s = ni;
  if (p.start_bounded == n.end_bounded) {
    if (n.length <= p.length) s = pi;
    if (p.length <= n.length) s = ni;
    if (equal_length_rule && p.length == n.length) {
      if (w.start_join_high && w.end_join_low) s = pi;
      if (w.start_join_low && w.end_join_high) s = ni;
    }
  }
  return s;
}

// The mix flag of the trial fill of the neighbour s.
bool neighbour_trial_mix(int wall_index, int s) {
  const Tcell& cell = current_cell();
  const int pi = previous_wall_index(cell, wall_index);
  const int ni = next_wall_index(cell, wall_index);
  const Tlinea& p = cell.walls[static_cast<std::size_t>(pi)];
  const Tlinea& n = cell.walls[static_cast<std::size_t>(ni)];
  bool mix = true;
  if (s == pi && !p.start_bounded) mix = !p.start_join_high;
  if (s == ni && !n.end_bounded) mix = !n.end_join_high;
  if ((s == pi && p.start_angle == 0.0) || (s == ni && n.end_angle == 0.0)) mix = true;
  return mix;
}

// Fills the neighbour s on trial; its leftover lands in the wall's free_space.
bool trial_fill_neighbour(int wall_index, int s, bool mix) {
  Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  std::vector<double> scratch;
  const int count = current_cell().walls[static_cast<std::size_t>(s)].module_count;
  return choose_module_lengths(count, scratch, s, mix, w.free_space, wall_fill_length(s));
}

}  // namespace

void orient_lengths_to_joins(int wall_index, std::vector<double>& lengths) {
  const Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  if (!w.forced_lengths.empty() || lengths.empty()) return;
  if (has_start_join(w) && lengths.back() < lengths.front()) reverse_doubles(lengths);
  if (has_end_join(w) && lengths.front() < lengths.back()) reverse_doubles(lengths);
}

namespace {

// A wall bounded at both ends, or one with at least one free end.
enum class RunEnds { bounded, free };

// Chooses the wall's lengths and shares its leftover between the run's ends.
bool choose_run_lengths(int wall_index, RunEnds ends, std::vector<double>& lengths) {
  Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  w.laid_out = true;
  const double fill = wall_fill_length(wall_index);
  bool ok = choose_module_lengths(w.module_count, lengths, wall_index, true, w.free_space, fill);
  const bool open_at_both_corners = !w.start_bounded && !w.end_bounded && w.start_angle != 0.0 && w.end_angle != 0.0;
  // Free at two real corners, the run may reach a little past its fill length.
  if (ends == RunEnds::free && open_at_both_corners)
    ok = choose_module_lengths(w.module_count, lengths, wall_index, false, w.free_space, fill);
  orient_lengths_to_joins(wall_index, lengths);
  w.start_free = w.free_space / 2;
  w.end_free = w.free_space / 2;
  w.chain_start = 0;
  if (ends == RunEnds::bounded) return ok;
  if (w.end_join_high && !w.end_bounded) {
    w.start_free = w.free_space;
    w.end_free = 0;
  }
  if (w.start_join_high && !w.start_bounded) {
    w.start_free = 0;
    w.end_free = w.free_space;
  }
  if (!w.start_bounded && !w.end_bounded) {
    w.start_free = w.free_space / 2;
    w.end_free = w.free_space / 2;
  }
  return ok;
}

// Moves the run's line off the wall so that it meets the run of the joined
// neighbour it lines up with, as a trial fill of that neighbour shows it.
void align_with_neighbour(int wall_index, RunEnds ends, bool has_run) {
  const Tcell& cell = current_cell();
  const int s = alignment_neighbour(wall_index, ends == RunEnds::bounded);
  if (s < 0) return;
  const bool mix = neighbour_trial_mix(wall_index, s);
  if (!trial_fill_neighbour(wall_index, s, mix)) return;
  Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  if (ends == RunEnds::free) {
    w.chain_start = (w.start_join_high && w.start_bounded) || (w.end_join_high && w.end_bounded)
                        ? kUprightWidth + kUprightGap
                        : 0.0;
    return;
  }
  // Clear of the upright of the neighbour's run where that run owns the corner.
  const bool past_upright = (s == previous_wall_index(cell, wall_index) && w.start_join_high) ||
                            (s == next_wall_index(cell, wall_index) && w.end_join_high);
  const double upright = past_upright ? kUprightWidth + kUprightGap : 0.0;
  w.chain_start = (mix ? std::fabs(w.free_space / 2) : 0.0) + upright;
  // Lined up with an under-filled neighbour, the run would leave its wall:
  // it stays on it, and the neighbour's run comes to its corner bay.
  if (has_run && !stands_on_its_wall(w.chain_start)) w.chain_start = upright;
}

// Where the first bay begins, measured along the wall from its start.
double run_start_position(int wall_index, RunEnds ends) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tlinea& p = cell.walls[static_cast<std::size_t>(previous_wall_index(cell, wall_index))];
  const double s = cell.clearance;
  double start = s + w.start_gap + unjoined_start_allowance(wall_index) + run_start_room(wall_index) + w.start_free +
                 kUprightWidth + kUprightGap;
  if (w.start_join_high && w.start_bounded) start = s + w.start_free + p.module_depth + kUprightGap;
  if (ends == RunEnds::bounded) return start;
  const bool open_start = !w.start_bounded && !straight_at_start(w);
  if (w.start_join_high && open_start) start = 4 - s;
  if (w.start_join_low && open_start) start = -s - p.module_depth;
  if (w.end_join_low && !w.end_bounded) start += w.end_free;
  return start;
}

void place_modules(int wall_index, RunEnds ends) {
  std::vector<double> lengths;
  const bool ok = choose_run_lengths(wall_index, ends, lengths);
  align_with_neighbour(wall_index, ends, ok);
  // Without lengths the wall keeps no bays; the layout reports it once it is done.
  if (!ok) return;
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  place_run_frames(wall_index, run_start_position(wall_index, ends),
                   w.module_depth / 2 + cell.clearance + w.chain_start, lengths);
}

}  // namespace

void place_modules_bounded(int wall_index) { place_modules(wall_index, RunEnds::bounded); }

void place_modules_free(int wall_index) { place_modules(wall_index, RunEnds::free); }

void place_run_frames(int wall_index, double start_position, double offset, const std::vector<double>& lengths) {
  Tlinea& w = current_cell().walls[static_cast<std::size_t>(wall_index)];
  const Tvec2 first_edge = wall_start(w) + start_position * wall_direction(w) - offset * wall_normal(w);
  lay_run_forward(w, first_edge, lengths);
}

namespace {

// The bay of the neighbour at the corner a walk enters a wall through, or null.
const Tmodulo* neighbour_bay_at_corner(int wall_index, bool forward) {
  const Tcell& cell = current_cell();
  const Tlinea& neighbour = cell.walls[static_cast<std::size_t>(forward ? previous_wall_index(cell, wall_index)
                                                                        : next_wall_index(cell, wall_index))];
  if (neighbour.modules.empty()) return nullptr;
  return forward ? &neighbour.modules.back() : &neighbour.modules.front();
}

// Where a joined run entered from the neighbour's bay m begins: the edge of
// its first bay (forward) or of its last bay (backward), on its centre line.
Tvec2 joined_run_edge(int wall_index, bool forward, const Tmodulo& m) {
  const Tcell& cell = current_cell();
  const Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const Tvec2 d = wall_direction(w);
  const double depth = w.module_depth;
  const Tvec2 corner = forward ? wall_start(w) : wall_end(w);
  const Tvec2 own_line = corner - (depth / 2 + cell.clearance) * wall_normal(w);
  if (forward ? straight_at_start(w) : straight_at_end(w)) {
    // The run goes straight on, one upright past the neighbour's bay, on this wall's own line.
    const double sign = forward ? 1.0 : -1.0;
    return own_line + (vec_dot(vec_make(m.x, m.y) - own_line, d) + sign * (m.length / 2 + kBayPitchExtra)) * d;
  }
  // Past the neighbour's face when it owns the corner, past its end when this wall does.
  const Tvec2 dn = wall_direction(cell.walls[static_cast<std::size_t>(forward ? previous_wall_index(cell, wall_index)
                                                                              : next_wall_index(cell, wall_index))]);
  Tvec2 x = vec_make(m.x, m.y);
  if (forward) {
    if (w.start_join_high) x = x + (m.width / 2 + kUprightGap) * d + (m.length / 2 - depth / 2) * dn;
    if (w.start_join_low) x = x + (depth / 2 + m.length / 2 + kUprightGap) * dn - (m.width / 2) * d;
  } else {
    if (w.end_join_high) x = x - (m.width / 2 + kUprightGap) * d + (depth / 2 - m.length / 2) * dn;
    if (w.end_join_low) x = x - (m.length / 2 + kUprightGap + depth / 2) * dn + (m.width / 2) * d;
  }
  return x;
}

// How far a run whose centre line passes through x stands off its wall (through
// the point on_wall), beyond S + depth/2.
double off_wall_at(const Tlinea& w, const Tvec2& on_wall, const Tvec2& x, double clearance) {
  return -vec_dot(x - on_wall, wall_normal(w)) - w.module_depth / 2 - clearance;
}

}  // namespace

bool place_along_wall(int wall_index, std::string_view direction, const std::vector<double>& lengths) {
  Tcell& cell = current_cell();
  Tlinea& w = cell.walls[static_cast<std::size_t>(wall_index)];
  const bool forward = direction == "AVANTI";
  const Tvec2 corner = forward ? wall_start(w) : wall_end(w);
  Tvec2 x = corner - (w.module_depth / 2 + cell.clearance) * wall_normal(w);
  // Beside a neighbour without bays, a run joined high there would carry a
  // joint mark with nothing to join.
  bool meets = !(forward ? w.start_join_high : w.end_join_high);
  if (const Tmodulo* m = neighbour_bay_at_corner(wall_index, forward)) {
    x = joined_run_edge(wall_index, forward, *m);
    w.chain_start = off_wall_at(w, corner, x, cell.clearance);
    meets = stands_on_its_wall(w.chain_start);
  }
  if (forward)
    lay_run_forward(w, x, lengths);
  else
    lay_run_backward(w, x, lengths);
  return meets;
}
