// The edits of the side panel on the current cell and its selection. Each
// takes the value the user typed or chose (lengths in millimetres), or shows
// its dialog through show_dialog (modally; the dialog's OK writes the model),
// and ends through finish_edit in the order its command needs; the panel
// widget only reads its controls and calls these.
#pragma once

#include <functional>
#include <string>

#include "model/base/records.h"
#include "model/commands/side_panel_state.h"
#include "model/layout/shelf_editing.h"

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
// A door box ticked shows the door dialog (whose OK cuts the door); cleared,
// the door of the selected wall goes.
void edit_door(bool door, const std::function<void()>& show_dialog);
// The forced lengths dialog once for each selected wall, by its index.
void edit_forced_lengths(const std::function<void(int wall)>& show_dialog);

// Current cell.
void edit_cell_clearance(double mm);
void edit_wall_thickness(double mm);
void edit_structure_type(int type);

// Selected modules.
void edit_module_height(double mm);
void edit_module_shelves(int count);
void edit_free_module_width(double mm);
// The shelves dialog for the selected modules, from the typed shelf count
// (refused with text::invalid_value when it is no whole number) and the chosen height;
// its OK writes the shelves, and the end frames follow either way.
void edit_shelves(const std::string& shelf_count, double height,
                  const std::function<void(const ShelvesForm&)>& show_dialog);
// side is 'n', 's', 'e' or 'o'; a partly ticked box changes nothing.
void apply_dimension_sides(char side, Tick tick);
void apply_trolley_flag(Tick tick);
