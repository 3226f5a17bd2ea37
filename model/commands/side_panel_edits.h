// The edits of the side panel on the current cell and its selection. Each
// takes the value the user typed or chose (lengths in millimetres), writes the
// model and ends through finish_edit in the order its command needs; the
// panel widget only reads its controls and calls these.
#pragma once

#include <string>

#include "model/base/records.h"
#include "model/commands/side_panel_state.h"

// A typed whole number; false when the text is not one.
bool parse_typed_integer(const std::string& text, int& value);

// Selected walls.
void edit_wall_length(double mm);  // the last selected wall grows or shrinks at both ends
void edit_module_count(int count);
void edit_wall_shelves(int count);
void edit_wall_height(double mm);
void edit_wall_depth(double mm);
void edit_start_gap(int mm);
void edit_end_gap(int mm);
void edit_dimension_lines(bool shown);
void move_selected_wall(const Tvec2& direction);
void edit_wall_priority(bool highest);
void remove_selected_door();

// Current cell.
void edit_cell_clearance(double mm);
void edit_wall_thickness(double mm);
void edit_structure_type(int type);

// Selected modules.
void edit_module_height(double mm);
void edit_module_shelves(int count);
void edit_free_module_width(double mm);
// side is 'n', 's', 'e' or 'o'; a partly ticked box changes nothing.
void apply_dimension_sides(char side, Tick tick);
void apply_trolley_flag(Tick tick);
