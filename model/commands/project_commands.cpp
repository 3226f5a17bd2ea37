#include "model/commands/project_commands.h"

#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/invalid_outlines.h"
#include "model/files/project_file.h"
#include "model/files/project_save.h"
#include "model/layout/cell_walls.h"
#include "model/layout/compact_groups.h"
#include "model/layout/edit_modes.h"
#include "model/layout/finish_edit.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

void reset_tabs_from_cells() {
  std::vector<std::string> names;
  for (const Tcell& cell : Cells) names.push_back(cell.name);
  ui().reset_cell_tabs(names, AppState.current_cell);
}

void show_project_caption() { ui().set_caption(project_caption(AppState.file_name)); }

void new_project() {
  if (!settle_modified_project()) return;
  reset_globals();
  show_project_caption();
  AppState.current_cell = 0;
  Cells = {first_cell()};
  reset_tabs_from_cells();
  finish_edit(EditKind::shown_then_recorded);
}

void save_project_asking(bool new_number) {
  if (ui().ask_yes_no(lang_text(new_number ? text::save_as_new_question : text::save_question)))
    save_project_reported(new_number);
}

void step_undo(int delta) {
  step_undo_history(delta);
  reset_tabs_from_cells();
  show_project_caption();
  end_edit_mode(false);
  finish_edit(EditKind::shown);
}

void change_cell(int index) {
  if (index < 0 || index >= static_cast<int>(Cells.size())) return;
  end_edit_mode(true);
  AppState.current_cell = index;
  finish_edit(EditKind::changed, Views::scene_3d | Views::side_panel | Views::fitted_plan);
}

void show_wall_priorities() {
  const Tcell& cell = current_cell();
  for (std::size_t i = 0; i < cell.walls.size(); ++i)
    ui().show_message("linea " + std::to_string(i) + " - Priorità " + std::to_string(cell.walls[i].priority));
}

void rename_current_cell() {
  std::string name = current_cell().name;
  if (!ui().input_query(lang_text(text::rename_cell), lang_text(text::rename_cell_prompt), name)) return;
  current_cell().name = cut_text(name, kTextBytes);  // the most a project file reads back
  reset_tabs_from_cells();
  finish_edit(EditKind::changed, Views::none);
}

void delete_current_cell() {
  if (Cells.size() <= 1 || !ui().ask_yes_no(lang_text(text::delete_cell_question))) return;
  Cells.erase(Cells.begin() + AppState.current_cell);
  AppState.current_cell = 0;
  reset_tabs_from_cells();
  finish_edit(EditKind::shown_then_recorded, Views::scene_3d | Views::side_panel | Views::fitted_plan);
}

namespace {

// Puts the project in path in place of the open one, all or nothing (a file
// that cannot be read is said and changes nothing), with its tabs and the
// plan fitted to it.
bool load_as_open_project(const std::string& path) {
  try {
    load_project(path);
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
  rebuild_compact_groups();
  reset_tabs_from_cells();
  ui().fit_plan_to_view(10);
  return true;
}

}  // namespace

bool open_start_project(const std::string& path) {
  if (!load_as_open_project(path)) return false;
  say_invalid_outlines(path);
  return true;
}

bool import_project(const std::string& path) {
  if (!load_as_open_project(path)) return false;
  AppState.file_name.clear();  // a new project until it is saved
  show_project_caption();
  // A history of its own: a step of the project open before holds no header,
  // so stepping back to it would bring its cells under this project's.
  UndoHistory.clear();
  UndoPosition = -1;
  finish_edit(EditKind::shown_then_recorded);
  AppState.modified = 0;
  say_invalid_outlines(path);
  return true;
}

void import_project_asking() {
  if (!settle_modified_project()) return;
  std::string file = user_folder();
  if (ui().ask_open_file_name(lang_text(text::import_project), "*.cel (*.cel)", file)) import_project(file);
}

std::string help_page_path(int language) {
  static const char* const pages[] = {"IT", "EN", "FR", "DE", "ES", "EN", "CZ", "PL"};
  const char* page = language >= 0 && language < 8 ? pages[language] : "EN";
  std::string path = program_path(std::string("help/index_") + page + ".html");
  // A language whose page did not ship gets the English one.
  if (!std::filesystem::exists(path)) path = program_path("help/index_EN.html");
  return path;
}

void open_help() { ui().open_with_desktop(help_page_path(AppState.language)); }
