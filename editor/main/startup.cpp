#include "editor/main/startup.h"

#include <QLayout>
#include <filesystem>

#include "editor/application_title.h"
#include "editor/dialogs/added_module_dialog.h"
#include "editor/dialogs/compact_dialog.h"
#include "editor/main/main_window.h"
#include "editor/main/windows.h"
#include "model/base/file_io.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/length_choice.h"
#include "model/commands/open_project.h"
#include "model/files/archive_list.h"
#include "model/files/codes_table.h"
#include "model/files/customers_file.h"
#include "model/files/preferences.h"
#include "model/state/colour_palette.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"

namespace {

// A hidden window lays its children out only when it is shown; the plan is
// fitted to its view before that, so the layouts are run here, outside in.
void lay_out(QWidget* widget) {
  if (widget->layout()) widget->layout()->activate();
  for (QWidget* child : widget->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isWindow()) lay_out(child);
  }
}

// The index, with the projects a save interrupted before the index was
// written brought back into it.
void read_project_index() {
  if (!std::filesystem::exists(user_path("list.dat"))) return rebuild_archive_list();
  try {
    read_archive_list();
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
  reconcile_archive_list();
}

// The catalogue and the translations: without them nothing can be shown.
bool load_catalogue_and_texts() {
  try {
    load_data_file(AppState.optional_sizes);
    clamp_max_length_index();
    Main->setWindowTitle(QString::fromStdString(AppTitle));
    // A translation file that leaves the language without a text it needs is
    // refused by set_language, as a damaged catalogue is.
    if (std::string code = language_code(AppState.language); !code.empty()) set_language(code);
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
  apply_language();
  return true;
}

}  // namespace

bool initialise_program(const std::string& project_path) {
  set_application_title(QString::fromStdString(AppTitle));
  if (!read_preferences()) return false;
  // Saves killed before their rename leave temporaries in user/, which only a
  // later save of the same file would clear.
  remove_stale_temporaries_in(user_folder());
  set_colour_palette();
  try {
    read_project_index();
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
  if (!load_catalogue_and_texts()) return false;
  reset_globals();
  Fmodulo_aggiunto->fill_module_dialog();
  Fcorvane->load_kit_lists();
  Main->show_product_controls();
  read_customers();
  read_codes_table();

  lay_out(Main);
  open_start_project(project_path);
  return true;
}
