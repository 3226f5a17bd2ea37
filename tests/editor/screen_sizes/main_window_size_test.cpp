// The main window on a 1366 x 768 laptop screen: it opens at its own outer
// size, frame included, centred, and every control of the filled side panel is
// as large as it asks to be and wholly in view, in Italian with millimetres
// and in English with inches. On a 1024 x 600 netbook screen it fills the
// screen, and the side panel scrolls.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>

#include "editor/main/main_window.h"
#include "editor/main/side_panel.h"
#include "editor/main/windows.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "model/base/units.h"
#include "model/commands/side_panel_edits.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/translations.h"
#include "support/plan_builders.h"
#include "support/room_outline.h"

namespace {

QScreen* screen_named(const QString& name) {
  for (QScreen* screen : QApplication::screens()) {
    if (screen->name() == name) return screen;
  }
  return nullptr;
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
    AppState = Tvar_amb{};
  }

  // A laid-out room with its first wall and a free module selected, the
  // trolley box shown: every group of the panel in use.
  static void fill_the_side_panel() {
    AppState.product_switch = 1;
    Main->show_product_controls();
    current_cell().walls = walls_through({{0, 0}, {4000, 0}, {4000, 3000}, {0, 3000}});
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

}  // namespace
