// Under a window manager a title with no room beside the frame's icon and
// buttons is cut ("Selezio... Corvane"): every window of the program, not
// only the boxes, is at least as wide as its title, in every language and
// whatever title it takes later. The main window's caption, which holds the
// user's project and customer, is the exception: the user's width holds.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <string>
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
#include "editor/main/windows.h"
#include "editor/output_windows/customers_window.h"
#include "editor/output_windows/mail_dialog.h"
#include "editor/output_windows/price_table_dialog.h"
#include "editor/output_windows/print_window.h"
#include "editor/output_windows/quote_header_dialog.h"
#include "editor/output_windows/text_window.h"
#include "editor/program_with_a_room.h"
#include "editor/view_window/view_3d_window.h"
#include "model/commands/project_commands.h"
#include "model/state/globals.h"
#include "model/state/language.h"

namespace {

// The window icon and the buttons of a title bar.
constexpr int kFrameIconAndButtons = 100;

int title_width(const QWidget& window) {
  QFont bold = window.font();
  bold.setBold(true);
  return QFontMetrics(bold).horizontalAdvance(window.windowTitle());
}

// The width the title needs, as far as the screen has it.
int needed_width(const QWidget& window) {
  return std::min(title_width(window) + kFrameIconAndButtons, window.screen()->availableGeometry().width());
}

std::vector<QWidget*> every_window() {
  return {Main,       Fdati,        Form2,       F3d,         Fclienti, Fpreferenze,      Fcopia_cella,   Fripiani,
          Fstampa,    Fapri,        Fpreventivo, Fforza,      Fprezzi,  Fmodulo_aggiunto, Fmail,          Flingua,
          Fattendere, Fordinamento, FAbout,      PasswordDlg, FormTxt,  Fcorvane,         FSelezioneKitCV};
}

class WindowTitles : public ProgramWithARoom {
 protected:
  void TearDown() override {
    set_language("IT");
    ProgramWithARoom::TearDown();
  }
};

TEST_F(WindowTitles, EveryWindowIsWideEnoughForItsTitleInEveryLanguage) {
  Fforza->Tag = 0;
  for (const char* language : {"IT", "EN", "FR", "DE", "ES", "FM", "CZ", "PL"}) {
    set_language(language);
    apply_language();
    for (QWidget* window : every_window()) {
      const bool shown_before = window->isVisible();
      window->show();
      EXPECT_GT(title_width(*window), 0) << language << ' ' << window->objectName().toStdString();
      EXPECT_GE(window->width(), needed_width(*window)) << language << ": " << window->windowTitle().toStdString();
      if (!shown_before) window->hide();
    }
  }
}

// The kit choice, whose title is not translated, widens with a longer title
// whatever the language.
TEST_F(WindowTitles, AWindowWidensWithALongerTitle) {
  FSelezioneKitCV->show();
  const int kit_width = FSelezioneKitCV->width();
  EXPECT_GE(kit_width, needed_width(*FSelezioneKitCV));
  FSelezioneKitCV->setWindowTitle(FSelezioneKitCV->windowTitle() + " - Selezione Kit Corvane");
  EXPECT_GE(FSelezioneKitCV->width(), needed_width(*FSelezioneKitCV));
  EXPECT_GT(FSelezioneKitCV->width(), kit_width);
}

// The main window's caption names the project's file and customer: a long
// customer name is the window manager's to shorten, and leaves the window as
// narrow, as large and where the user had it.
TEST_F(WindowTitles, ALongCustomerNameLeavesTheMainWindowAsItWas) {
  QApplication::processEvents();
  const int least_width = Main->minimumWidth();
  const QRect placed = Main->geometry();
  QuoteHeader.customer.name = std::string(200, 'R');
  QuoteHeader.customer_ref = "R-117";
  show_project_caption();
  QApplication::processEvents();
  EXPECT_GT(title_width(*Main), Main->screen()->availableGeometry().width()) << "the caption holds the name";
  EXPECT_EQ(Main->minimumWidth(), least_width);
  EXPECT_EQ(Main->geometry(), placed);
}

}  // namespace
