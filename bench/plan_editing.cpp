// A pointer move while a free module is placed, as the user pays for it on
// the large generated project's current cell (24 walls of 10 bays, 40 free
// modules): the template follows the pointer, snaps to the bays and modules
// near it, measures its clearances, and the plan is drawn again at full HD.
#include "editor/plan/plan_editing.h"

#include <benchmark/benchmark.h>

#include "bench/offscreen_application.h"
#include "editor/plan/plan_view.h"
#include "editor/plan/plan_zoom.h"
#include "support/large_project.h"

namespace {

constexpr int kPlanViewWidth = 1920, kPlanViewHeight = 1080;

void BM_PlacementMove(benchmark::State& state, bool near_walls) {
  offscreen_application();
  make_large_project(30, 3, 40);
  PlanView view;
  view.resize(kPlanViewWidth, kPlanViewHeight);
  view.fit_plan_to_view(10);
  AppState.place_free_module_mode = 1;
  Tmodulo_agg& t = AppState.free_module_template;
  t.length = 1000;
  t.width = 500;
  t.height = 2000;
  t.shelf_count = 5;
  t.orientation = 'V';  // across the first wall's bays, so that it snaps to them
  // Along the first wall's bays, or across the open middle of the room.
  const Tlinea& wall = Cells[0].walls[0];
  const PlanTransform transform = view_transform(AppState, kPlanViewWidth, kPlanViewHeight);
  const QPoint from = plan_to_screen(transform, wall.x1, wall.y1 + (near_walls ? 700 : 20000));
  const QPoint to = plan_to_screen(transform, wall.x2, wall.y2 + (near_walls ? 700 : 20000));
  int step = 0, snapped = 0;
  for (auto _ : state) {
    const int k = step++ % 100;
    const int x = from.x() + (to.x() - from.x()) * k / 100, y = from.y() + (to.y() - from.y()) * k / 100;
    plan_mouse_move(Qt::NoButton, Qt::NoModifier, x, y, kPlanViewWidth, kPlanViewHeight);
    view.draw_plan();  // what the window's draw_plan does after the move
    snapped += t.side_flags[kJointA] || t.side_flags[kJointB];
  }
  // The share of the moves that ended snapped to a neighbour.
  state.counters["snapped"] = static_cast<double>(snapped) / step;
}
BENCHMARK_CAPTURE(BM_PlacementMove, along_the_bays, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PlacementMove, in_the_open, false)->Unit(benchmark::kMillisecond);

}  // namespace
