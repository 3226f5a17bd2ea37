// Projects for tests and benchmarks of the project file: a small one with every
// stored field set to a value that survives the two-decimal number forms, and
// a large generated one; and the plain text of a file given line by line.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "model/base/records.h"

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

// Sets the fields to first, first + 1, and so on: values of their own that
// survive the two-decimal number forms, so a value read into another field's
// place cannot pass unnoticed.
template <typename T>
void number_fields(std::initializer_list<T*> fields, T first) {
  for (T* field : fields) *field = first++;
}

inline Tmodulo sample_bay(double x, int group) {
  Tmodulo bay;
  bay.shelf_count = 5;
  number_fields({&bay.height, &bay.width, &bay.length, &bay.y}, 1995.75);
  bay.x = x;
  bay.shelf_pattern = "10101010101";
  bay.custom_shelves = group > 0 ? 1 : 0;
  if (group > 0) bay.group_code = "CVFISSO_" + std::to_string(group);
  return bay;
}

inline Tlinea sample_wall(int bays, int group) {
  Tlinea wall;
  number_fields({&wall.x1, &wall.y1, &wall.x2, &wall.y2, &wall.normal_x, &wall.normal_y, &wall.start_angle,
                 &wall.end_angle, &wall.module_height, &wall.module_depth, &wall.start_gap, &wall.end_gap,
                 &wall.free_space, &wall.start_free, &wall.end_free, &wall.chain_start, &wall.length},
                -2500.5);
  number_fields({&wall.shelf_count, &wall.priority}, 5);
  wall.orientation = 'V';
  wall.show_dimensions = wall.start_join_high = wall.end_bounded = wall.laid_out = true;
  wall.module_count = bays;
  wall.forced_lengths = {974.0, 1274.125};  // stored in full precision
  for (int i = 0; i < bays; ++i) wall.modules.push_back(sample_bay(-2000.0 + 1010.0 * i, group));
  for (int i = 0; i <= bays; ++i) {
    Ttestata frame;
    number_fields({&frame.y, &frame.height, &frame.depth}, 1800.25);
    frame.x = -2500.0 + 1010.0 * i;
    frame.orientation = 'V';
    frame.frame_type = i == 0 || i == bays ? "TE" : "TI";
    frame.module_before = i - 1;
    frame.module_after = i < bays ? i : -1;
    wall.end_frames.push_back(frame);
  }
  return wall;
}

inline Tmodulo_agg sample_free_module(int index) {
  Tmodulo_agg module;
  number_fields({&module.width, &module.length, &module.y, &module.extent_x, &module.extent_y, &module.clear_n,
                 &module.clear_s, &module.clear_e, &module.clear_o},
                570.5);
  module.height = 1700.125 + index;  // stored in full precision
  module.x = 100.0 * index;
  number_fields({&module.shelf_count, &module.custom_shelves}, 6);
  module.orientation = 'V';
  module.code = index % 2 == 0 ? "" : "CARRELLO";
  module.shelf_pattern = "110011";
  module.dim_n = module.dim_o = true;
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
  cell.wall_thickness = 80.0;
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

// File text of the given lines, each ended with CR LF.
inline std::string joined_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}
