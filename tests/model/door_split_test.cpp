#include "model/layout/door_split.h"

#include <gtest/gtest.h>

#include <array>

#include "layout_fixture.h"

namespace {

// The wall before the opening, the opening and the wall after it.
std::array<double, 3> parts(const DoorForm& form) { return {form.first, form.opening, form.third}; }

class DoorSplit : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    make_rectangle(3000, 2000);  // bottom wall 0 runs left to right, top wall 2 right to left
    set_run(wall(0), 2, 0);
    set_run(wall(2), 2, 2);
    recompute_layout();
  }
};

TEST_F(DoorSplit, ThePartsStartCentredAndKeepTheWallsLength) {
  DoorForm form = door_form_for_wall(cell(), 0);
  EXPECT_EQ(form.total, 3000);
  EXPECT_EQ(parts(form), (std::array<double, 3>{1100, 800, 1100}));
  change_door_opening(form, 1000);
  EXPECT_EQ(parts(form), (std::array<double, 3>{1000, 1000, 1000}));
  change_door_first(form, 500);
  EXPECT_EQ(parts(form), (std::array<double, 3>{500, 1000, 1500}));
  change_door_third(form, 200);
  EXPECT_EQ(parts(form), (std::array<double, 3>{1800, 1000, 200}));
}

TEST_F(DoorSplit, OkSplitsTheWallIntoWallOpeningWallInTwoUndoSteps) {
  const std::size_t steps = UndoHistory.size();
  ASSERT_TRUE(apply_door_form(door_form_for_wall(cell(), 0)));
  ASSERT_EQ(cell().walls.size(), 6u);
  EXPECT_EQ((std::array{wall(0).x1, wall(0).x2, wall(1).x2, wall(2).x2}), (std::array{-1500.0, -400.0, 400.0, 1500.0}));
  EXPECT_EQ(wall(1).kind, 0);
  EXPECT_EQ(wall(0).module_count, 0);  // the pieces carry no bays
  EXPECT_TRUE(wall(1).modules.empty());
  EXPECT_EQ(std::pair(wall(1).priority, wall(2).priority), std::pair(5, 4));
  EXPECT_EQ(UndoHistory.size(), steps + 2);
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(DoorSplit, AWallRunningRightToLeftTakesTheLeftPartLast) {
  DoorForm form = door_form_for_wall(cell(), 2);
  change_door_first(form, 500);  // the left part on screen
  ASSERT_TRUE(apply_door_form(form));
  // Wall 2 runs from x = 1500 to x = -1500: its first piece is the right part.
  EXPECT_EQ(wall(2).x2 - wall(2).x1, -1700);
  EXPECT_EQ(wall(4).x2 - wall(4).x1, -500);
  EXPECT_EQ(wall(4).x2, -1500);
}

TEST_F(DoorSplit, ARefusedSplitChangesNothingAndSaysSo) {
  make_rectangle(700, 2000);
  recompute_layout();
  ui->messages.clear();
  const Tcells before = Cells;
  const std::size_t steps = UndoHistory.size();
  const DoorForm form = door_form_for_wall(cell(), 0);
  EXPECT_EQ(form.first, -50);
  EXPECT_FALSE(apply_door_form(form));
  EXPECT_EQ(Cells, before);
  EXPECT_EQ(UndoHistory.size(), steps);
  EXPECT_EQ(ui->messages, std::vector<std::string>{"text 8"});
}

}  // namespace
