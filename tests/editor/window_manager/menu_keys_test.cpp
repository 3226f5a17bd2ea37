// The menus from the keyboard alone, keys typed as a user types them: Alt or
// F10 gives the keys to the menu bar, the arrows go along it and down a menu,
// Enter opens one and Esc steps back out. None of these keys reaches the
// plan, which otherwise takes the arrows, Enter and Esc whatever control has
// the focus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <string>
#include <vector>

#include "desktop_user.h"
#include "editor/main/main_window.h"
#include "editor/program_with_a_room.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/qt_events.h"

namespace {

// Long enough for a machine under load; a key the menus miss fails the test at once after.
constexpr int kKeyHandled = 30000;

QMenuBar* bar() { return Main->menuBar(); }

std::vector<QMenu*> shown_menus() {
  std::vector<QMenu*> menus;
  for (QAction* item : bar()->actions())
    if (item->isVisible() && item->menu()) menus.push_back(item->menu());
  return menus;
}

bool highlighted(const QMenu* menu) { return bar()->activeAction() == menu->menuAction(); }
bool open(const QMenu* menu) { return QApplication::activePopupWidget() == menu && highlighted(menu); }
bool menus_left() { return !QApplication::activePopupWidget() && !bar()->activeAction() && !bar()->hasFocus(); }

class MenuKeys : public ProgramWithARoom {
 protected:
  void SetUp() override {
    ProgramWithARoom::SetUp();
    if (HasFatalFailure()) return;
    Tmodulo_agg module;
    module.x = 2000;
    module.y = 1500;
    module.length = module.extent_x = 1000;
    module.width = module.extent_y = 500;
    module.selected = true;
    current_cell().free_modules = {module};
    push_undo_snapshot();
    steps = UndoHistory.size();
    Main->activateWindow();
    ASSERT_TRUE(process_events_until([] { return QApplication::activeWindow() == Main; }, kKeyHandled));
    ASSERT_TRUE(window_manager_settled());
  }

  // Presses a key and waits until the menus show what it does.
  template <typename Shown>
  void press(const char* key, Shown shown) {
    press_key(key);
    ASSERT_TRUE(process_events_until(shown, kKeyHandled)) << key << " did not reach the menus";
  }

  void leave_the_menus() {
    ASSERT_NO_FATAL_FAILURE(press("Escape", [] { return !QApplication::activePopupWidget(); }));
    ASSERT_NO_FATAL_FAILURE(press("Escape", menus_left));
  }

  void expect_the_module_where_it_was() {
    const Tmodulo_agg& module = current_cell().free_modules.at(0);
    EXPECT_EQ(module.x, 2000);
    EXPECT_EQ(module.y, 1500);
    EXPECT_EQ(UndoHistory.size(), steps) << "no edit was recorded";
  }

  std::size_t steps = 0;
};

TEST_F(MenuKeys, AltTheArrowsAndEnterOpenEachMenuAndMoveNothing) {
  const std::vector<QMenu*> menus = shown_menus();
  ASSERT_GE(menus.size(), 4u);
  for (std::size_t i = 0; i < menus.size(); ++i) {
    SCOPED_TRACE(menus[i]->title().toStdString());
    ASSERT_NO_FATAL_FAILURE(press("Alt_L", [&] { return highlighted(menus[0]) && bar()->hasFocus(); }));
    for (std::size_t j = 1; j <= i; ++j) ASSERT_NO_FATAL_FAILURE(press("Right", [&] { return highlighted(menus[j]); }));
    ASSERT_NO_FATAL_FAILURE(press("Return", [&] { return open(menus[i]); }));
    ASSERT_NO_FATAL_FAILURE(press("Down", [&] { return menus[i]->activeAction(); }));
    ASSERT_NO_FATAL_FAILURE(leave_the_menus());
  }
  expect_the_module_where_it_was();
  press_key("Right");  // out of the menus the arrows are the plan's again
  EXPECT_TRUE(process_events_until([] { return current_cell().free_modules[0].x == 2001; }, kKeyHandled));
}

TEST_F(MenuKeys, F10OpensTheFirstMenuAndTheArrowsGoAlongTheBar) {
  const std::vector<QMenu*> menus = shown_menus();
  ASSERT_NO_FATAL_FAILURE(press("F10", [&] { return open(menus[0]); }));
  ASSERT_NO_FATAL_FAILURE(press("Right", [&] { return open(menus[1]); }));
  ASSERT_NO_FATAL_FAILURE(press("Left", [&] { return open(menus[0]); }));
  ASSERT_NO_FATAL_FAILURE(press("Left", [&] { return open(menus.back()); }));
  ASSERT_NO_FATAL_FAILURE(leave_the_menus());
  expect_the_module_where_it_was();
}

TEST_F(MenuKeys, EscInTheMenusLeavesTheOutlineBeingDrawn) {
  AppState.outline_mode = 1;
  AppState.segment_pending = 1;
  const std::size_t walls = current_cell().walls.size();
  ASSERT_NO_FATAL_FAILURE(press("Alt_L", [&] { return bar()->hasFocus(); }));
  ASSERT_NO_FATAL_FAILURE(press("Return", [&] { return open(shown_menus()[0]); }));
  ASSERT_NO_FATAL_FAILURE(leave_the_menus());
  EXPECT_TRUE(AppState.outline_mode);
  EXPECT_EQ(current_cell().walls.size(), walls);
}

}  // namespace
