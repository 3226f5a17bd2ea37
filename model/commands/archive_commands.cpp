#include "model/commands/archive_commands.h"

#include "model/base/file_io.h"
#include "model/commands/open_project.h"
#include "model/files/archive_form.h"
#include "model/files/archive_list.h"
#include "model/files/project_archive.h"
#include "model/files/project_file.h"
#include "model/layout/compact_groups.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

bool open_archive_project(int entry) {
  if (entry < 0 || static_cast<std::size_t>(entry) >= ArchiveList.size()) return false;
  return open_project(ProjectOrigin::file, [entry]() -> std::optional<std::string> {
    try {
      const std::optional<std::string> file_name = archive_project_file(entry);
      if (!file_name) return std::nullopt;
      load_project(user_path(*file_name));
      AppState.file_name = *file_name;
      return user_path(*file_name);
    } catch (const FileError& error) {
      ui().show_message(error.what());
      return std::nullopt;
    }
  });
}

void resave_all_projects() {
  open_project(ProjectOrigin::file, []() -> std::optional<std::string> {
    std::optional<std::string> loaded;  // the last file that replaced the open project
    std::string failures;
    for (const std::string& file_name : list_project_files(user_folder())) {
      try {
        load_project(user_path(file_name));
        AppState.file_name = file_name;
        loaded = user_path(file_name);
        // The file keeps what the cells derive, as every save writes it.
        rebuild_derived_values();
        write_project_file(*loaded, true);
      } catch (const FileError& error) {
        failures += std::string("\n") + error.what();
      }
    }
    std::string report = "files convertiti!";
    if (!failures.empty()) report += "\nNot converted:" + failures;
    ui().show_message(report);
    return loaded;
  });
}

void apply_archive_form(int entry) {
  save_archive_column_widths();
  if (entry >= 0) open_archive_project(entry);
}
