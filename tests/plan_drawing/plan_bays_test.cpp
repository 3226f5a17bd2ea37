// Bays and free modules drawn once for both targets: each target's style
// decides how the shelf edges round, whether uprights are framed or filled,
// where the captions stand and which end frames a module shows.
#include "plan_drawing/plan_bays.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/modules/module_kind.h"
#include "plan_drawing/cell_plan.h"
#include "plan_drawing/recording_painter.h"

namespace {

// The plan view's choices: mapped shelf edges, framed uprights, captions in
// the figure, an unknown orientation read as 'V'.
PlanStyle screen_like() {
  PlanStyle style;
  style.bay_pen = {Qt::blue, 1};
  style.module_pen = {Qt::darkGreen, 1};
  style.bays = {Qt::white, false, QColor(Qt::gray), true, 'V'};
  style.bay_captions = [](const Tmodulo&) { return std::vector<QString>{"size", "load"}; };
  style.module_frame_pen = [](bool inner) { return PlanPen{inner ? Qt::red : Qt::yellow, 2}; };
  return style;
}

// The printed page's: edges laid off the corners' pixels, filled posts,
// captions in their own layer, frames at joints too.
PlanStyle page_like() {
  PlanStyle style = screen_like();
  style.rounding = OffsetRounding::ScaledTerms;
  style.bays = {Qt::white, true, std::nullopt, false, 'H'};
  style.bay_captions = [](const Tmodulo&) { return std::vector<QString>{"size", "shelves", "load"}; };
  style.module_frame_pen = nullptr;
  style.module_frames_at_joints = true;
  return style;
}

// 1000 x 602 mm along x at the origin: at half a pixel a millimetre its long
// sides fall on half pixels.
Tmodulo wide_bay(char orientation = 'H') {
  Tmodulo bay;
  bay.length = 1000;
  bay.width = 602;
  bay.orientation = orientation;
  return bay;
}

Tmodulo_agg module_with_flags(int joint_a, int end_frame_a, int inner_frame_b) {
  Tmodulo_agg module;
  module.length = 1000;
  module.width = 600;
  module.orientation = 'H';
  module.side_flags[kJointA] = joint_a;
  module.side_flags[kEndFrameA] = end_frame_a;
  module.side_flags[kInnerFrameB] = inner_frame_b;
  return module;
}

}  // namespace

TEST(SharedBays, ShelfEdgesRoundEachTargetsWayAtAHalf) {
  RecordingPainter screen({0.5, 0, 0}), page({0.5, 0, 0});
  draw_run_bay(screen, screen_like(), wide_bay());
  draw_run_bay(page, page_like(), wide_bay());
  ASSERT_EQ(screen.segments.size(), 2u);
  ASSERT_EQ(page.segments.size(), 2u);
  // 270 mm from the centre maps to -135; the side at -150.5 rounds to -150, then 15.5 px in to -134.
  EXPECT_EQ(screen.segments[0].a, QPoint(-250, -135));
  EXPECT_EQ(page.segments[0].a, QPoint(-250, -134));
  EXPECT_EQ(screen.segments[1].b, QPoint(250, 135));
  EXPECT_EQ(page.segments[1].b, QPoint(250, 134));
}

TEST(SharedBays, UprightsAreFramedOnScreenAndFilledOnThePage) {
  RecordingPainter screen({0.5, 0, 0}), page({0.5, 0, 0});
  draw_run_bay(screen, screen_like(), wide_bay());
  draw_run_bay(page, page_like(), wide_bay());
  EXPECT_EQ(screen.polygons.size(), 1u) << "the body alone";
  EXPECT_EQ(screen.frame_colours, std::vector<QColor>(4, QColor(Qt::gray)));
  ASSERT_EQ(page.polygons.size(), 5u) << "the body and four posts";
  EXPECT_TRUE(page.frame_colours.empty());
  // The first post: 4 mm beyond the left end, 28 mm in from the lower side.
  EXPECT_EQ(page.polygons[1], QPolygon({{-250, 150}, {-252, 150}, {-252, 136}, {-250, 136}}));
  EXPECT_EQ(page.polygons[0], QPolygon({{-250, 150}, {250, 150}, {250, -150}, {-250, -150}}));
}

TEST(SharedBays, CaptionsStandInTheFigureOnScreenAndInTheirOwnLayerOnThePage) {
  RecordingPainter screen({0.5, 0, 0});
  draw_run_bay(screen, screen_like(), wide_bay('V'));
  ASSERT_EQ(screen.placed_labels.size(), 2u);
  EXPECT_EQ(screen.placed_labels[0].shift, -0.5);
  EXPECT_EQ(screen.placed_labels[1].shift, 0.5);
  EXPECT_TRUE(screen.placed_labels[1].turned) << "along a vertical run";
  EXPECT_EQ(screen.placed_labels[1].frames_before, 0) << "written before the uprights";

  Tcell cell;
  cell.walls.resize(1);
  cell.walls[0].modules = {wide_bay(), wide_bay()};
  PlanStyle style = page_like();
  RecordingPainter page({0.5, 0, 0});
  draw_run_bay(page, style, cell.walls[0].modules[0]);
  EXPECT_TRUE(page.labels.empty()) << "the figure leaves its captions out";
  style.layers = {PlanLayer::BayCaptions};
  draw_cell_plan(page, cell, style);
  EXPECT_EQ(page.labels, (std::vector<std::string>{"size", "shelves", "load", "size", "shelves", "load"}));
  EXPECT_EQ(page.placed_labels[0].shift, -1.0);
  EXPECT_EQ(page.placed_labels[2].shift, 1.0);
  EXPECT_FALSE(page.placed_labels[2].turned);
}

TEST(SharedBays, AnUnknownOrientationReadsEachTargetsWay) {
  RecordingPainter screen({0.5, 0, 0}), page({0.5, 0, 0});
  const std::vector<QString> lines{"one"};
  draw_captions(screen, screen_like(), lines, {0, 0}, 1000, ' ');
  draw_captions(page, page_like(), lines, {0, 0}, 1000, ' ');
  ASSERT_EQ(screen.placed_labels.size(), 1u);
  ASSERT_EQ(page.placed_labels.size(), 1u);
  EXPECT_TRUE(screen.placed_labels[0].turned);
  EXPECT_FALSE(page.placed_labels[0].turned);
  EXPECT_EQ(screen.placed_labels[0].shift, 0.0) << "a single line is centred";
}

TEST(SharedBays, ModuleEndFramesAtJointsAndTheirPensFollowTheStyle) {
  const Tmodulo_agg module = module_with_flags(1, 1, 1);  // a joined run end at A, an inner frame at B
  RecordingPainter screen({0.5, 0, 0}), page({0.5, 0, 0});
  draw_free_module(screen, screen_like(), module);
  draw_free_module(page, page_like(), module);
  EXPECT_EQ(screen.discs, 2) << "the joined end has no frame on screen";
  EXPECT_EQ(screen.events.back(), "pen #ff0000") << "the inner frame's pen";
  EXPECT_EQ(page.discs, 4);
  EXPECT_EQ(page.events.front(), "pen #008000");
  EXPECT_EQ(std::count(page.events.begin(), page.events.end(), "pen #008000"), 1) << "the frames keep the pen";

  RecordingPainter unjoined({0.5, 0, 0});
  draw_free_module(unjoined, screen_like(), module_with_flags(0, 1, 0));
  EXPECT_EQ(unjoined.discs, 2);
  EXPECT_EQ(unjoined.events.back(), "pen #ffff00") << "a run end's pen";
}

TEST(SharedBays, OutOfViewOnlyATrolleysWheelsAreDrawn) {
  RecordingPainter painter({0.5, 0, 0});
  painter.visible = false;
  draw_run_bay(painter, screen_like(), wide_bay());
  Tmodulo_agg trolley = module_with_flags(0, 1, 0);
  trolley.code = std::string(kTrolleyCode);
  draw_free_module(painter, screen_like(), trolley);
  EXPECT_EQ(painter.rings, 4);
  EXPECT_TRUE(painter.polygons.empty());
  EXPECT_EQ(painter.discs, 0);
  EXPECT_EQ(painter.events, (std::vector<std::string>{"pen #008000"}));
}
