#include "model/modules/free_module_placement.h"

#include <optional>
#include <vector>

#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/catalogue/compact_codes.h"
#include "model/layout/cell_walls.h"
#include "model/layout/compact_groups.h"
#include "model/layout/finish_edit.h"
#include "model/layout/free_module_clearances.h"
#include "model/layout/module_shape.h"
#include "model/layout/shelf_patterns.h"
#include "model/layout/undo_history.h"
#include "model/modules/compact_placement.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"

namespace {

constexpr int kCompactShelves = 4;

// A module index read from a link, or nothing when it names no module: links
// come from project files and may be stale.
std::optional<std::size_t> module_at(const Tcell& cell, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= cell.free_modules.size()) return std::nullopt;
  return static_cast<std::size_t>(index);
}

// The frame on a module's second side now stands between it and the next module.
void share_second_frame(Tmodulo_agg& module) {
  module.side_flags[kEndFrameB] = 0;
  module.side_flags[kInnerFrameB] = 1;
}

void share_first_frame(Tmodulo_agg& module) {
  module.side_flags[kEndFrameA] = 0;
  module.side_flags[kInnerFrameA] = 1;
}

Tmodulo_agg module_from_template(const Tmodulo_agg& t) {
  Tmodulo_agg m;
  copy_module_shape(m, t);
  m.code = t.code;
  m.custom_shelves = t.custom_shelves;
  m.side_flags = t.side_flags;
  m.extent_x = t.extent_x;
  m.extent_y = t.extent_y;
  m.coupled_with = t.coupled_with;
  m.spare_texts = t.spare_texts;
  if (t.custom_shelves == 1)
    m.shelf_pattern = t.shelf_pattern;
  else if (is_compact_code(t.code))
    m.shelf_pattern = shelf_pattern(t.shelf_count, kFixedCompactHeight);
  else
    m.shelf_pattern = shelf_pattern(t.shelf_count, t.height);
  return m;
}

// The chain of modules coupled one to the next from b is turned round to end
// at the new module m. The walk stops after as many steps as there are
// modules, so a cyclic chain from a damaged file cannot hang it.
void relink_chain_towards(Tcell& cell, std::size_t b, std::size_t m) {
  std::optional<std::size_t> j = b;
  std::size_t p = m;
  for (std::size_t steps = 0; j && steps < cell.free_modules.size(); ++steps) {
    Tmodulo_agg& module = cell.free_modules[*j];
    share_first_frame(module);
    cell.free_modules[p].side_flags[kJointB] = 0;
    const std::optional<std::size_t> next = module_at(cell, module.coupled_with);
    module.coupled_with = static_cast<int>(p);
    p = *j;
    j = next;
  }
}

void couple_new_module(Tcell& cell, std::optional<std::size_t> a, std::optional<std::size_t> b) {
  const std::size_t m = cell.free_modules.size() - 1;
  if (a) {
    share_second_frame(cell.free_modules[*a]);
    cell.free_modules[m].side_flags[kJointA] = 0;
    cell.free_modules[m].coupled_with = static_cast<int>(*a);
    if (b) relink_chain_towards(cell, *b, m);
  } else if (b) {
    // The module snapped to shares its frame: the template's coupling index
    // need not name it here.
    share_first_frame(cell.free_modules[*b]);
    cell.free_modules[m].side_flags[kJointB] = 0;
    cell.free_modules[m].coupled_with = static_cast<int>(*b);
  }
}

void recompute_clearances(Tcell& cell) {
  for (Tmodulo_agg& module : cell.free_modules) compute_free_module_clearances(module);
}

// The unit widths of the compact template, or nothing when they cannot make a block.
std::optional<std::vector<double>> compact_unit_widths(const Tcorvane& block) {
  std::vector<double> widths;
  for (const std::string& text : block.unit_depths) {
    double width = 0.0;
    if (!parse_double(comma_to_point(text), width)) return std::nullopt;
    widths.push_back(width);
  }
  if (widths.size() < 2) return std::nullopt;
  return widths;
}

// Sets the template to one unit of the block. Every unit stands across the
// block's axis, as the placement preview stands its ends, whatever way the
// last ordinary module was turned.
void shape_unit(Tmodulo_agg& t, const Tcorvane& block, double width, double height, std::string code) {
  t.shelf_count = kCompactShelves;
  t.height = height;
  t.width = width;
  t.length = block.depth;
  t.orientation = block.orientation == 'V' ? 'H' : 'V';
  t.fit_plan_extent();
  t.code = std::move(code);
}

void place_block_units(const Tcorvane& block, const std::vector<double>& widths, int number) {
  Tmodulo_agg& t = AppState.free_module_template;
  t.side_flags = kFreeStandingSideFlags;
  t.coupled_with = t.snap_a = t.snap_b = -1;
  t.custom_shelves = 0;
  t.spare_texts[0] = block.kit_code;
  const double dx = block.orientation == 'V' ? 0.0 : 1.0;
  const double dy = 1.0 - dx;
  const double half = block.overall_length / 2;
  double offset = -(half - widths.front() / 2);
  for (std::size_t i = 0; i + 1 < widths.size(); ++i) {
    const bool fixed = i == 0;
    shape_unit(t, block, widths[i], fixed ? kFixedCompactHeight : kMobileCompactHeight,
               fixed ? fixed_compact_code(number) : mobile_compact_code(number));
    t.x = block.x + offset * dx;
    t.y = block.y + offset * dy;
    add_free_module();
    offset += widths[i] / 2 + CompactUnitGap + widths[i + 1] / 2;
  }
  // The last fixed end is measured from the block's far end, so it closes the block exactly.
  offset = half - widths.back() / 2;
  shape_unit(t, block, widths.back(), kFixedCompactHeight, fixed_compact_code(number));
  t.x = block.x + offset * dx;
  t.y = block.y + offset * dy;
  add_free_module();
}

// Modules the block's ends snapped to now share their frame with the block.
void join_block_neighbours(Tcell& cell, const Tcorvane& block) {
  if (block.end_a.snap_b < 0)
    if (std::optional<std::size_t> before = module_at(cell, block.end_a.snap_a))
      share_second_frame(cell.free_modules[*before]);
  if (block.end_b.snap_a < 0)
    if (std::optional<std::size_t> after = module_at(cell, block.end_b.snap_b))
      share_first_frame(cell.free_modules[*after]);
}

// Frames that stood between the deleted module and its neighbours become end frames.
void release_neighbours(Tcell& cell, std::size_t d) {
  if (std::optional<std::size_t> c = module_at(cell, cell.free_modules[d].coupled_with)) {
    Tmodulo_agg& partner = cell.free_modules[*c];
    if (partner.side_flags[kInnerFrameA] == 1) {
      partner.side_flags[kInnerFrameA] = 0;
      partner.side_flags[kEndFrameA] = 1;
    }
    if (partner.side_flags[kInnerFrameB] == 1) {
      partner.side_flags[kInnerFrameB] = 0;
      partner.side_flags[kEndFrameB] = 1;
    }
  }
  const int deleted = static_cast<int>(d);
  for (Tmodulo_agg& module : cell.free_modules) {
    if (module.coupled_with > deleted) {
      --module.coupled_with;
    } else if (module.coupled_with == deleted) {
      module.coupled_with = -1;
      if (module.side_flags[kJointA] == 1 || module.side_flags[kEndFrameA] == 1 ||
          module.side_flags[kInnerFrameA] == 1) {
        module.side_flags[kEndFrameB] = 1;
        module.side_flags[kInnerFrameB] = 0;
      } else if (module.side_flags[kJointB] == 1 || module.side_flags[kEndFrameB] == 1 ||
                 module.side_flags[kInnerFrameB] == 1) {
        module.side_flags[kEndFrameA] = 1;
        module.side_flags[kInnerFrameA] = 0;
      }
    }
  }
}

void dissolve_group(Tcell& cell, int number) {
  const std::string fixed = fixed_compact_code(number);
  const std::string mobile = mobile_compact_code(number);
  for (Tmodulo_agg& module : cell.free_modules)
    if (module.code == fixed || module.code == mobile) module.code.clear();
  for (Tlinea& wall : cell.walls)
    for (Tmodulo& bay : wall.modules)
      if (bay.group_code == fixed || bay.group_code == mobile) bay.group_code.clear();
}

std::optional<std::size_t> first_selected(const Tcell& cell) {
  for (std::size_t i = 0; i < cell.free_modules.size(); ++i)
    if (cell.free_modules[i].selected) return i;
  return std::nullopt;
}

// The centre of the first selected item, wall bays first, and the count of all selected items.
std::optional<Tvec2> alignment_reference(const Tcell& cell, int& selected) {
  std::optional<Tvec2> reference;
  selected = 0;
  auto note = [&](bool is_selected, double x, double y) {
    if (!is_selected) return;
    if (!reference) reference = Tvec2{x, y};
    ++selected;
  };
  for (const Tlinea& wall : cell.walls)
    for (const Tmodulo& bay : wall.modules) note(bay.selected, bay.x, bay.y);
  for (const Tmodulo_agg& module : cell.free_modules) note(module.selected, module.x, module.y);
  return reference;
}

}  // namespace

void add_free_module() {
  Tcell& cell = current_cell();
  const Tmodulo_agg& t = AppState.free_module_template;
  for (const Tmodulo_agg& module : cell.free_modules)
    if (module.x == t.x && module.y == t.y) return;
  const std::optional<std::size_t> a = module_at(cell, t.snap_a);
  const std::optional<std::size_t> b = module_at(cell, t.snap_b);
  cell.free_modules.push_back(module_from_template(t));
  couple_new_module(cell, a, b);
  recompute_clearances(cell);
}

bool add_compact_block() {
  const Tcorvane& block = AppState.compact_template;
  const std::optional<std::vector<double>> widths = compact_unit_widths(block);
  if (!widths) return false;
  Tcell& cell = current_cell();
  const int number = max_fixed_compact_number(AppState.current_cell) + 1;
  // Saved and restored so that the next ordinary module is not born as a unit of this group.
  const Tmodulo_agg saved_template = AppState.free_module_template;
  place_block_units(block, *widths, number);
  AppState.free_module_template = saved_template;
  join_block_neighbours(cell, block);
  rebuild_derived_values();
  return true;
}

void delete_selected_free_modules() {
  Tcell& cell = current_cell();
  while (std::optional<std::size_t> d = first_selected(cell)) {
    release_neighbours(cell, *d);
    const std::string& code = cell.free_modules[*d].code;
    std::optional<int> group;
    if (is_compact_code(code)) group = compact_group_number(code);
    cell.free_modules.erase(cell.free_modules.begin() + static_cast<std::ptrdiff_t>(*d));
    if (group) dissolve_group(cell, *group);
  }
  recompute_clearances(cell);
  rebuild_derived_values();
}

void align_selected_free_modules(char axis) {
  Tcell& cell = current_cell();
  int selected = 0;
  const std::optional<Tvec2> reference = alignment_reference(cell, selected);
  if (reference && selected > 1) {
    for (Tmodulo_agg& module : cell.free_modules) {
      if (!module.selected) continue;
      if (axis == 'H')
        module.y = reference->y;
      else
        module.x = reference->x;
      compute_free_module_clearances(module);
    }
  }
  finish_edit(EditKind::shown_then_recorded);
}
