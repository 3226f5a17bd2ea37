// The mouse wheel over the main window under a window manager, turned as a
// user turns it: over a side panel too tall for its place it scrolls the
// panel, changing neither the plan's zoom nor the list under the pointer;
// over the plan it zooms the plan, the panel staying where it was.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QScrollArea>
#include <QScrollBar>
#include <QWindow>
#include <functional>

#include "desktop_user.h"
#include "editor/main/side_panel.h"
#include "editor/plan/plan_view.h"
#include "editor/program_with_a_room.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/qt_events.h"

namespace {

// The point in the middle of a control, from the main window's top left corner.
QPoint middle_of(const QWidget& control) { return control.mapTo(Main, control.rect().center()); }

class SidePanelWheel : public ProgramWithARoom {
 protected:
  void SetUp() override {
    ProgramWithARoom::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(process_events_until([] { return Main->windowHandle()->isExposed(); }));
    // Lower than the panel: its lower part is out of sight.
    Main->resize(Main->width(), 420);
    ASSERT_TRUE(process_events_until([] { return panel_bar()->maximum() > 0; }));
    Main->activateWindow();
    // The wheel reaches the window under the pointer once the window manager
    // has done all it was asked (it may hold the pointer meanwhile).
    ASSERT_TRUE(process_events_until([] { return Main->isActiveWindow(); }) && window_manager_settled() &&
                Main->isActiveWindow());
  }

  // What the wheel does, as the program handles it: on a busy desktop a while after the turn.
  static bool comes(const std::function<bool()>& done) { return process_events_until(done, 30000); }

  static QScrollBar* panel_bar() {
    return qobject_cast<QScrollArea*>(Main->Panel1->parentWidget()->parentWidget())->verticalScrollBar();
  }
};

TEST_F(SidePanelWheel, TheWheelScrollsTheSidePanelUnderItAndZoomsThePlanUnderIt) {
  current_cell().walls[0].selected = true;
  Main->refresh_side_panel();
  QComboBox* list = Main->Panel1->Cb_Hm_p;
  ASSERT_TRUE(list->isEnabled());
  ASSERT_TRUE(list->visibleRegion().contains(list->rect().center()));
  list->setCurrentIndex(1);
  const double zoom = AppState.zoom;
  turn_wheel_down_at(Main->winId(), middle_of(*list).x(), middle_of(*list).y());
  EXPECT_TRUE(comes([] { return panel_bar()->value() > 0; })) << "the panel scrolled";
  EXPECT_EQ(AppState.zoom, zoom);
  EXPECT_EQ(list->currentIndex(), 1);

  const int scrolled = panel_bar()->value();
  const double unzoomed = AppState.zoom;
  turn_wheel_down_at(Main->winId(), middle_of(*Main->PaintBox1).x(), middle_of(*Main->PaintBox1).y());
  EXPECT_TRUE(comes([unzoomed] { return AppState.zoom != unzoomed; })) << "the plan zoomed";
  EXPECT_DOUBLE_EQ(AppState.zoom, unzoomed * 1.1);
  EXPECT_EQ(panel_bar()->value(), scrolled);
}

}  // namespace
