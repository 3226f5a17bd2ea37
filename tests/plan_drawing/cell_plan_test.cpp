// The plan drawing that the plan view and the printed pages share, read back
// through a painter that records its calls: the layers run in the order the
// style lists, walls and their dimensions stand where both targets put them,
// and each target keeps its own rounding of pixel offsets.
#include "plan_drawing/cell_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/layout/cell_walls.h"
#include "plan_drawing/plan_dimensions.h"
#include "plan_drawing/plan_shapes.h"
#include "plan_drawing/recording_painter.h"
#include "support/room_outline.h"

namespace {

PlanStyle test_style() {
  PlanStyle style;
  style.face_pen = [](const Tlinea& wall) { return PlanPen{wall.kind == 0 ? Qt::gray : Qt::black, 3}; };
  style.clearance_pen = {Qt::green, 1};
  style.bay_pen = style.frame_pen = {Qt::blue, 1};
  style.wall_pen = [](const Tlinea&) { return PlanPen{Qt::red, 2}; };
  style.jamb_pen = {Qt::magenta, 2};
  style.module_pen = {Qt::darkGreen, 1};
  style.clearance_text = [](double mm) { return QString::number(mm); };
  style.group_pen = {Qt::cyan, 1};
  style.dimension_pen = {Qt::yellow, 1};
  style.wall_length_text = [](double mm) { return QString::number(mm); };
  return style;
}

// A 5 x 4 m room, anticlockwise from the origin, its walls' normals outwards.
Tcell square_room() {
  Tcell cell;
  cell.walls = walls_through({{0, 0}, {5000, 0}, {5000, 4000}, {0, 4000}});
  for (Tlinea& wall : cell.walls) {
    const double dx = wall.x2 - wall.x1, dy = wall.y2 - wall.y1;
    wall.length = std::hypot(dx, dy);
    wall.normal_x = dy / wall.length;
    wall.normal_y = -dx / wall.length;
  }
  cell.wall_thickness = 100;
  cell.clearance = 20;
  return cell;
}

}  // namespace

TEST(SharedCellPlan, LayersRunInTheOrderTheStyleLists) {
  Tcell cell = square_room();
  cell.walls[0].modules.resize(2);
  PlanStyle style = test_style();
  cell.free_modules.resize(1);
  style.layers = {PlanLayer::WallBand, PlanLayer::WallRuns, PlanLayer::FreeModules, PlanLayer::Captions};
  RecordingPainter painter({0.1, 0, 0});
  draw_cell_plan(painter, cell, style);
  ASSERT_GE(painter.events.size(), 14u);
  EXPECT_EQ(painter.events[0], "own " + std::to_string(static_cast<int>(PlanLayer::WallBand)));
  EXPECT_EQ(painter.events[1], "pen #0000ff") << "the bays of the first run, in the bay pen";
  const std::vector<std::string> bays(painter.events.begin() + 2, painter.events.begin() + 12);
  EXPECT_EQ(bays, std::vector<std::string>(10, "polygon")) << "each bay: its body and four posts";
  const auto module = std::find(painter.events.begin() + 12, painter.events.end(), "pen #008000");
  ASSERT_NE(module, painter.events.end()) << "each free module starts in the module pen";
  EXPECT_EQ(*(module + 1), "polygon") << "its body";
  EXPECT_EQ(painter.events.back(), "own " + std::to_string(static_cast<int>(PlanLayer::Captions)));
  EXPECT_TRUE(painter.labels.empty()) << "no dimension layer listed";
}

TEST(SharedCellPlan, FacesRunsAndJambsTakeTheStylesPens) {
  Tcell cell = square_room();
  cell.walls[1].kind = 0;  // the right wall is an opening
  PlanStyle style = test_style();
  style.layers = {PlanLayer::WallFaces, PlanLayer::WallRuns};
  RecordingPainter painter({0.1, 0, 0});
  draw_cell_plan(painter, cell, style);
  // Four faces, a clearance line along each wall but the opening and a short
  // line at each corner, four wall lines and the opening's two jambs.
  ASSERT_EQ(painter.segments.size(), 4u + 3u + 4u + 4u + 2u);
  EXPECT_EQ(painter.segments[0].a, QPoint(-10, 10)) << "the outer face starts a wall thickness out at the corner";
  EXPECT_EQ(painter.segments[1].pen_width, 3);
  const Segment jamb = painter.segments[14];  // after the opening's own line
  EXPECT_EQ(jamb.b, QPoint(510, -410)) << "from the opening's end to the outer corner";
  EXPECT_EQ(jamb.pen_width, 2);
}

TEST(SharedCellPlan, WallDimensionsStandOutsideTheExtentsWithTheirFreeLengths) {
  Tcell cell = square_room();
  Tlinea& bottom = cell.walls[0];
  bottom.show_dimensions = true;
  bottom.start_free = 1000;
  bottom.end_free = 500;
  RecordingPainter painter({0.1, 0, 0});
  draw_wall_dimensions(painter, cell, {5000, 0, 4000, 0}, test_style());
  EXPECT_EQ(painter.labels, (std::vector<std::string>{"5000", "1000", "500", "3500"}));
  ASSERT_FALSE(painter.segments.empty());
  // The overall row stands 400 mm beyond the 100 mm wall, below the bottom wall.
  EXPECT_EQ(painter.segments[0].a, QPoint(0, 50));
  EXPECT_EQ(painter.segments[0].b, QPoint(500, 50));
  EXPECT_EQ(painter.events, (std::vector<std::string>{"pen #ffff00"}));
}

TEST(SharedCellPlan, EachTargetKeepsItsRoundingOfOffsetsAtAHalf) {
  RecordingPainter painter({0.05, 0, 0});
  const Tvec2 d{0.8, 0.6}, p{0.6, -0.8};
  PlanStyle screen, page;
  screen.rounding = OffsetRounding::ScaledVector;
  page.rounding = OffsetRounding::ScaledTerms;
  // (120 * 0.8 - 10 * 0.6) * 0.05 falls just below 4.5, the sum of the scaled terms just above.
  EXPECT_EQ(lay_off(painter, screen, {0, 0}, 120, d, -10, p).x(), 4);
  EXPECT_EQ(lay_off(painter, page, {0, 0}, 120, d, -10, p).x(), 5);
  EXPECT_EQ(lay_off(painter, screen, {7, 7}, 100, {1, 0}).x(), lay_off(painter, page, {7, 7}, 100, {1, 0}).x());
}

TEST(SharedCellPlan, EndFramesStopTheirStylesInsetShortOfTheSides) {
  RecordingPainter painter({1.0, 0, 0});
  draw_end_frame(painter, 0, 0, 600, 'H', EndFrameStyle{28, 16});
  draw_end_frame(painter, 0, 0, 600, 'V', EndFrameStyle{14, 17});
  ASSERT_EQ(painter.segments.size(), 4u);
  EXPECT_EQ(painter.segments[0].a, QPoint(-7, 272));
  EXPECT_EQ(painter.segments[0].b, QPoint(-7, -272));
  EXPECT_EQ(painter.segments[2].a, QPoint(-286, 7)) << "turned across a 'V' run, 14 mm short";
  EXPECT_EQ(painter.discs, 4);
}
