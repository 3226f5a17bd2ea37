// Whole editing stories through the real windows: a room drawn with the
// mouse, filled and undone to the empty cell; a door cut and undone; a
// compact kit placed, moved by keys and deleted. Each checks the model and
// a few pixels of the plan.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include "editor/dialog_answers.h"
#include "editor/dialogs/door_dialog.h"
#include "editor/dialogs/forced_lengths_dialog.h"
#include "editor/dialogs/kit_choice_dialog.h"
#include "editor/dialogs/shelves_dialog.h"
#include "editor/main/main_window.h"
#include "editor/main/side_panel.h"
#include "editor/main/windows.h"
#include "editor/message_boxes.h"
#include "editor/plan/plan_view.h"
#include "editor/plan/plan_zoom.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "model/layout/layout_engine.h"
#include "model/layout/undo_history.h"
#include "model/layout/wall_editing.h"
#include "model/state/globals.h"
#include "plan_drawing/plan_canvas.h"
#include "support/room_outline.h"
#include "support/user_decimal.h"

namespace {

class EditingStory : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(start_program_in_italian());
    Main->resize(1116, 755);
    Main->show();
    QApplication::setActiveWindow(Main);
    ASSERT_TRUE(QTest::qWaitForWindowActive(Main));
  }
  void TearDown() override { destroy_windows(); }

  static PlanView* plan() { return Main->PaintBox1; }
  static QPoint on_screen(double x, double y) {
    return plan_to_screen(view_transform(AppState, plan()->width(), plan()->height()), x, y);
  }
  // True when the plan shows something other than the background within reach pixels of p.
  static bool drawn_near(QPoint p, int reach = 3) {
    const QImage& image = plan()->plan_image();
    const QRgb background = palette_colour(AppState.palette[0]).rgb();
    for (int dy = -reach; dy <= reach; ++dy)
      for (int dx = -reach; dx <= reach; ++dx)
        if (image.pixel(p + QPoint(dx, dy)) != background) return true;
    return false;
  }
  static void undo_all() {
    while (Main->tool_button(5)->isEnabled()) Main->tool_button(5)->trigger();
  }
  static void key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QApplication::setActiveWindow(Main);  // as the desktop does when a dialog closes
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : Main;
    QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
  }

  StagedProgramDir folder;
};

TEST_F(EditingStory, ARoomDrawnWithTheMouseIsFilledAndUndoneToTheEmptyCell) {
  Main->tool_button(3)->trigger();
  ASSERT_EQ(plan()->cursor().shape(), Qt::CrossCursor);
  // Each wall: the pointer shows the direction from the last point, a click asks the length.
  const struct {
    int dx, dy;
    const char* length;
  } walls[] = {{80, 0, "4000"}, {0, -80, "3000"}, {-80, 0, "4000"}, {0, 80, "3000"}};
  for (const auto& wall : walls) {
    const QPoint start = on_screen(AppState.segment_start[0], AppState.segment_start[1]);
    const QPoint at = start + QPoint(wall.dx, wall.dy);
    QTest::mouseMove(plan(), at);
    answer_input(wall.length);
    QTest::mouseClick(plan(), Qt::LeftButton, Qt::NoModifier, at);
  }
  Tcell& cell = Cells[0];
  ASSERT_EQ(cell.walls.size(), 4u);
  EXPECT_TRUE(cell.outline_closed);  // the last wall met the start
  EXPECT_FALSE(AppState.outline_mode);
  EXPECT_EQ(plan()->cursor().shape(), Qt::ArrowCursor);
  const QPoint bottom_middle = on_screen(0, cell.walls[0].y1);
  EXPECT_TRUE(drawn_near(bottom_middle));

  // Select the bottom wall by a click on it and fill it.
  Main->tool_button(1)->trigger();
  QTest::mouseMove(plan(), bottom_middle);
  QTest::mouseClick(plan(), Qt::LeftButton, Qt::NoModifier, bottom_middle);
  ASSERT_TRUE(Cells[0].walls[0].selected);
  ASSERT_TRUE(Main->Panel1->Bt_auto->isEnabled());
  Main->Panel1->Bt_auto->click();
  EXPECT_FALSE(Cells[0].walls[0].modules.empty());
  EXPECT_TRUE(drawn_near(on_screen(0, Cells[0].walls[0].modules[0].y)));

  undo_all();
  EXPECT_TRUE(Cells[0].walls.empty());
  plan()->draw_plan();
  EXPECT_FALSE(drawn_near(on_screen(0, 0) + QPoint(40, 0)));
}

// Enter on a focused button of the side panel presses it: Auto fills the
// selected wall, Lunghezze... and Ripiani... open their dialogs.
TEST_F(EditingStory, EnterPressesTheSidePanelsFocusedButton) {
  select_first_wall_of_a_room();
  SidePanel& panel = *Main->Panel1;
  panel.Bt_auto->setFocus();
  key(Qt::Key_Return);
  ASSERT_FALSE(Cells[0].walls[0].modules.empty());

  std::vector<std::string> opened;
  answer_next<TFforza>([&](TFforza* lengths) {
    opened.push_back("lengths");
    lengths->BitBtn2->click();
  });
  panel.SB_forza->setFocus();
  key(Qt::Key_Return);
  Cells[0].walls[0].selected = false;
  Cells[0].walls[0].modules[0].selected = true;
  Main->refresh_side_panel();
  answer_next<TFripiani>([&](TFripiani* shelves) {
    opened.push_back("shelves");
    shelves->BitBtn3->click();
  });
  panel.Sb_edita_moduli->setFocus();
  key(Qt::Key_Return);
  EXPECT_EQ(opened, (std::vector<std::string>{"lengths", "shelves"}));
}

// The longest length in every row of the forced-lengths dialog, more than the
// wall holds: OK lays the bays out past the wall, with no message, the panel
// still counting them; Undo brings the automatic lengths back.
TEST_F(EditingStory, ForcedLengthsLongerThanTheWallRunPastItAndUndo) {
  select_first_wall_of_a_room();
  QLineEdit* count = Main->Panel1->Ed_Nm;
  count->setFocus();
  count->selectAll();
  QTest::keyClicks(count, "3");
  QTest::keyClick(count, Qt::Key_Return);
  // Undo replaces the cells: the wall is looked up afresh each time.
  const auto wall = []() -> const Tlinea& { return Cells[0].walls[0]; };
  const std::size_t bays = 3;
  ASSERT_EQ(wall().modules.size(), bays);
  const std::vector<Tmodulo> before = wall().modules;
  answer_next<TFforza>([](TFforza* lengths) {
    for (QComboBox* row : lengths->rows()) row->setCurrentIndex(row->count() - 1);
    lengths->BitBtn1->click();
  });
  MessageBoxCloser boxes;
  Main->Panel1->SB_forza->click();
  EXPECT_TRUE(boxes.texts.empty());
  ASSERT_EQ(wall().modules.size(), bays);
  EXPECT_EQ(Main->Panel1->Ed_Nm->text().toStdString(), std::to_string(bays));
  const Tmodulo last = wall().modules.back();
  EXPECT_GT(last.x + last.length / 2, wall().x2) << "the bays run past the wall";
  Main->tool_button(5)->trigger();
  EXPECT_TRUE(wall().forced_lengths.empty());
  ASSERT_EQ(wall().modules.size(), bays);
  EXPECT_EQ(wall().modules.back().x, before.back().x);
}

TEST_F(EditingStory, ADoorIsCutIntoAWallAndUndone) {
  Cells[0].walls = four_by_three_walls();
  Cells[0].walls[0].module_count = 3;
  Cells[0].walls[0].module_height = 1700;
  Cells[0].walls[0].module_depth = 475;
  Cells[0].walls[0].shelf_count = 4;
  Cells[0].outline_closed = true;
  compute_wall_normals();
  recompute_layout();
  plan()->fit_plan_to_view(10);
  push_undo_snapshot();
  Cells[0].walls[0].selected = true;
  Main->refresh_side_panel();
  plan()->draw_plan();
  // The outer face of the wall, 60 mm outside it, runs through where the door will be.
  const QPoint outer_face = on_screen(0, Cells[0].walls[0].y1 - Cells[0].wall_thickness);
  const QRgb wall_face = plan()->plan_image().pixel(outer_face);
  EXPECT_TRUE(drawn_near(outer_face, 0));

  answer_next<TForm2>([](TForm2* door) {
    EXPECT_TRUE(door->Edit2->isVisible());
    EXPECT_EQ(door->Edit1->text(), with_user_decimal_separator("1600.0"));
    door->Edit2->selectAll();
    QTest::keyClicks(door->Edit2, "1000");
    EXPECT_EQ(door->Edit1->text(), with_user_decimal_separator("1500.0"));  // the others follow while typing
    EXPECT_EQ(door->Edit3->text(), with_user_decimal_separator("1500.0"));
    door->BitBtn1->click();
  });
  Main->Panel1->cb_porta->click();
  ASSERT_EQ(Cells[0].walls.size(), 6u);
  EXPECT_EQ(Cells[0].walls[1].kind, 0);
  EXPECT_EQ(Cells[0].walls[1].x2 - Cells[0].walls[1].x1, 1000);
  EXPECT_TRUE(Cells[0].walls[0].modules.empty());
  EXPECT_NE(plan()->plan_image().pixel(outer_face), wall_face);  // the opening's sill, not the wall

  Main->tool_button(5)->trigger();
  Main->tool_button(5)->trigger();
  EXPECT_EQ(Cells[0].walls.size(), 4u);
  EXPECT_EQ(Cells[0].walls[0].modules.size(), 3u);
  // The undo step brings back the view of its snapshot too.
  EXPECT_EQ(plan()->plan_image().pixel(on_screen(0, Cells[0].walls[0].y1 - Cells[0].wall_thickness)), wall_face);
}

TEST_F(EditingStory, ACompactKitIsPlacedMovedByKeysAndDeleted) {
  // The empty cell's fit would show a few millimetres; at this scale the band
  // round the block fits the plan of a window on the test's 800-pixel screen.
  AppState.zoom = 0.1;
  answer_next<TFSelezioneKitCV>([](TFSelezioneKitCV* kit) {
    kit->ComboBox1->setCurrentIndex(1);
    kit->ComboBox2->setCurrentIndex(0);
    EXPECT_FALSE(kit->Label3->text() == "--");
    kit->BitBtn1->click();
  });
  Main->tool_button(28)->trigger();
  ASSERT_TRUE(AppState.place_compact_mode);
  const QPoint centre = on_screen(0, 0);
  QTest::mouseMove(plan(), centre + QPoint(1, 1));
  QTest::mouseMove(plan(), centre);
  QTest::mouseClick(plan(), Qt::LeftButton, Qt::NoModifier, centre);
  const std::size_t units = AppState.compact_template.unit_depths.size();
  ASSERT_EQ(Cells[0].free_modules.size(), units);
  ASSERT_EQ(Cells[0].compact_groups.size(), 1u);
  const Tmodulo_agg& fixed_end = Cells[0].free_modules[0];
  EXPECT_TRUE(drawn_near(on_screen(fixed_end.x - fixed_end.extent_x / 2, fixed_end.y)));
  key(Qt::Key_Escape);
  EXPECT_FALSE(AppState.place_compact_mode);

  // Select the whole block with a band dragged to the right round it.
  Main->tool_button(19)->trigger();
  const QPoint corner = on_screen(-2000, 1500), opposite = on_screen(2000, -1500);
  QTest::mouseMove(plan(), corner);
  QTest::mousePress(plan(), Qt::LeftButton, Qt::NoModifier, corner);
  QTest::mouseMove(plan(), opposite);
  QTest::mouseRelease(plan(), Qt::LeftButton, Qt::NoModifier, opposite);
  for (const Tmodulo_agg& m : Cells[0].free_modules) ASSERT_TRUE(m.selected);

  const double x = Cells[0].free_modules[0].x;
  const std::size_t steps = UndoHistory.size();
  key(Qt::Key_Right, Qt::ControlModifier);
  EXPECT_EQ(Cells[0].free_modules[0].x, x + 10);
  EXPECT_EQ(UndoHistory.size(), steps + 1);  // one step when the key is let go

  key(Qt::Key_Delete);
  EXPECT_TRUE(Cells[0].free_modules.empty());
  EXPECT_TRUE(Cells[0].compact_groups.empty());
  EXPECT_FALSE(drawn_near(centre));
}

}  // namespace
