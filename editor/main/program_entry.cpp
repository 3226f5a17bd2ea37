#include "editor/main/program_entry.h"

#include "editor/application_title.h"
#include "editor/main/startup.h"
#include "editor/main/user_folder_claim.h"
#include "editor/main/windows.h"
#include "model/base/file_io.h"
#include "model/files/default_user_files.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

bool start_program(const std::string& project_path) {
  // Before the windows: a box shown before start-up carries the title too.
  set_application_title(QString::fromStdString(AppTitle));
  create_windows();
  if (!claim_user_folder()) return false;
  try {
    install_default_user_files();
  } catch (const FileError& error) {
    ui().show_message(error.what());  // a user file already there still serves
  }
  return initialise_program(project_path);
}
