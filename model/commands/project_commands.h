// The main window's project and cell commands, without widgets: they change
// the globals and reach the window only through the model's window seam, so
// they run the same in tests and in the program.
#pragma once

#include <string>

// Cell tabs := one per cell with its name; the selected tab is the current cell.
void reset_tabs_from_cells();
// Caption := title, project file, customer and customer reference.
void show_project_caption();

// A new empty project, after settling a modified one (see
// settle_modified_project: Cancel or a failed save stops).
void new_project();
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
// Reads a project file as a new, unsaved project with a history of its own. A
// file that cannot be read is reported and the open project stays as it was;
// false then. A room outline the file holds invalid is kept and said.
bool import_project(const std::string& path);
// The Import command: a modified project is settled first (see
// settle_modified_project), then the file is chosen under the user folder.
void import_project_asking();
// The project named on the command line at start: like an import, but the
// undo history is left to the start-up (whose first step it is).
bool open_start_project(const std::string& path);

// The help page of a language, under the program folder; languages without
// their own page get the English one.
std::string help_page_path(int language);
void open_help();
