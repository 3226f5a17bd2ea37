// The plan view drawn to the pixel for rooms that hold every kind of figure it
// draws: walls with a door, runs of bays with end frames, free modules with
// clearance dimensions and service-view frames, a trolley, a compact group,
// selections, and the overlays of the edit modes; in millimetres with a
// comma decimal separator and in inches, fitted and zoomed in.
#include <gtest/gtest.h>

#include <QLocale>
#include <string>

#include "editor/plan/plan_view.h"
#include "model/base/units.h"
#include "support/exact_goldens.h"
#include "support/plan_rooms.h"

namespace {

QImage draw_view(double zoom_in = 0.0) {
  PlanView view;
  view.resize(640, 480);
  view.fit_plan_to_view(10);
  if (zoom_in != 0.0) view.zoom_plan(zoom_in);
  view.draw_plan();
  return view.plan_image().copy();
}

void select_some(Tcell& cell) {
  cell.walls[4].selected = true;
  cell.walls[3].modules[1].selected = true;
  cell.walls[3].modules[2].selected2 = true;
  cell.walls[5].modules[0].selected = cell.walls[5].modules[0].selected2 = true;
  cell.free_modules[0].selected = cell.free_modules[0].selected2 = true;
}

class PlanPixelGoldens : public ::testing::Test {
 protected:
  void SetUp() override { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
  void TearDown() override {
    reset_plan_globals();
    QLocale::setDefault(QLocale::c());
  }
  static void expect_golden(const QImage& image, const std::string& name) {
    expect_pixel_equal_golden(image, exact_golden_path("editor", name));
  }
};

}  // namespace

TEST_F(PlanPixelGoldens, SampleRoomInMillimetresOnBothBackgrounds) {
  for (bool black : {false, true}) {
    reset_plan_globals(black);
    AppState.decimals = 1;
    select_some(sample_room());
    expect_golden(draw_view(), black ? "screen_sample_black" : "screen_sample_white");
  }
}

TEST_F(PlanPixelGoldens, SampleRoomZoomedInWithServiceFramesAndWithoutLoads) {
  reset_plan_globals();
  AppState.debug = 1;
  AppState.print_max_loads = false;
  Tcell& cell = sample_room();
  cell.free_modules[0].side_flags = {0, 0, 0, 1, 1, 0};
  expect_golden(draw_view(2.0), "screen_sample_zoomed");
}

TEST_F(PlanPixelGoldens, LShapedRoomInInchesWithTheEditOverlays) {
  reset_plan_globals();
  l_shaped_room();
  AppState.inches = true;
  AppState.unit_factor = MmPerInch;
  AppState.rubber_band = {400, 380, 200, 250};
  AppState.place_free_module_mode = 1;
  Tmodulo_agg& t = AppState.free_module_template;
  t = shelved_free(-1500, 1200, 500, 1000, 'H');
  t.clear_n = 900;
  t.clear_s = 400;
  t.clear_e = 1200;
  t.clear_o = 300;
  t.side_flags = {1, 1, 0, 0, 0, 0};
  AppState.place_compact_mode = 1;
  AppState.compact_template.x = 1500;
  AppState.compact_template.y = -1500;
  AppState.compact_template.extent_x = 1200;
  AppState.compact_template.extent_y = 2000;
  expect_golden(draw_view(), "screen_l_room_inches");
}

TEST_F(PlanPixelGoldens, OutlineBeingDrawnShowsItsPendingSegment) {
  reset_plan_globals();
  l_shaped_room();
  AppState.outline_mode = 1;
  AppState.segment_pending = 1;
  AppState.segment_start = {0, 0};
  AppState.segment_offset = {120.4, -60.5};
  expect_golden(draw_view(), "screen_outline_pending");
}
