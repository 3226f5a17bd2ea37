// The main window on a 1366 x 768 laptop screen: it opens at its own outer
// size, frame included, centred, and every control of the filled side panel is
// as large as it asks to be and wholly in view, in Italian with millimetres
// and in English with inches. On a 1024 x 600 netbook screen it fills the
// screen, and the side panel scrolls; every other window of the program opens
// there wholly on the screen, with its buttons in sight.
#include <gtest/gtest.h>

#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <functional>
#include <string>
#include <vector>

#include "editor/dialog_answers.h"
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
#include "editor/main/side_panel.h"
#include "editor/main/windows.h"
#include "editor/output_windows/customers_window.h"
#include "editor/output_windows/mail_dialog.h"
#include "editor/output_windows/price_table_dialog.h"
#include "editor/output_windows/print_window.h"
#include "editor/output_windows/quote_header_dialog.h"
#include "editor/output_windows/text_window.h"
#include "editor/scrolling_body.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "editor/view_window/view_3d_window.h"
#include "model/base/units.h"
#include "model/commands/side_panel_edits.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/translations.h"
#include "support/fresh_project.h"
#include "support/plan_builders.h"
#include "support/qt_events.h"
#include "support/room_outline.h"

namespace {

QScreen* screen_named(const QString& name) {
  for (QScreen* screen : QApplication::screens()) {
    if (screen->name() == name) return screen;
  }
  return nullptr;
}

std::string shown(const QRect& rect) {
  return std::to_string(rect.width()) + "x" + std::to_string(rect.height()) + " at " + std::to_string(rect.x()) + "," +
         std::to_string(rect.y());
}

// A window of the program as a command opens it (returning once it is closed
// again when it is modal), how it is found once shown, and what the user
// answers as it closes.
struct ProgramWindow {
  std::string name;
  std::function<QWidget*()> shown;
  std::function<void()> open;
  std::function<void()> closing = [] {};
};

ProgramWindow registry_window(const std::string& name, QWidget* window, std::function<void()> open) {
  return {name, [window] { return window->isVisible() ? window : nullptr; }, std::move(open)};
}

template <class Box>
ProgramWindow box(const std::string& name, std::function<void()> open) {
  return {name, [] { return static_cast<QWidget*>(qobject_cast<Box*>(QApplication::activeModalWidget())); },
          std::move(open)};
}

// The window that opens once the print window (or the customer register) has opened.
std::function<void()> from(QDialog* first, QAbstractButton* button, std::function<void()> open_first) {
  return [first, button, open_first] {
    answer_when_shown(first, [first, button] {
      button->click();
      first->reject();
    });
    open_first();
  };
}

// Every window and box of the program, the main window aside.
std::vector<ProgramWindow> program_windows() {
  const auto print = [] { Main->tool_button(13)->trigger(); };
  const auto customers = [] { Main->tool_button(22)->trigger(); };
  return {
      {"catalogue editor", [] { return Fdati->isVisible() ? Fdati : nullptr; }, [] { Main->Modificadati1->trigger(); },
       // Closed, it asks whether to save: nothing was edited.
       [] { answer_next<QMessageBox>([](QMessageBox* question) { question->button(QMessageBox::No)->click(); }); }},
      registry_window("door", Form2, [] { Main->Panel1->cb_porta->click(); }),
      registry_window("3-D view", F3d, [] { Main->tool_button(8)->trigger(); }),
      registry_window("customer register", Fclienti, customers),
      registry_window("preferences", Fpreferenze, [] { Main->Opzioni1->trigger(); }),
      registry_window("new cell", Fcopia_cella, [] { Main->Nuovacella1->trigger(); }),
      registry_window("shelves", Fripiani, [] { Main->Panel1->Sb_edita_moduli->click(); }),
      registry_window("shelves of a bay taller than the screen", Fripiani,
                      [] {
                        Fripiani->form = ShelvesForm{};
                        Fripiani->form.pattern = std::string(40, '1');
                        Fripiani->form.height = 6000.0;
                        Fripiani->exec();
                      }),
      registry_window("print", Fstampa, print),
      registry_window("archive", Fapri, [] { Main->tool_button(18)->trigger(); }),
      registry_window("quote header", Fpreventivo, from(Fstampa, Fstampa->Btn_doc, print)),
      registry_window("forced lengths", Fforza, [] { Main->Panel1->SB_forza->click(); }),
      registry_window("price table", Fprezzi, [] { Main->abellaPrezzieCodici1->trigger(); }),
      registry_window("added module", Fmodulo_aggiunto, [] { Main->tool_button(20)->trigger(); }),
      registry_window("mail", Fmail, from(Fstampa, Fstampa->BitBtn5, print)),
      registry_window("language", Flingua, [] { Flingua->exec(); }),
      registry_window("wait box", Fattendere, [] { ui().show_wait_box(); }),
      registry_window("cell order", Fordinamento, [] { Main->Ordinamentocelle1->trigger(); }),
      registry_window("about", FAbout, [] { Main->About1->trigger(); }),
      registry_window("password", PasswordDlg, [] { PasswordDlg->confirm_service_password(); }),
      registry_window("text window", FormTxt, from(Fclienti, Fclienti->BitBtn6, customers)),
      registry_window("compact shelving", Fcorvane,
                      [] {
                        Fcorvane->set_ends(Tmodulo{}, Tmodulo{});
                        Fcorvane->load_kit_lists();
                        Fcorvane->exec();
                      }),
      registry_window("kit choice", FSelezioneKitCV, [] { Main->tool_button(28)->trigger(); }),
      box<QMessageBox>("message", [] { ui().show_message("Messaggio"); }),
      box<QInputDialog>("input box",
                        [] {
                          std::string value = "Cella1";
                          ui().input_query("Rinomina", "Nome", value);
                        }),
  };
}

class ScreenSizes : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(screen_named("Laptop"), nullptr) << "the platform's screens";
    ASSERT_NE(screen_named("Netbook"), nullptr) << "the platform's screens";
    ASSERT_TRUE(start_program_in_italian());
  }
  void TearDown() override {
    Main->hide();
    destroy_windows();
    reset_open_project();
  }

  // A laid-out room with its first wall and a free module selected, the
  // trolley box shown: every group of the panel in use.
  static void fill_the_side_panel() {
    AppState.product_switch = 1;
    Main->show_product_controls();
    current_cell().walls = four_by_three_walls();
    current_cell().outline_closed = true;
    compute_wall_normals();
    current_cell().walls[0].selected = true;
    edit_module_count(3);
    Tmodulo_agg module = make_free(1500, 1500, 475, 1000, 'H');
    module.height = 2000;
    module.shelf_count = 5;
    module.selected = true;
    current_cell().free_modules.push_back(module);
    Main->refresh_side_panel();
  }

  // The window opens on the screen it stands on.
  static void show_on(const char* name) {
    QScreen* screen = screen_named(name);
    Main->setScreen(screen);
    Main->move(screen->geometry().topLeft());
    Main->show();
    QApplication::processEvents();
  }

  // The frame's size, with its middle in the middle of the screen.
  static void expect_framed_centred(const QRect& screen, QSize outer) {
    const QRect frame = Main->frameGeometry();
    EXPECT_GT(frame.height(), Main->height()) << "the frame is known";
    EXPECT_NEAR(frame.width(), outer.width(), 2);
    EXPECT_NEAR(frame.height(), outer.height(), 2);
    EXPECT_NEAR(frame.center().x(), screen.center().x(), 2);
    EXPECT_NEAR(frame.center().y(), screen.center().y(), 2);
  }

  static void expect_the_side_panel_whole() {
    for (QWidget* control : Main->Panel1->findChildren<QWidget*>()) {
      if (control->isVisible()) expect_whole(*control);
    }
  }

  // As large as the control asks to be (an edit box or a list may be narrower
  // than it would like, not narrower than it needs), and not cut by the panel.
  static void expect_whole(const QWidget& control) {
    const std::string name =
        control.metaObject()->className() + (" " + control.property("text").toString().toStdString());
    EXPECT_GE(control.height(), control.sizeHint().height()) << name;
    EXPECT_GE(control.width(), control.minimumSizeHint().width()) << name;
    EXPECT_TRUE(control.visibleRegion() == QRegion(control.rect())) << name << " is cut";
  }

  // The window's frame within the area, and each of its push buttons in sight
  // there; its body scrolls only when the area is too low for it.
  static void expect_within(const QWidget& window, const QRect& area) {
    const QRect frame = window.frameGeometry();
    EXPECT_TRUE(area.contains(frame)) << "the frame is " << shown(frame);
    for (const ScrollingBody* body : window.findChildren<ScrollingBody*>()) {
      const bool scrolls = body->verticalScrollBar()->maximum() > 0;
      EXPECT_TRUE(!scrolls || frame.height() == area.height()) << "scrolls with the frame " << shown(frame);
    }
    for (const QPushButton* button : window.findChildren<QPushButton*>()) {
      if (button->window() != &window || !button->isVisible()) continue;
      const QRect on_screen(button->mapToGlobal(QPoint()), button->size());
      EXPECT_TRUE(button->visibleRegion() == QRegion(button->rect()) && area.contains(on_screen))
          << button->text().toStdString() << " is out of sight at " << shown(on_screen);
    }
  }

  // Opens the window by its command, finds it within the area and closes it.
  static void expect_opened_within(const ProgramWindow& program_window, const QRect& area) {
    SCOPED_TRACE(program_window.name);
    bool found = false;
    answer_once_shown(program_window.shown, [&](QWidget* window) {
      found = true;
      expect_within(*window, area);
      program_window.closing();
      if (auto* dialog = qobject_cast<QDialog*>(window)) dialog->reject();
      window->hide();
    });
    program_window.open();
    EXPECT_TRUE(process_events_until([&] { return found; })) << "the window opened";
  }

  static QScrollArea* panel_area() { return qobject_cast<QScrollArea*>(Main->Panel1->parentWidget()->parentWidget()); }

  StagedProgramDir folder;
};

TEST_F(ScreenSizes, OnALaptopTheWindowOpensAtItsOwnSizeWithTheSidePanelWholeInItalianAndMillimetres) {
  fill_the_side_panel();
  ASSERT_TRUE(Main->Panel1->Ed_Nm->isEnabled());
  ASSERT_TRUE(Main->Panel1->cbCarrello->isEnabled());
  show_on("Laptop");
  expect_framed_centred(screen_named("Laptop")->availableGeometry(), QSize(1116, 755));
  expect_the_side_panel_whole();
}

TEST_F(ScreenSizes, OnALaptopTheWindowOpensAtItsOwnSizeWithTheSidePanelWholeInEnglishAndInches) {
  AppState.language = 1;
  set_language(language_code(AppState.language));
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  apply_language();
  fill_the_side_panel();
  ASSERT_EQ(Main->Panel1->Lb_muro->text().toStdString(), lang_text(59) + " (in)");
  show_on("Laptop");
  expect_framed_centred(screen_named("Laptop")->availableGeometry(), QSize(1116, 755));
  expect_the_side_panel_whole();
}

TEST_F(ScreenSizes, OnANetbookTheWindowFillsTheScreenAndTheSidePanelScrollsKeepingItsWidth) {
  fill_the_side_panel();
  show_on("Netbook");
  const QRect screen = screen_named("Netbook")->availableGeometry();
  expect_framed_centred(screen, screen.size());
  QScrollArea* area = panel_area();
  ASSERT_NE(area, nullptr);
  EXPECT_GT(area->verticalScrollBar()->maximum(), 0);
  EXPECT_EQ(area->viewport()->width(), Main->Panel1->width());
  area->ensureWidgetVisible(Main->Panel1->cbCarrello);
  expect_whole(*Main->Panel1->cbCarrello);
}

TEST_F(ScreenSizes, OnANetbookEveryWindowOpensWhollyOnTheScreenWithItsButtonsInSight) {
  fill_the_side_panel();
  show_on("Netbook");
  const QRect screen = screen_named("Netbook")->availableGeometry();
  for (const ProgramWindow& window : program_windows()) expect_opened_within(window, screen);
}

}  // namespace
