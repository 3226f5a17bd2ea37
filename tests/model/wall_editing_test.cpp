#include "model/layout/wall_editing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <utility>
#include <vector>

#include "layout_fixture.h"
#include "model/base/units.h"
#include "model/layout/edit_modes.h"
#include "model/layout/layout_engine.h"

namespace {

using ButtonChanges = std::vector<std::pair<int, bool>>;
using Texts = std::vector<std::string>;

class OutlineDrawing : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    AppState.outline_mode = 1;
    AppState.segment_pending = 1;
    AppState.segment_start = {0, 0};
  }
  // Drags a segment in a screen direction and types its length.
  void draw(double dx, double dy, const std::string& typed) {
    AppState.segment_offset = {dx, dy};
    ui->input_answers.push_back(typed);
    add_wall_by_length(decimal_separator);
  }
  // Draws walls to the right, up, left and down the screen in turn.
  void draw_walls(const Texts& typed) {
    const double directions[4][2] = {{10, 0}, {0, -10}, {-10, 0}, {0, 10}};
    for (std::size_t i = 0; i < typed.size(); ++i) draw(directions[i % 4][0], directions[i % 4][1], typed[i]);
  }

  char decimal_separator = '.';
};

TEST_F(OutlineDrawing, WallsFollowTheDraggedDirectionWithTheTypedLength) {
  draw_walls({"3000", "2000"});  // screen up is plan +y
  EXPECT_EQ(wall_ends(), (WallEnds{{0, 0, 3000, 0}, {3000, 0, 3000, 2000}}));
  EXPECT_EQ(std::string({wall(0).orientation, wall(1).orientation}), "HV");
  EXPECT_EQ(std::pair(wall(1).priority, wall(1).kind), std::pair(1, 1)) << "ranked after the first, a wall";
  EXPECT_EQ(AppState.segment_start, (std::array<double, 2>{3000, 2000}));
  EXPECT_EQ(ui->questions.back(), "text 6: text 7 (mm)");
  EXPECT_EQ(UndoHistory.size(), 2u);
  EXPECT_EQ((std::array{ui->fits, ui->plan_draws, ui->rebuilds_3d}), (std::array{2, 2, 2}));
  // The length offered next brings the wall level with the start.
  draw(-10, 0, "1000");
  EXPECT_EQ(ui->query_defaults, (Texts{"", "", "3000"}));
}

TEST_F(OutlineDrawing, TypedLengthIsANumberInTheChosenUnit) {
  draw(10, 0, "abc");
  EXPECT_TRUE(cell().walls.empty());
  EXPECT_EQ(ui->messages, (Texts{"text 8"}));
  EXPECT_TRUE(UndoHistory.empty());
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  draw(-10, 0, "10");
  EXPECT_DOUBLE_EQ(wall(0).x2, -254);
  EXPECT_EQ(ui->questions.back(), "text 6: text 7 (in)");
}

TEST_F(OutlineDrawing, TheOfferedLengthHasTheLanguagesDecimalMark) {
  decimal_separator = ',';
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  draw_walls({"157,5", "10", "157,5"});  // the last one the offered text, taken with Enter
  EXPECT_EQ(ui->query_defaults, (Texts{"", "", "157,5"}));
  EXPECT_NEAR(wall(2).x2, 0, 1e-9) << "it closes the width";
}

TEST_F(OutlineDrawing, ALengthNotAboveZeroIsRefusedLikeAnyBadNumber) {
  draw(10, 0, "-500");
  draw(10, 0, "0");
  draw(10, 0, "-0,0");
  EXPECT_TRUE(cell().walls.empty());
  EXPECT_EQ(ui->messages, (Texts{"text 8", "text 8", "text 8"}));
  EXPECT_TRUE(UndoHistory.empty());
  EXPECT_EQ(AppState.segment_start, (std::array<double, 2>{0, 0}));
  draw(10, 0, "0.5");  // the smallest lengths still draw
  EXPECT_EQ(wall_ends(), (WallEnds{{0, 0, 0.5, 0}}));
}

// With the pointer on the last corner's line the segment shows no way to go:
// whatever length is typed, the wall would have none.
TEST_F(OutlineDrawing, ASegmentWithNoDirectionIsRefusedLikeALengthOfZero) {
  draw(10, 0, "3000");
  draw(0, 0, "500");
  EXPECT_EQ(wall_ends(), (WallEnds{{0, 0, 3000, 0}}));
  EXPECT_EQ(ui->messages, (Texts{"text 8"}));
  EXPECT_EQ(UndoHistory.size(), 1u);
  EXPECT_EQ(AppState.segment_start, (std::array<double, 2>{3000, 0}));
}

TEST_F(OutlineDrawing, ReachingTheStartClosesTheOutlineWithoutAsking) {
  draw_walls({"4000", "3000", "4000", "3000"});
  EXPECT_TRUE(cell().outline_closed);
  EXPECT_EQ(AppState.outline_mode, 0);
  EXPECT_EQ(std::count(ui->questions.begin(), ui->questions.end(), "text 10"), 0);
  EXPECT_TRUE(ui->messages.empty());
  EXPECT_EQ(std::pair(wall(0).normal_y, wall(1).normal_x), std::pair(-1.0, 1.0));
  EXPECT_FALSE(ui->buttons_down[3]);
}

TEST_F(OutlineDrawing, LooseEndIsJoinedToTheStartOnYesAndNoDiscardsTheWalls) {
  draw_walls({"4000", "3000", "3900", "2950"});
  const Tcell drawn = cell();
  const Tvar_amb drawing = AppState;
  ui->yes_no_answers.push_back(true);
  close_room_outline();
  EXPECT_EQ(ui->questions.back(), "text 10");
  // The last wall ends on the start and the wall before it stretches; the
  // outline is then centred.
  EXPECT_EQ(wall_ends(), (WallEnds{{-2000, -1500, 2000, -1500},
                                   {2000, -1500, 2000, 1500},
                                   {2000, 1500, -2000, 1500},
                                   {-2000, 1500, -2000, -1500}}));
  EXPECT_TRUE(cell().outline_closed);

  cell() = drawn;
  AppState = drawing;
  close_room_outline();
  EXPECT_TRUE(cell().walls.empty());
  EXPECT_TRUE(cell().outline_closed);
}

TEST_F(OutlineDrawing, OddOrTooFewWallsLeaveTheOutlineOpen) {
  draw_walls({"4000", "3000"});
  close_room_outline();
  draw(-10, 0, "3900");
  close_room_outline();
  EXPECT_FALSE(cell().outline_closed);
  EXPECT_EQ(AppState.outline_mode, 1);
  EXPECT_EQ(ui->questions.size(), 3u);
}

class WallNormals : public CellTest {};

TEST_F(WallNormals, LShapedRoomEitherWayRound) {
  make_l_room();
  const double expected[6][2] = {{0, -1}, {1, 0}, {0, 1}, {1, 0}, {0, 1}, {-1, 0}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(wall(i).normal_x, expected[i][0]) << i;
    EXPECT_EQ(wall(i).normal_y, expected[i][1]) << i;
  }
  EXPECT_EQ((std::array{wall(0).end_angle, wall(2).end_angle, wall(3).start_angle}), (std::array{90.0, -90.0, -90.0}));

  make_outline({{0, 0}, {0, 6000}, {3000, 6000}, {3000, 3000}, {6000, 3000}, {6000, 0}});
  // The re-entrant wall 2 faces out of the room.
  EXPECT_EQ((std::array{wall(0).normal_x, wall(2).normal_x, wall(4).normal_x}), (std::array{-1.0, 1.0, 1.0}));
}

TEST_F(WallNormals, StraightContinuationFacesLikeTheWallItContinues) {
  make_room_with_opening();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(wall(i).normal_y, -1) << i;
    EXPECT_EQ(wall(i).end_angle, i < 2 ? 0 : 90) << i;
  }
}

class MovingWalls : public CellTest {
 protected:
  void SetUp() override {
    CellTest::SetUp();
    make_room_with_opening();
  }
  // Moves wall w by the typed distance along direction.
  void move(int w, Tvec2 direction, const std::string& typed) {
    wall(w).selected = true;
    ui->input_answers.push_back(typed);
    move_selection_by_value(direction);
  }
};

TEST_F(MovingWalls, SidewaysMoveTakesTheCollinearPiecesAndStretchesTheNeighbours) {
  move(0, {0, 1}, "-100");
  EXPECT_EQ(ui->questions.back(), "text 12: text 13 (mm)");
  EXPECT_EQ(wall_ends(), (WallEnds{{0, -100, 2000, -100},
                                   {2000, -100, 2800, -100},
                                   {2800, -100, 5000, -100},
                                   {5000, -100, 5000, 4000},
                                   {5000, 4000, 0, 4000},
                                   {0, 4000, 0, -100}}));
}

TEST_F(MovingWalls, MoveAlongItselfStretchesBothNeighbours) {
  move(3, {0, -1}, "50");
  EXPECT_EQ(wall_ends(), (WallEnds{{0, 0, 2000, 0},
                                   {2000, 0, 2800, 0},
                                   {2800, 0, 5000, -50},
                                   {5000, -50, 5000, 3950},
                                   {5000, 3950, 0, 4000},
                                   {0, 4000, 0, 0}}));
}

TEST_F(MovingWalls, DistanceIsTypedForASelectedWallInTheChosenUnit) {
  move_selection_by_value(vec_make(1, 0));  // nothing selected: nothing asked
  EXPECT_TRUE(ui->questions.empty());
  AppState.unit_factor = MmPerInch;
  AppState.inches = true;
  move(4, {0, 1}, "1");
  EXPECT_DOUBLE_EQ(wall(4).y1, 4025.4);
  move(4, {0, 1}, "x");
  EXPECT_DOUBLE_EQ(wall(4).y1, 4025.4);
  EXPECT_EQ(ui->messages, (Texts{"text 8"}));
}

TEST_F(MovingWalls, EveryWallTheSameWayStopsAfterOneTurn) {
  for (Tlinea& w : cell().walls) w.orientation = 'H';
  move(0, {0, 1}, "10");  // returns
  EXPECT_EQ(wall(0).y1, 10);
}

class DoorRemoval : public MovingWalls {};

TEST_F(DoorRemoval, OpeningIsRemovedAndTheWallRejoined) {
  set_run(wall(0), 1, 0);
  recompute_layout();
  const double end_angle = wall(2).end_angle;
  wall(1).selected = true;
  ui->yes_no_answers.push_back(true);
  remove_door();
  EXPECT_EQ(ui->questions.back(), "text 11");
  ASSERT_EQ(cell().walls.size(), 4u);
  EXPECT_EQ(wall_ends()[0], (std::array<double, 4>{-2500, -2000, 2500, -2000}));
  EXPECT_EQ(wall(0).end_angle, end_angle);
  EXPECT_EQ(wall(0).length, 5000) << "laid out again";
  EXPECT_FALSE(wall(0).selected);
  ASSERT_EQ(UndoHistory.size(), 1u);
  EXPECT_EQ(UndoHistory[0].cells[0]->walls.size(), 4u);
  EXPECT_EQ(ui->plan_draws, 1);
}

TEST_F(DoorRemoval, AnsweringNoKeepsTheOpening) {
  wall(1).selected = true;
  remove_door();
  EXPECT_EQ(cell().walls.size(), 6u);
  EXPECT_TRUE(UndoHistory.empty());
}

TEST_F(DoorRemoval, OpeningWithoutAWallOnBothSidesStays) {
  wall(1).kind = 1;
  for (int opening : {0, 5}) {
    wall(opening).kind = 0;
    wall(opening).selected = true;
    remove_door();
    wall(opening).selected = false;
  }
  EXPECT_TRUE(ui->questions.empty());
  EXPECT_EQ(cell().walls.size(), 6u);
}

class EditModes : public CellTest {};

TEST_F(EditModes, EndingTheModesClearsFlagsSelectionsAndButtons) {
  make_rectangle(4000, 3000);
  Cells.push_back(Cells[0]);
  Cells[1].walls[0].selected2 = true;
  wall(0).selected = true;
  cell().free_modules.resize(1);
  cell().free_modules[0].selected = true;
  AppState.select_modules_mode = 1;
  AppState.place_compact_mode = 1;
  AppState.rubber_band = {1, 2, 3, 4};
  AppState.free_module_template.code = "CARRELLO";
  ui->buttons_down[1] = true;
  ui->buttons_down[19] = true;
  end_edit_mode(false);
  EXPECT_EQ(AppState.select_modules_mode + AppState.place_compact_mode, 0);
  EXPECT_EQ(AppState.rubber_band, (std::array<int, 4>{-1, -1, -1, -1}));
  EXPECT_TRUE(AppState.free_module_template.code.empty());
  EXPECT_FALSE(wall(0).selected || Cells[1].walls[0].selected2 || cell().free_modules[0].selected);
  EXPECT_EQ(ui->button_down_changes, (ButtonChanges{{1, false}, {19, false}, {3, false}}));
  // Buttons already up stay untouched, all but the outline button.
  ui->button_down_changes.clear();
  end_edit_mode(false);
  EXPECT_EQ(ui->button_down_changes, (ButtonChanges{{3, false}}));
}

TEST_F(EditModes, EndingWithCloseFinishesTheOutline) {
  make_rectangle(4000, 3000);
  cell().outline_closed = false;
  AppState.outline_mode = 1;
  end_edit_mode(true);
  EXPECT_TRUE(cell().outline_closed);
  EXPECT_EQ(AppState.outline_mode, 0);
  EXPECT_EQ(UndoHistory.size(), 1u);
}

TEST_F(EditModes, ReleasingSetsEveryModeButtonUpInItsOrder) {
  release_tool_buttons();
  ButtonChanges expected;
  for (int b : {2, 3, 5, 6, 4, 12, 9, 14, 1, 7, 8, 10, 11, 13, 16, 18, 19}) expected.emplace_back(b, false);
  EXPECT_EQ(ui->button_down_changes, expected);
}

}  // namespace
