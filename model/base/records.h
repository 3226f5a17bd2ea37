// The records of an open project and of the program state. Every other part of
// the program reads and writes these plain value types; a copy is always a deep
// copy (the undo history shares cells only as read-only ones).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using Tdimensioni = std::vector<double>;
using Tstringlist = std::vector<std::string>;
// A text table: one list of tab-separated fields per line of the file.
using Tres = std::vector<Tstringlist>;

// A plane point or direction in millimetres.
struct Tvec2 {
  double x = 0.0;
  double y = 0.0;
};

// An RGB raster owned by a cell: its 3-D picture for the printed quote.
struct Tpicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;  // rows top to bottom, 3 bytes a pixel, no padding
};

// One bay of a wall run.
struct Tmodulo {
  int shelf_count = 0;
  double height = 0.0;
  double width = 0.0;   // depth across the wall
  double length = 0.0;  // along the wall
  double x = 0.0;
  double y = 0.0;
  char orientation = 'H';
  bool selected = false;
  bool selected2 = false;
  std::string shelf_pattern;
  int custom_shelves = 0;
  int corner_joint_start = 0;
  int corner_joint_end = 0;
  bool heavy = false;
  bool custom_load = false;
  double custom_load_value = 0.0;
  std::string group_code;  // "CVFISSO_n", "CVMOBIL_n" or empty

  bool operator==(const Tmodulo&) const = default;
};
using Tmoduli = std::vector<Tmodulo>;

// One end frame (upright) of a run.
struct Ttestata {
  double x = 0.0;
  double y = 0.0;
  double height = 0.0;
  double depth = 0.0;
  char orientation = 'H';
  std::string frame_type;  // "TE" at a run end, "TI" between two modules
  int module_before = -1;
  int module_after = -1;
  bool beside_fixed_compact = false;
  // An arch part tops the frame; set by the program, never kept in the project file.
  bool arch = false;

  bool operator==(const Ttestata&) const = default;
};
using Ttestate = std::vector<Ttestata>;

// One wall of a cell with its run of shelving.
struct Tlinea {
  double x1 = 0.0, y1 = 0.0, x2 = 0.0, y2 = 0.0;
  double normal_x = 0.0, normal_y = 0.0;  // unit normal out of the room
  int kind = 1;                           // 1 carries modules, 0 opening
  char orientation = 'H';
  double start_angle = 0.0;
  double end_angle = 0.0;
  bool show_dimensions = false;
  bool selected = false;
  bool selected2 = false;
  int module_count = 0;
  int shelf_count = 0;
  double module_height = 0.0;
  double module_depth = 0.0;
  double start_gap = 0.0;
  double end_gap = 0.0;
  int priority = 0;
  Tmoduli modules;
  std::vector<double> forced_lengths;
  Ttestate end_frames;
  double free_space = 0.0;
  double start_free = 0.0;
  double end_free = 0.0;
  double chain_start = 0.0;
  bool start_join_high = false;
  bool end_join_high = false;
  bool start_join_low = false;
  bool end_join_low = false;
  bool start_bounded = false;
  bool end_bounded = false;
  bool laid_out = false;
  double length = 0.0;

  bool operator==(const Tlinea&) const = default;
};

// The slots of a free module's six side flags (numbered 1 to 6 in this order).
// End A is the west-or-south end, end B the east-or-north one.
enum SideFlag : std::size_t {
  kJointA,       // joint to the bay or module met at end A
  kJointB,       // joint at end B
  kEndFrameA,    // run-end frame at end A
  kEndFrameB,    // run-end frame at end B
  kInnerFrameA,  // intermediate frame at end A, beside a compact module
  kInnerFrameB,  // intermediate frame at end B
};

// The side flags of a module placed with nothing beside it: a run-end frame at
// both ends, no joints.
inline constexpr std::array<int, 6> kFreeStandingSideFlags{0, 0, 1, 1, 0, 0};

// What a free module is, read from its code: a trolley on wheels, a fixed end
// or a mobile unit of a compact group, or a plain module.
enum class ModuleKind { Plain, Trolley, FixedCompact, MobileCompact };

// One free-standing module; the same record is the placement template.
struct Tmodulo_agg {
  int shelf_count = 0;
  double height = 0.0;
  double width = 0.0;
  double length = 0.0;
  double x = 0.0;
  double y = 0.0;
  double extent_x = 0.0;
  double extent_y = 0.0;
  char orientation = 'H';
  bool selected = false;
  bool selected2 = false;
  double clear_n = 0.0, clear_s = 0.0, clear_e = 0.0, clear_o = 0.0;  // 99999.0 = none
  bool dim_n = false, dim_s = false, dim_e = false, dim_o = false;
  int coupled_with = -1;
  int snap_a = -1;
  int snap_b = -1;
  int snap_side = -1;
  bool heavy = false;
  bool custom_load = false;
  double custom_load_value = 0.0;
  std::string shelf_pattern;
  int custom_shelves = 0;
  std::array<int, 6> side_flags{};  // indexed by SideFlag; 1 = the part is there
  double frame_height_a = 0.0;
  double frame_height_b = 0.0;
  bool frame_flag_a = false;
  bool frame_flag_b = false;
  std::string code;  // "CARRELLO", "CVFISSO_n", "CVMOBIL_n" or empty
  std::array<std::string, 8> spare_texts;

  ModuleKind kind() const;  // from code, each time: the code is what files and edits change
  // The plan size along x and y: an 'H' module runs along x, any other along y
  // (a blank orientation too, which an empty line of a project file gives), as
  // the plan, the 3-D view and the exports draw it.
  Tvec2 plan_extent() const { return orientation == 'H' ? Tvec2{length, width} : Tvec2{width, length}; }
  // extent_x and extent_y := plan_extent(), after a change of size or orientation.
  void fit_plan_extent() {
    const Tvec2 extent = plan_extent();
    extent_x = extent.x;
    extent_y = extent.y;
  }
  bool operator==(const Tmodulo_agg&) const = default;
};
using Tmoduli_agg = std::vector<Tmodulo_agg>;

// One compact mobile-shelving group, derived from its two fixed end modules.
struct Tcorvane {
  double depth = 0.0;
  double overall_length = 0.0;
  double x = 0.0;
  double y = 0.0;
  double aisle_x = 0.0;
  double aisle_y = 0.0;
  double extent_x = 0.0;
  double extent_y = 0.0;
  char orientation = 'H';
  double kit_length = 0.0;
  std::string kit_code;
  Tstringlist unit_depths;
  Tmodulo_agg end_a;
  Tmodulo_agg end_b;
  std::string group_code;  // "K" + group number + "_" + six position characters
  std::array<double, 4> wall_gaps{-1.0, -1.0, -1.0, -1.0};

  bool operator==(const Tcorvane&) const = default;
};
using Tcorvanes = std::vector<Tcorvane>;

// One cell (room).
struct Tcell {
  std::vector<Tlinea> walls;
  Tmoduli_agg free_modules;
  Tcorvanes compact_groups;  // derived; never stored
  bool outline_closed = false;
  int structure_type = 0;
  double clearance = 0.0;
  double wall_thickness = 60.0;
  std::string name;
  // The 3-D picture for the quote; shared read-only, never kept by the undo history.
  std::shared_ptr<const Tpicture> picture;

  // Equality of the stored and derived content; the picture does not count.
  bool operator==(const Tcell& o) const {
    return walls == o.walls && free_modules == o.free_modules && compact_groups == o.compact_groups &&
           outline_closed == o.outline_closed && structure_type == o.structure_type && clearance == o.clearance &&
           wall_thickness == o.wall_thickness && name == o.name;
  }
};

// Program state and preferences.
struct Tvar_amb {
  int current_cell = 0;
  std::uint8_t modified = 0;
  std::string file_name;
  double zoom = 1.0;
  double pan_x = 0.0;
  double pan_y = 0.0;
  int mouse_x = 0;
  int mouse_y = 0;
  std::uint8_t outline_mode = 0;
  std::uint8_t segment_pending = 0;
  std::array<double, 2> segment_start{};
  std::array<double, 2> segment_offset{};
  std::array<double, 4> cell_extents{};  // max x, min x, max y, min y
  std::array<double, 4> all_extents{};
  std::uint8_t select_walls_mode = 0;
  std::uint8_t select_modules_mode = 0;
  std::uint8_t place_free_module_mode = 0;
  std::uint8_t place_compact_mode = 0;
  Tmodulo_agg free_module_template;
  Tcorvane compact_template;
  std::array<int, 4> rubber_band{-1, -1, -1, -1};
  int max_length_index = 0;
  int background_3d = 0;
  int wall_transparency = 0;
  int wall_height = 0;
  int language = -1;
  int debug = 0;
  int optional_sizes = 0;
  int product_switch = 0;
  int resolution_3d = 0;
  std::array<int, 6> archive_col_widths{};
  bool inches = false;
  int decimals = 1;
  double unit_factor = 1.0;
  bool black_background = false;
  bool print_max_loads = true;
  std::array<int, 11> palette{};

  bool operator==(const Tvar_amb&) const = default;
};

// One step of the undo history. Stored cells are never changed again, so a
// step shares every cell the edit did not touch with the step before it: a
// long session keeps one copy of each cell version, not of the whole project
// per edit.
struct Tundo_snapshot {
  std::vector<std::shared_ptr<const Tcell>> cells;
  Tvar_amb state;
};

struct Tcliente {
  std::string name, address, postcode, city, province, country, phone, fax, email;
  std::vector<std::string> notes;

  bool operator==(const Tcliente&) const = default;
};

// The quote header of the open project.
struct Tprv {
  Tcliente customer;
  std::string date;  // "dd/mm/yyyy"
  std::string number;
  std::string from;
  std::string customer_ref;
  std::string drawing;
  std::string note1;
  std::string note2;
  double discount1 = 0.0;
  double discount2 = 0.0;
  double discount3 = 0.0;
  double discount4 = 0.0;

  bool operator==(const Tprv&) const = default;
};

// One quote detail line.
struct Trec_prv {
  int code_row = -1;  // below 0: line skipped
  int quantity = 0;
  double length_sum = 0.0;
  std::string kind;

  bool operator==(const Trec_prv&) const = default;
};
using Tdett_prv = std::vector<Trec_prv>;

// One row of the price and code table.
struct Tcodice {
  std::string tipo, lar, lung, alt;
  std::vector<std::string> options;  // one per structure type; "SI" = available
  std::string code;
  std::string alt_code;
  std::string description;
  int description_number = 0;
  double price = 0.0;
  double weight = 0.0;

  bool operator==(const Tcodice&) const = default;
};
using Tdb_codici = std::vector<Tcodice>;

struct Tazienda {
  std::string logo;
  std::string currency;  // "A$" is the GST market (gst_market.h)
  std::array<std::string, 4> header_lines;
  std::array<std::string, 10> more_lines;

  bool operator==(const Tazienda&) const = default;
};

struct Tstructure_type {
  int short_text = 0;
  int long_text = 0;
  int detail_text = 0;
  int module_text = 0;
  std::string shelf_suffix;
  int height_offset = 0;

  bool operator==(const Tstructure_type&) const = default;
};

// One saved project of the archive; six fields of at most 255 bytes.
struct Tarchive_entry {
  std::string number;  // five digits
  std::string date;
  std::string customer;
  std::string customer_ref;
  std::string quote_number;
  std::string drawing;

  bool operator==(const Tarchive_entry&) const = default;
};

// The array of cells (Tcells) builds on the records above.
#include "model/base/cell_array.h"  // IWYU pragma: export
