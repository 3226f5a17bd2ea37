// A furnished project on the staged data set, for the tests and benchmarks of
// the printed document: rooms filled with bays, free modules and a
// trolley, a quote header and company texts, and the bill of materials.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "model/base/units.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/layout/auto_fill.h"
#include "model/layout/cell_walls.h"
#include "model/layout/layout_engine.h"
#include "model/layout/layout_passes.h"
#include "model/layout/wall_editing.h"
#include "model/quote/bill_of_materials.h"
#include "model/state/colour_palette.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "support/fresh_project.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"
#include "support/sample_project.h"

// The program folder the build staged (RACKWRIGHT_STAGE_DIR).
inline std::string print_stage_dir() {
  const char* value = std::getenv("RACKWRIGHT_STAGE_DIR");
  return value ? value : "";
}

// The catalogue, one language, the default price table and the palette.
inline void load_print_data(const std::string& language = "EN", bool inches = false) {
  ProgramDir = print_stage_dir();
  reset_open_project();
  AppState.inches = inches;
  AppState.unit_factor = inches ? MmPerInch : 1.0;
  set_colour_palette();
  load_data_file(1);
  set_language(language);
  reset_globals();
  ProgramDir = print_stage_dir() + "/defaults";
  read_codes_table();
  ProgramDir = print_stage_dir();
}

// Appends a closed room of the given corners as the current cell, its walls
// filled with bays of the given length.
inline Tcell& add_filled_room(const std::string& name, const std::vector<Tvec2>& corners, double module_length) {
  Cells.emplace_back();
  AppState.current_cell = static_cast<int>(Cells.size()) - 1;
  Tcell& cell = Cells.back();
  cell.name = name;
  cell.walls = walls_through(corners);
  compute_wall_normals();
  compute_usable_lengths();
  cell.outline_closed = true;
  for (Tlinea& wall : cell.walls) wall.selected = true;
  auto_fill_walls(module_length);
  for (Tlinea& wall : Cells.back().walls) wall.selected = false;
  return Cells.back();
}

// Rooms of 6 x 4 m and 8 x 4 m, free modules and a trolley.
inline void make_print_sample(int rooms = 3) {
  Cells.clear();
  for (int i = 0; i < rooms; ++i) {
    std::string name = "Room " + std::to_string(i + 1) + (i == 1 ? " (x2)" : "");
    double width = i % 3 == 2 ? 8000 : 6000;
    add_filled_room(name, {{0, 0}, {width, 0}, {width, 4000}, {0, 4000}}, 1000);
  }
  Tcell& first = Cells.front();
  first.free_modules.push_back(make_free(-800, 0, 500, 1000, 'H'));
  first.free_modules.push_back(make_free(800, 0, 500, 1000, 'V', "CARRELLO"));
  for (Tmodulo_agg& module : first.free_modules) {
    module.height = 2000;
    module.clear_n = 900;
    module.dim_n = true;
  }
  AppState.current_cell = 0;
  QuoteHeader = sample_quote_header();
  Company.currency = "EUR";
  Company.header_lines = {"Scaffali Rossi Srl", "Via Po 10", "10100 Torino", "P.IVA 01234567890"};
  Company.more_lines = {"Tel. 011 555 1234", "info@example.com"};
  build_bill_of_materials();
}

// The benchmarks' large document: the sample with this many rooms, each
// cell's quote repeating its lines up to lines_per_cell.
inline void make_large_print_sample(int rooms, std::size_t lines_per_cell) {
  load_print_data();
  make_print_sample(rooms);
  for (Tdett_prv& lines : QuoteDetails) {
    Tdett_prv listed = lines;
    lines.clear();
    for (std::size_t i = 0; i < lines_per_cell; ++i) lines.push_back(listed[i % listed.size()]);
  }
}
