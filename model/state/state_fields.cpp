#include "model/state/state_fields.h"

namespace {

using enum StateRole;
using enum StoredAs;

const std::array kStateFields = {
    StateField{"current_cell", &Tvar_amb::current_cell, editing},
    StateField{"modified", &Tvar_amb::modified, editing},
    StateField{"file_name", &Tvar_amb::file_name, open_file},
    StateField{"zoom", &Tvar_amb::zoom, editing},
    StateField{"pan_x", &Tvar_amb::pan_x, editing},
    StateField{"pan_y", &Tvar_amb::pan_y, editing},
    StateField{"mouse_x", &Tvar_amb::mouse_x, editing},
    StateField{"mouse_y", &Tvar_amb::mouse_y, editing},
    StateField{"outline_mode", &Tvar_amb::outline_mode, editing},
    StateField{"segment_pending", &Tvar_amb::segment_pending, editing},
    StateField{"segment_start", &Tvar_amb::segment_start, editing_kept},
    StateField{"segment_offset", &Tvar_amb::segment_offset, editing_kept},
    StateField{"cell_extents", &Tvar_amb::cell_extents, editing_kept},
    StateField{"all_extents", &Tvar_amb::all_extents, editing_kept},
    StateField{"select_walls_mode", &Tvar_amb::select_walls_mode, editing},
    StateField{"select_modules_mode", &Tvar_amb::select_modules_mode, editing},
    StateField{"place_free_module_mode", &Tvar_amb::place_free_module_mode, editing},
    StateField{"place_compact_mode", &Tvar_amb::place_compact_mode, editing},
    StateField{"free_module_template", &Tvar_amb::free_module_template, editing_kept},
    StateField{"compact_template", &Tvar_amb::compact_template, editing_kept},
    StateField{"rubber_band", &Tvar_amb::rubber_band, editing},
    // The preferences file, line by line.
    StateField{"language", &Tvar_amb::language, preference, integer, 1},
    StateField{"optional_sizes", &Tvar_amb::optional_sizes, preference, integer, 2},
    StateField{"product_switch", &Tvar_amb::product_switch, preference, integer, 3},
    StateField{"max_length_index", &Tvar_amb::max_length_index, preference, integer, 4},
    StateField{"background_3d", &Tvar_amb::background_3d, preference, integer, 5},
    StateField{"wall_transparency", &Tvar_amb::wall_transparency, preference, integer, 6},
    StateField{"wall_height", &Tvar_amb::wall_height, preference, integer, 7},
    StateField{"resolution_3d", &Tvar_amb::resolution_3d, preference, integer, 8},
    StateField{"archive_col_widths", &Tvar_amb::archive_col_widths, preference, integers, 25},
    StateField{"inches", &Tvar_amb::inches, preference, inch_mode, 31},
    StateField{"decimals", &Tvar_amb::decimals, preference, decimals, 32},
    StateField{"black_background", &Tvar_amb::black_background, preference, black_plan, 33},
    // Settings of this run, not stored.
    StateField{"debug", &Tvar_amb::debug, preference},
    StateField{"unit_factor", &Tvar_amb::unit_factor, preference},  // follows inches
    StateField{"print_max_loads", &Tvar_amb::print_max_loads, preference},
    StateField{"palette", &Tvar_amb::palette, preference},
};

void copy_field(const StateField& field, const Tvar_amb& from, Tvar_amb& to) {
  std::visit([&](auto member) { to.*member = from.*member; }, field.member);
}

}  // namespace

std::span<const StateField> state_fields() { return kStateFields; }

bool kept_by_undo(StateRole role) { return role == open_file || role == preference; }

void keep_fields_undo_keeps(const Tvar_amb& live, Tvar_amb& restored) {
  for (const StateField& field : kStateFields)
    if (kept_by_undo(field.role)) copy_field(field, live, restored);
}

void reset_fields_for_new_project(Tvar_amb& state) {
  static const Tvar_amb defaults;
  for (const StateField& field : kStateFields)
    if (field.role == editing || field.role == open_file) copy_field(field, defaults, state);
}
