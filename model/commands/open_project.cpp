#include "model/commands/open_project.h"

#include "model/base/file_io.h"
#include "model/commands/project_commands.h"
#include "model/files/invalid_outlines.h"
#include "model/files/project_file.h"
#include "model/files/project_save.h"
#include "model/layout/finish_edit.h"
#include "model/layout/undo_history.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

// The project in path in place of the open one; a file that cannot be read
// is said and changes nothing.
bool load_reported(const std::string& path) {
  try {
    load_project(path);
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
  return true;
}

// An imported file is a new project until it is saved.
std::optional<std::string> read_as_new_project(const std::string& path) {
  if (!load_reported(path)) return std::nullopt;
  AppState.file_name.clear();
  return path;
}

void make_empty_project() {
  AppState.current_cell = 0;
  Cells = {first_cell()};
}

}  // namespace

bool open_project(ProjectOrigin origin, const ProjectLoad& load) {
  if (origin != ProjectOrigin::start && !settle_modified_project()) return false;
  const std::optional<std::string> file = load();
  if (!file) return false;
  // A history of its own: a step of the project before holds another header,
  // so stepping back to it would bring its cells under this project's.
  UndoHistory.clear();
  UndoPosition = -1;
  reset_tabs_from_cells();
  if (origin != ProjectOrigin::start) show_project_caption();
  finish_edit(EditKind::shown_then_recorded, file->empty() ? Views::all : Views::all | Views::fitted_plan);
  if (origin != ProjectOrigin::new_project) AppState.modified = 0;
  if (!file->empty()) say_invalid_outlines(*file);
  return true;
}

void new_project() {
  open_project(ProjectOrigin::new_project, [] {
    reset_globals();
    make_empty_project();
    return std::optional<std::string>("");
  });
}

bool import_project(const std::string& path) {
  return open_project(ProjectOrigin::file, [&] { return read_as_new_project(path); });
}

void import_project_asking() {
  open_project(ProjectOrigin::file, []() -> std::optional<std::string> {
    std::string path = user_folder();
    if (!ui().ask_open_file_name(lang_text(text::import_project), "*.cel (*.cel)", path)) return std::nullopt;
    return read_as_new_project(path);
  });
}

bool open_start_project(const std::string& path) {
  bool opened = false;
  open_project(ProjectOrigin::start, [&] {
    make_empty_project();
    opened = !path.empty() && load_reported(path);
    return std::optional<std::string>(opened ? path : "");
  });
  return opened;
}
