// The main window's project and cell commands, without widgets: they change
// the globals and reach the window only through the model's window seam, so
// they run the same in tests and in the program.
#pragma once

#include <functional>
#include <string>
#include <vector>

// Cell tabs := one per cell with its name; the selected tab is the current cell.
void reset_tabs_from_cells();
// Caption := title, project file, customer and customer reference.
void show_project_caption();

// Asks (text::save_question, or text::save_as_new_question for a new number) and saves the project; a save
// that fails is said and changes nothing.
void save_project_asking(bool new_number);
// Undo (-1) or redo (+1) with the refresh of tabs, caption, modes, panel and plan.
void step_undo(int delta);
// Makes the cell of tab index the current cell.
void change_cell(int index);
// One message per wall of the current cell with its index and priority.
void show_wall_priorities();
// Asks a new name for the current cell; the rename is an undo step.
void rename_current_cell();
// Deletes the current cell after asking, when the project has more than one.
void delete_current_cell();

// The dialogs of the main window that edit the project: show_dialog shows one
// modally (its OK writes the model), and the command shows the result and
// ends the edit whatever the answer.
// A new or copied cell: the dialog offers the names of the cells.
void new_cell(const std::function<void(const std::vector<std::string>& cell_names)>& show_dialog);
// The cell order: the dialog's OK shows the new order; the plan is drawn again either way.
void order_cells(const std::function<void()>& show_dialog);
// The preferences: another unit or largest length may lay the bays out anew.
void edit_preferences(const std::function<void()>& show_dialog);

// The help page of a language, under the program folder; languages without
// their own page get the English one.
std::string help_page_path(int language);
void open_help();
