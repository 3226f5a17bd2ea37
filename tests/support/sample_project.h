// Projects for tests and benchmarks of the project file: a small one with every
// stored field set to a value that survives the two-decimal number forms, and
// a large generated one.
#pragma once

#include <string>

#include "model/records.h"

inline Tprv sample_quote_header() {
  Tprv header;
  header.customer = {"Rossi Srl", "Via Roma 1", "20100",  "Milano",        "MI",
                     "Italia",    "02 123",     "02 124", "r@example.com", {"first note", ""}};
  header.date = "06/12/2026";
  header.number = "Q-17";
  header.from = "Ufficio tecnico";
  header.customer_ref = "Ref 9";
  header.drawing = "D-3";
  header.note1 = "Note one";
  header.note2 = "Note two";
  header.discount1 = 10.0;
  header.discount2 = 2.5;
  header.discount3 = 1.25;
  header.discount4 = 0.5;
  return header;
}

inline Tmodulo sample_bay(double x, int group) {
  Tmodulo bay;
  bay.shelf_count = 5;
  bay.height = 2000.0;
  bay.width = 475.0;
  bay.length = 974.0;
  bay.x = x;
  bay.y = -237.5;
  bay.orientation = 'H';
  bay.shelf_pattern = "10101010101";
  bay.custom_shelves = group > 0 ? 1 : 0;
  if (group > 0) bay.group_code = "CVFISSO_" + std::to_string(group);
  return bay;
}

inline Tlinea sample_wall(int bays, int group) {
  Tlinea wall;
  wall.x1 = -2500.0;
  wall.y1 = 1500.0;
  wall.x2 = 2500.0;
  wall.y2 = 1500.0;
  wall.normal_x = 0.0;
  wall.normal_y = 1.0;
  wall.kind = 1;
  wall.orientation = 'H';
  wall.start_angle = -90.0;
  wall.end_angle = 90.0;
  wall.show_dimensions = true;
  wall.module_count = bays;
  wall.shelf_count = 5;
  wall.module_height = 2000.0;
  wall.module_depth = 475.0;
  wall.start_gap = 10.0;
  wall.end_gap = 12.5;
  wall.priority = 2;
  wall.free_space = 123.45;
  wall.start_free = 1.5;
  wall.end_free = 2.25;
  wall.chain_start = -2471.0;
  wall.start_join_high = true;
  wall.end_bounded = true;
  wall.laid_out = true;
  wall.length = 5000.0;
  wall.forced_lengths = {974.0, 1274.125};  // stored in full precision
  for (int i = 0; i < bays; ++i) wall.modules.push_back(sample_bay(-2000.0 + 1010.0 * i, group));
  for (int i = 0; i <= bays; ++i) {
    Ttestata frame;
    frame.x = -2500.0 + 1010.0 * i;
    frame.y = -237.5;
    frame.height = 2000.0;
    frame.depth = 475.0;
    frame.orientation = 'H';
    frame.frame_type = i == 0 || i == bays ? "TE" : "TI";
    frame.module_before = i - 1;
    frame.module_after = i < bays ? i : -1;
    wall.end_frames.push_back(frame);
  }
  return wall;
}

inline Tmodulo_agg sample_free_module(int index) {
  Tmodulo_agg module;
  module.shelf_count = 6;
  module.height = 1700.125 + index;  // stored in full precision
  module.width = 577.0;
  module.length = 974.0;
  module.x = 100.0 * index;
  module.y = -50.25;
  module.extent_x = 974.0;
  module.extent_y = 577.0;
  module.orientation = 'V';
  module.code = index % 2 == 0 ? "" : "CARRELLO";
  module.shelf_pattern = "110011";
  module.custom_shelves = 1;
  module.clear_n = 99999.0;
  module.clear_s = 12.0;
  module.clear_e = 0.0;
  module.clear_o = 33.33;
  module.dim_n = true;
  module.dim_o = true;
  module.coupled_with = index > 0 ? index - 1 : -1;
  module.side_flags = {1, 0, 1, 0, 0, 1};
  module.spare_texts[0] = "KIT-2245";
  module.spare_texts[7] = "last";
  return module;
}

inline Tcell sample_cell(const std::string& name, int walls, int bays, int free_modules) {
  Tcell cell;
  cell.name = name;
  cell.structure_type = 1;
  cell.clearance = 20.0;
  cell.wall_thickness = 60.0;
  for (int i = 0; i < walls; ++i) cell.walls.push_back(sample_wall(bays, i % 3 == 1 ? 1 : 0));
  for (int i = 0; i < free_modules; ++i) cell.free_modules.push_back(sample_free_module(i));
  return cell;
}

// A project of the size a large installation reaches.
inline Tcells large_project_cells() {
  Tcells cells;
  for (int i = 0; i < 30; ++i) cells.push_back(sample_cell("Cell " + std::to_string(i + 1), 24, 10, 40));
  return cells;
}
