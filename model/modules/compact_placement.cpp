#include "model/modules/compact_placement.h"

#include <cmath>
#include <cstddef>

#include "model/base/text_io.h"
#include "model/catalogue/compact_codes.h"
#include "model/layout/compact_groups.h"
#include "model/layout/corner_joints.h"
#include "model/layout/finish_edit.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/current_cell.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

double centre_distance(const CompactPlacementForm& form) {
  return std::hypot(form.end_b.x - form.end_a.x, form.end_b.y - form.end_a.y);
}

double unit_depth(int index) {
  return index >= 0 && static_cast<std::size_t>(index) < WidthList.size() ? WidthList[static_cast<std::size_t>(index)]
                                                                          : 0.0;
}

Tvec2 pack_direction(PackSide side) {
  switch (side) {
    case PackSide::Up:
      return {0, -1};
    case PackSide::Down:
      return {0, 1};
    case PackSide::Left:
      return {1, 0};
    default:
      return {-1, 0};
  }
}

// A selected module becomes a fixed end; its shelf count field stays as it was.
template <class Module>
void make_fixed_end(Module& module, const std::string& pattern) {
  module.height = kFixedCompactHeight;
  module.custom_shelves = 0;
  module.shelf_pattern = pattern;
}

}  // namespace

CompactPlacementForm compact_placement_form(const Tmodulo& end_a, const Tmodulo& end_b) {
  CompactPlacementForm form;
  form.end_a = end_a;
  form.end_b = end_b;
  form.side = end_a.orientation == 'V' ? PackSide::Left : PackSide::Up;
  set_mobile_unit_count(form, 1);
  return form;
}

void set_mobile_unit_count(CompactPlacementForm& form, int count) {
  form.depths.assign(static_cast<std::size_t>(count < 1                 ? 1
                                              : count > kMaxMobileUnits ? kMaxMobileUnits
                                                                        : count),
                     WidthList.empty() ? -1 : 0);
}

void choose_unit_depth(CompactPlacementForm& form, int unit, int depth_index) {
  if (unit < 0 || static_cast<std::size_t>(unit) >= form.depths.size()) return;
  for (std::size_t j = static_cast<std::size_t>(unit); j < form.depths.size(); ++j) form.depths[j] = depth_index;
}

double compact_overall_size(const CompactPlacementForm& form) { return centre_distance(form) + kCompactModuleWidth; }

std::optional<double> compact_corridor(const CompactPlacementForm& form) {
  double corridor = centre_distance(form) - kCompactModuleWidth;
  for (int depth : form.depths) corridor -= unit_depth(depth) + CompactUnitGap;
  if (corridor < kMinCompactCorridor) return std::nullopt;
  return corridor;
}

bool place_mobile_units(const CompactPlacementForm& form) {
  long long shelves = -1;
  if (!parse_integer(form.shelves, shelves) || shelves < 0 || shelves > 1000) {
    ui().show_message(lang_text(text::invalid_value));
    return false;
  }
  if (!compact_corridor(form)) return false;
  Tcell& cell = current_cell();
  const int group = max_fixed_compact_number(AppState.current_cell) + 1;
  const std::string pattern = shelf_pattern(static_cast<int>(shelves), kFixedCompactHeight);
  for (Tmodulo_agg& module : cell.free_modules) {
    if (!module.selected) continue;
    module.code = fixed_compact_code(group);
    make_fixed_end(module, pattern);
  }
  for (Tlinea& wall : cell.walls) {
    for (Tmodulo& bay : wall.modules) {
      if (!bay.selected) continue;
      bay.group_code = fixed_compact_code(group);
      make_fixed_end(bay, pattern);
    }
  }
  compute_end_frame_heights();

  const double distance = centre_distance(form);
  const Tvec2 d = pack_direction(form.side);
  const Tvec2 start{(form.end_a.x + form.end_b.x) / 2 - distance / 2 * d.x,
                    (form.end_a.y + form.end_b.y) / 2 - distance / 2 * d.y};
  double s = form.end_a.width / 2 + CompactUnitGap / 2;
  for (int depth_index : form.depths) {
    const double depth = unit_depth(depth_index);
    Tmodulo_agg unit;
    unit.shelf_count = static_cast<int>(shelves);
    unit.width = depth;
    unit.length = form.end_a.length;
    s += CompactUnitGap / 2 + depth / 2;
    unit.x = start.x + s * d.x;
    unit.y = start.y + s * d.y;
    unit.orientation = form.end_a.orientation;
    unit.code = mobile_compact_code(group);
    unit.height = kMobileCompactHeight;
    unit.shelf_pattern = pattern;
    unit.side_flags = kFreeStandingSideFlags;
    unit.fit_plan_extent();
    unit.coupled_with = -1;
    cell.free_modules.push_back(unit);
    s += depth / 2 + CompactUnitGap / 2;
  }
  rebuild_derived_values();
  // The new group is shown at once, with the selection it leaves in the panel.
  finish_edit(EditKind::changed);
  return true;
}
