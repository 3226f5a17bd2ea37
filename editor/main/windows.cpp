#include "editor/main/windows.h"

#include <memory>
#include <type_traits>
#include <vector>

#include "editor/dialogs/about_box.h"
#include "editor/dialogs/added_module_dialog.h"
#include "editor/dialogs/archive_dialog.h"
#include "editor/dialogs/catalogue_editor_window.h"
#include "editor/dialogs/cell_order_dialog.h"
#include "editor/dialogs/compact_dialog.h"
#include "editor/dialogs/door_dialog.h"
#include "editor/dialogs/forced_lengths_dialog.h"
#include "editor/dialogs/kit_choice_dialog.h"
#include "editor/dialogs/language_dialog.h"
#include "editor/dialogs/new_cell_dialog.h"
#include "editor/dialogs/password_dialog.h"
#include "editor/dialogs/preferences_dialog.h"
#include "editor/dialogs/shelves_dialog.h"
#include "editor/dialogs/wait_box.h"
#include "editor/main/main_window.h"
#include "editor/main/qt_ui.h"
#include "editor/modal_windows_in_front.h"
#include "editor/output_windows/customers_window.h"
#include "editor/output_windows/mail_dialog.h"
#include "editor/output_windows/price_table_dialog.h"
#include "editor/output_windows/print_window.h"
#include "editor/output_windows/quote_header_dialog.h"
#include "editor/output_windows/text_window.h"
#include "editor/qt_translations.h"
#include "editor/screen_fit.h"
#include "editor/title_wide_boxes.h"
#include "editor/view_window/view_3d_window.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"
#include "output/spreadsheet/quote_export.h"

TMain* Main = nullptr;
TFdati* Fdati = nullptr;
TForm2* Form2 = nullptr;
TF3d* F3d = nullptr;
TFclienti* Fclienti = nullptr;
TFpreferenze* Fpreferenze = nullptr;
TFcopia_cella* Fcopia_cella = nullptr;
TFripiani* Fripiani = nullptr;
TFstampa* Fstampa = nullptr;
TFapri* Fapri = nullptr;
TFpreventivo* Fpreventivo = nullptr;
TFforza* Fforza = nullptr;
TFprezzi* Fprezzi = nullptr;
TFmodulo_aggiunto* Fmodulo_aggiunto = nullptr;
TFmail* Fmail = nullptr;
TFlingua* Flingua = nullptr;
TFattendere* Fattendere = nullptr;
TFordinamento* Fordinamento = nullptr;
TFAbout* FAbout = nullptr;
TPasswordDlg* PasswordDlg = nullptr;
TFormTxt* FormTxt = nullptr;
TFcorvane* Fcorvane = nullptr;
TFSelezioneKitCV* FSelezioneKitCV = nullptr;

namespace {

std::unique_ptr<QtModelUi> window_ui;

// The translated windows in creation order, filled as they are created.
std::vector<TranslatedWindow*> translated;

template <class Window>
Window* create(Window*& variable) {
  variable = new Window(Main);
  keep_wide_enough_for_title(*variable);
  if constexpr (std::is_base_of_v<TranslatedWindow, Window>) translated.push_back(variable);
  return variable;
}

// The windows of the printed output open the editor's windows through hooks,
// as they cannot see the editor.
void connect_window_hooks() {
  Fstampa->open_quote_header = [] { Fpreventivo->exec(); };
  Fstampa->open_customers = [] { Fclienti->exec(); };
  Fpreventivo->open_customers = [] { Fclienti->exec(); };
  Fclienti->set_text_window(FormTxt);
  Fstampa->open_mail = [] { Fmail->exec_for(Fstampa->page_context()); };
  Fstampa->export_spreadsheet = export_quote_excel;
}

}  // namespace

void create_windows() {
  translated.clear();
  // The main window's caption names the project's file and customer, of any
  // length: the window manager shortens it, and the window keeps the width
  // the user gave it.
  Main = new TMain;
  keep_windows_within_screen(*Main);
  translated.push_back(Main);
  create(Fdati);
  create(Form2);
  create(F3d);
  create(Fclienti);
  create(Fpreferenze);
  create(Fcopia_cella);
  create(Fripiani);
  create(Fstampa);
  create(Fapri);
  create(Fpreventivo);
  create(Fforza);
  create(Fprezzi);
  create(Fmodulo_aggiunto);
  create(Fmail);
  create(Flingua);
  create(Fattendere);
  create(Fordinamento);
  create(FAbout);
  create(PasswordDlg);
  create(FormTxt);
  create(Fcorvane);
  create(FSelezioneKitCV);
  // The 3-D view stays on top: while it is shown, the dialogs and boxes open in front of it.
  new ModalWindowsInFront(*F3d);
  Fpreferenze->password_dialog = PasswordDlg;
  Fpreferenze->refresh_windows = [] {
    apply_language();
    Main->show_product_controls();
    Fmodulo_aggiunto->fill_module_dialog();
    // An open 3-D view shows the new background at once; the preferences
    // command rebuilds its scene once the bays are laid out anew.
    if (F3d->isVisible()) F3d->FormActivate();
  };
  connect_window_hooks();
  window_ui = std::make_unique<QtModelUi>();
  set_ui(window_ui.get());
}

void destroy_windows() {
  set_ui(nullptr);
  window_ui.reset();
  translated.clear();
  delete Main;  // and with it every other window
  Main = nullptr;
  Fdati = nullptr;
  Form2 = nullptr;
  F3d = nullptr;
  Fclienti = nullptr;
  Fpreferenze = nullptr;
  Fcopia_cella = nullptr;
  Fripiani = nullptr;
  Fstampa = nullptr;
  Fapri = nullptr;
  Fpreventivo = nullptr;
  Fforza = nullptr;
  Fprezzi = nullptr;
  Fmodulo_aggiunto = nullptr;
  Fmail = nullptr;
  Flingua = nullptr;
  Fattendere = nullptr;
  Fordinamento = nullptr;
  FAbout = nullptr;
  PasswordDlg = nullptr;
  FormTxt = nullptr;
  Fcorvane = nullptr;
  FSelezioneKitCV = nullptr;
}

void apply_language() {
  load_qt_translations(language_code(AppState.language));
  for (TranslatedWindow* window : translated) window->apply_language();
}
