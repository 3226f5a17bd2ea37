// The door dialog through its widgets: a part edit that holds no number is
// reported as the user types it and again on OK, which then splits nothing.
#include "editor/dialogs/door_dialog.h"

#include <gtest/gtest.h>

#include <QTest>

#include "model/state/globals.h"
#include "support/fresh_project_fixture.h"
#include "support/room_outline.h"
#include "support/scripted_ui.h"
#include "support/user_decimal.h"

namespace {

class DoorDialog : public FreshProjectTest {
 protected:
  void SetUp() override {
    Cells.assign(1, Tcell{});
    Cells[0].walls = walls_through({{0, 0}, {12000, 0}, {12000, 3000}, {0, 3000}});
    for (Tlinea& wall : Cells[0].walls) {
      wall.module_count = 5;
      wall.shelf_count = 4;
    }
  }
  void open(int wall) {
    door.Tag = wall;
    door.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&door));
  }
  // OK pressed with the mouse, as a user leaves the edit typed into.
  void press_ok() { QTest::mouseClick(door.BitBtn1, Qt::LeftButton); }
  void expect_wall_unsplit(int wall) const {
    EXPECT_EQ(Cells[0].walls.size(), 4u);
    EXPECT_EQ(Cells[0].walls[static_cast<std::size_t>(wall)].module_count, 5) << "the bays are kept";
    EXPECT_EQ(Cells[0].walls[static_cast<std::size_t>(wall)].shelf_count, 4);
    EXPECT_FALSE(door.isVisible());
    EXPECT_EQ(door.result(), QDialog::Accepted);
  }

  ScopedScriptedUi ui;
  TForm2 door{nullptr};
};

}  // namespace

TEST_F(DoorDialog, ALoneSeparatorIsReportedAsTypedAndOnOkNothingIsSplit) {
  open(0);
  EXPECT_EQ(door.Edit1->text(), with_user_decimal_separator("5600.0"));
  door.Edit2->setFocus();
  door.Edit2->selectAll();
  QTest::keyClicks(door.Edit2, ",");
  ASSERT_EQ(ui->messages, std::vector<std::string>{"',' is not a valid floating point value"});
  EXPECT_EQ(door.Edit1->text(), with_user_decimal_separator("5600.0")) << "the parts keep their values";
  EXPECT_EQ(door.Edit2->text(), ",");
  press_ok();
  EXPECT_EQ(ui->messages.size(), 2u);
  EXPECT_EQ(ui->messages.back(), "',' is not a valid floating point value");
  expect_wall_unsplit(0);
}

TEST_F(DoorDialog, TextThatIsNoNumberOrAnEmptiedEditStopsTheSplitOfTheLayoutShown) {
  open(0);
  door.Edit3->setText("abc");  // not typed: the key filter would drop it
  door.BitBtn1->click();
  EXPECT_EQ(ui->messages, std::vector<std::string>{"'abc' is not a valid floating point value"});
  expect_wall_unsplit(0);

  // A vertical wall: the edits of the other layout hold numbers, its own one is emptied.
  open(1);
  ASSERT_TRUE(door.Edit5->isVisible());
  door.Edit5->setFocus();
  door.Edit5->selectAll();
  QTest::keyClick(door.Edit5, Qt::Key_Backspace);
  EXPECT_EQ(ui->messages.size(), 1u) << "an emptied edit waits for its number";
  press_ok();
  EXPECT_EQ(ui->messages.back(), "'' is not a valid floating point value");
  expect_wall_unsplit(1);

  // Numbers again: the split goes ahead.
  open(1);
  door.Edit5->setFocus();
  door.Edit5->selectAll();
  QTest::keyClicks(door.Edit5, "1000");
  press_ok();
  EXPECT_EQ(Cells[0].walls.size(), 6u);
  EXPECT_EQ(Cells[0].walls[2].kind, 0);
  EXPECT_DOUBLE_EQ(Cells[0].walls[2].y2 - Cells[0].walls[2].y1, 1000.0);
}
