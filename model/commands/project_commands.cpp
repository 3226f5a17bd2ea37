#include "model/commands/project_commands.h"

#include <filesystem>

#include "model/base/text_io.h"
#include "model/files/project_save.h"
#include "model/layout/cell_walls.h"
#include "model/layout/edit_modes.h"
#include "model/layout/finish_edit.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

namespace {

std::vector<std::string> cell_names() {
  std::vector<std::string> names;
  for (const Tcell& cell : Cells) names.push_back(cell.name);
  return names;
}

}  // namespace

void reset_tabs_from_cells() { ui().reset_cell_tabs(cell_names(), AppState.current_cell); }

void show_project_caption() { ui().set_caption(project_caption(AppState.file_name)); }

void save_project_asking(bool new_number) {
  if (ui().ask_yes_no(lang_text(new_number ? text::save_as_new_question : text::save_question)))
    save_project_reported(new_number);
}

void step_undo(int delta) {
  step_undo_history(delta);
  reset_tabs_from_cells();
  show_project_caption();
  end_edit_mode(false);
  finish_edit(EditKind::not_recorded);
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

void new_cell(const std::function<void(const std::vector<std::string>& cell_names)>& show_dialog) {
  show_dialog(cell_names());
  finish_edit(EditKind::shown_then_recorded);
}

void order_cells(const std::function<void()>& show_dialog) {
  show_dialog();
  finish_edit(EditKind::not_recorded, Views::plan);
}

void edit_preferences(const std::function<void()>& show_dialog) {
  show_dialog();
  finish_edit(EditKind::laid_out);
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
