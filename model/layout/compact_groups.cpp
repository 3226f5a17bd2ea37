#include "model/layout/compact_groups.h"

#include <algorithm>
#include <cassert>
#include <cmath>
#include <map>
#include <optional>
#include <string>
#include <utility>

#include "model/base/part_placement.h"
#include "model/base/plane_vectors.h"
#include "model/catalogue/compact_codes.h"
#include "model/layout/compact_surroundings.h"
#include "model/layout/corner_joints.h"
#include "model/layout/load_labels.h"
#include "model/state/globals.h"

namespace {

// A fixed end with its nearest mobile unit farther than this has an open aisle beside it.
constexpr double kAisleMinimum = 50.0;

struct FixedEnds {
  std::optional<CompactEnd> a;
  std::optional<CompactEnd> b;  // the last one found when there are more than two
};

// The number of a fixed-end code written as the group codes are written;
// other spellings belong to no group.
std::optional<int> fixed_group_number(const std::string& code) {
  if (!is_fixed_compact_code(code)) return std::nullopt;
  std::optional<int> number = compact_group_number(code);
  if (!number || *number < 1 || code != fixed_compact_code(*number)) return std::nullopt;
  return number;
}

// The fixed ends of every group of the cell by group number: free modules
// first, then the bays of the walls in order.
std::map<int, FixedEnds> find_fixed_ends(const Tcell& cell) {
  std::map<int, FixedEnds> found;
  auto note = [&found](const std::string& code, const CompactEnd& end) {
    if (std::optional<int> number = fixed_group_number(code)) {
      FixedEnds& ends = found[*number];
      (ends.a ? ends.b : ends.a) = end;
    }
  };
  for (const Tmodulo_agg& module : cell.free_modules) note(module.code, compact_end(module));
  for (const Tlinea& wall : cell.walls)
    for (const Tmodulo& bay : wall.modules) note(bay.group_code, compact_end(bay));
  return found;
}

// The smallest gap between an end and the mobile units of its group; nothing
// when the group has no mobile unit, since there is then no aisle to show.
std::optional<double> nearest_mobile_gap(const Tcell& cell, int number, const CompactEnd& end) {
  const std::string code = mobile_compact_code(number);
  std::optional<double> smallest;
  for (const Tmodulo_agg& module : cell.free_modules) {
    if (module.code != code) continue;
    const double gap = std::hypot(module.x - end.x, module.y - end.y) - module.width / 2 - end.width / 2;
    if (!smallest || gap < *smallest) smallest = gap;
  }
  return smallest;
}

// The aisle is the open space between a fixed end and the nearest mobile
// unit; the one beside end b wins when both ends have one.
void place_aisle(Tcorvane& group, const Tcell& cell, int number, const CompactEnd& a, const CompactEnd& b) {
  for (const auto& [from, to] : {std::pair{a, b}, std::pair{b, a}}) {
    const std::optional<double> gap = nearest_mobile_gap(cell, number, from);
    if (!gap || *gap <= kAisleMinimum) continue;
    const Tvec2 axis = vec_normalize(vec_make(to.x - from.x, to.y - from.y));
    const double offset = *gap / 2 + from.width / 2;
    group.aisle_x = from.x + offset * axis.x;
    group.aisle_y = from.y + offset * axis.y;
  }
}

// The group runs along x ('H') or y ('V'); its ends stand with their width along that axis.
void shape_group(Tcorvane& group, char orientation, double end_distance, const CompactEnd& a, const std::string& code) {
  group.orientation = orientation;
  group.overall_length = end_distance + a.width;
  group.depth = compact_group_depth(a.length);
  const bool along_x = orientation == 'H';
  group.extent_x = along_x ? group.overall_length : group.depth;
  group.extent_y = along_x ? group.depth : group.overall_length;
  group.group_code = code;
}

Tcorvane make_group(const Tcell& cell, int cell_index, int k, int number, CompactEnd a, CompactEnd b) {
  if ((b.x < a.x && a.y == b.y) || (a.x == b.x && b.y < a.y)) std::swap(a, b);
  Tcorvane group;
  group.wall_gaps = compact_wall_gaps(cell, a, b);
  const std::string code =
      "K" + std::to_string((cell_index + 1) * 10 + k) + "_" + compact_position_characters(cell, a, b);
  // Ends on neither a common x nor a common y make a group without shape or
  // code; ends on both (one spot) make a 'V' one.
  if (a.y == b.y) shape_group(group, 'H', std::abs(b.x - a.x), a, code);
  if (a.x == b.x) shape_group(group, 'V', std::abs(b.y - a.y), a, code);
  group.x = (a.x + b.x) / 2;
  group.y = (a.y + b.y) / 2;
  place_aisle(group, cell, number, a, b);
  group.kit_length = compact_kit_length(group.overall_length);
  return group;
}

void rebuild_cell_groups(Tcell& cell, int cell_index) {
  cell.compact_groups.clear();
  int k = 0;
  for (const auto& [number, ends] : find_fixed_ends(cell)) {
    if (!ends.a || !ends.b) continue;
    ++k;
    cell.compact_groups.push_back(make_group(cell, cell_index, k, number, *ends.a, *ends.b));
  }
}

// Everything a cell derives from its own content, its index and the load table.
void rebuild_cell(Tcell& cell, int cell_index) {
  rebuild_cell_groups(cell, cell_index);
  compute_cell_end_frame_heights(cell);
  recompute_cell_load_overrides(cell);
}

// A cell skipped as up to date must rebuild to itself: a change made through
// a reference kept from before its last rebuild would be missed.
[[maybe_unused]] bool still_up_to_date(const Tcell& cell, int cell_index) {
  Tcell rebuilt = cell;
  rebuild_cell(rebuilt, cell_index);
  return rebuilt == cell;
}

// The number that names the load table the cells were last rebuilt with; a
// new one whenever the table changes, so every cell is rebuilt again.
unsigned derivation_inputs() {
  static unsigned inputs = 0;
  static Tres table_seen;
  if (inputs == 0 || MaxLoadTable != table_seen) {
    table_seen = MaxLoadTable;
    ++inputs;
  }
  return inputs;
}

}  // namespace

void rebuild_derived_values() {
  // Every cell, not just the current one: frame heights are not stored, and a
  // reopened project must quote the frames of all its cells. Another cell
  // not changed since its last rebuild, under the same load table, is
  // skipped; the current one, which edits keep references into, never is.
  const unsigned inputs = derivation_inputs();
  for (std::size_t c = 0; c < Cells.size(); ++c) {
    const int index = static_cast<int>(c);
    if (index != AppState.current_cell && Cells.derived_up_to_date(c, inputs)) {
      assert(still_up_to_date(std::as_const(Cells)[c], index));
      continue;
    }
    Cells.refresh_derived(c, inputs, [index](Tcell& cell) { rebuild_cell(cell, index); });
  }
}

double compact_group_depth(double module_length) { return module_length + 2 * CompactRailOverhang; }

double compact_kit_length(double overall_length) {
  if (overall_length <= 2650.0) return 2245.0;
  if (overall_length <= 3050.0) return 2645.0;
  return 3045.0;
}

int max_fixed_compact_number(int cell_index) {
  int largest = 0;
  auto consider = [&largest](const std::string& code) {
    if (!is_fixed_compact_code(code)) return;
    if (std::optional<int> number = compact_group_number(code)) largest = std::max(largest, *number);
  };
  const Tcell& cell = std::as_const(Cells).at(static_cast<std::size_t>(cell_index));
  for (const Tmodulo_agg& module : cell.free_modules) consider(module.code);
  for (const Tlinea& wall : cell.walls)
    for (const Tmodulo& bay : wall.modules) consider(bay.group_code);
  return largest;
}
