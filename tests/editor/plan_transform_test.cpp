// The plan transform: the screen mapping and its inverse, the zoom steps and
// their limits, and the fit of the cells into the view.
#include <gtest/gtest.h>

#include "editor/plan/plan_zoom.h"
#include "support/plan_builders.h"

namespace {

Tcell cell_with_walls(std::initializer_list<Tlinea> walls) {
  Tcell cell;
  cell.walls = walls;
  return cell;
}

}  // namespace

TEST(PlanTransform, MapsPlanToPixelsAndBack) {
  Tvar_amb state;
  state.zoom = 0.37;
  state.pan_x = 12.25;
  state.pan_y = -40.5;
  const PlanTransform t = view_transform(state, 801, 600);
  // X = Round(400.5 + 12.25 + 0.37 * 1000) = Round(782.75); Y = Round(300 - 40.5 - 0.37 * 250) = Round(167).
  EXPECT_EQ(plan_to_screen(t, 1000, 250), QPoint(783, 167));
  // Halves go to the even neighbour: Round(0.5) = 0, Round(2.5) = 2.
  EXPECT_EQ(plan_to_screen(PlanTransform{1.0, 0.5, 0.0}, 0, -2.5), QPoint(0, 2));
  for (double x : {-12345.6, -1.0, 0.0, 7.7, 98765.4}) {
    const QPoint p = plan_to_screen(t, x, -x / 3);
    const Tvec2 back = screen_to_plan(t, p.x(), p.y());
    EXPECT_LE(std::abs(back.x - x), 0.5 / state.zoom);
    EXPECT_LE(std::abs(back.y + x / 3), 0.5 / state.zoom);
  }
  // A plan vector laid off from a pixel: y flips, each part rounded on its own.
  EXPECT_EQ(lay_off(t, QPoint(10, 10), 10, 10), QPoint(14, 6));
}

TEST(PlanTransform, ZoomStepsScaleThePanAndStayInRange) {
  Tvar_amb state;
  state.zoom = 2.0;
  state.pan_x = 100;
  state.pan_y = -50;
  zoom_view(state, -0.1);
  zoom_view(state, 0.1);
  EXPECT_DOUBLE_EQ(state.zoom, 2.0 * 0.99);
  EXPECT_DOUBLE_EQ(state.pan_x, 100 * 0.99);
  EXPECT_DOUBLE_EQ(state.pan_y, -50 * 0.99);

  state.zoom = 1.0;
  zoom_view(state, 40 / 400.0);  // a drag of 40 px downwards
  EXPECT_DOUBLE_EQ(state.zoom, 1.1);
  zoom_view(state, 0.0);
  EXPECT_DOUBLE_EQ(state.zoom, 1.1);

  const Tvar_amb before = state;
  zoom_view(state, -1.0);  // a drag of 400 px upwards: k = 0
  zoom_view(state, -2.5);  // k < 0
  EXPECT_EQ(state, before);

  for (int i = 0; i < 200; ++i) zoom_view(state, 0.5);
  EXPECT_DOUBLE_EQ(state.zoom, kMaxPlanZoom);
  for (int i = 0; i < 400; ++i) zoom_view(state, -0.5);
  EXPECT_DOUBLE_EQ(state.zoom, kMinPlanZoom);
  EXPECT_TRUE(std::isfinite(state.pan_x));

  state.zoom = 0.0;  // never valid: the view maps at the limit, the next step brings it back into range
  EXPECT_EQ(view_transform(state, 10, 10).scale, kMinPlanZoom);
  zoom_view(state, 0.1);
  EXPECT_EQ(state.zoom, kMinPlanZoom);
  EXPECT_TRUE(std::isfinite(state.pan_x));
}

TEST(PlanTransform, FitScalesToAllCellsAndCentresTheCurrentOne) {
  Tvar_amb state;
  fit_view(state, Tcells(2), 800, 500, 10);  // no walls anywhere: the 600 mm box
  EXPECT_DOUBLE_EQ(state.zoom, 0.9 * 500 / 1200.0);
  EXPECT_EQ(state.pan_x, 0.0);
  EXPECT_EQ(state.pan_y, 0.0);
  EXPECT_EQ(state.cell_extents, (std::array<double, 4>{600, -600, 600, -600}));

  Tcells cells{cell_with_walls({make_wall(0, 0, 8800, 0), make_wall(8800, 0, 8800, 3000)}),
               cell_with_walls({make_wall(-1000, -500, 1000, -500), make_wall(1000, -500, 1000, 1500)})};
  state.current_cell = 1;
  fit_view(state, cells, 1000, 500, 10);
  EXPECT_EQ(state.cell_extents, (std::array<double, 4>{9400, -1600, 3600, -1100}));
  EXPECT_EQ(state.all_extents, (std::array<double, 4>{1600, -1600, 2100, -1100}));
  const double zoom = 0.9 * std::min(1000 / 11000.0, 500 / 4700.0);
  EXPECT_DOUBLE_EQ(state.zoom, zoom);
  EXPECT_DOUBLE_EQ(state.pan_x, 0.0);
  EXPECT_DOUBLE_EQ(state.pan_y, zoom * 500);

  // A current cell without walls centres on the seed the cells before it left.
  cells.push_back(Tcell{});
  state.current_cell = 2;
  fit_view(state, cells, 1000, 500, 10);
  EXPECT_EQ(state.all_extents, (std::array<double, 4>{-400, -1600, 100, -1100}));

  const Tvar_amb fitted = state;
  fit_view(state, cells, 0, 500, 10);  // a view without size keeps its zoom
  EXPECT_EQ(state.zoom, fitted.zoom);
  EXPECT_EQ(state.pan_y, fitted.pan_y);
}
