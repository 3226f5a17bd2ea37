// The plan view at full HD: a whole repaint of a large room (300 bays laid
// out by the engine, 40 free modules among which two compact groups and a
// trolley), fitted so that everything is in view, and zoomed in so that
// culling works; and a pointer move in a selection mode: the hover test of
// every wall, bay and free module followed by the repaint.
#include "editor/plan/plan_view.h"

#include <benchmark/benchmark.h>

#include <string>

#include "bench/offscreen_application.h"
#include "editor/plan/plan_hit_tests.h"
#include "editor/plan/plan_zoom.h"
#include "support/plan_rooms.h"

namespace {

// A 100 x 50 m hall with 100 bays on each long wall and 50 on each short one.
void build_large_cell() {
  reset_plan_globals();
  AppState.product_switch = 1;
  Tcell& cell = lay_out_room({{-50000, -25000}, {50000, -25000}, {50000, 25000}, {-50000, 25000}}, {100, 50, 100, 50});
  for (int g = 0; g < 2; ++g) {
    const double y = -12000.0 + 14000.0 * g;
    for (int u = 0; u < 6; ++u) {
      const std::string code = (u == 0 || u == 5 ? "CVFISSO_" : "CVMOBIL_") + std::to_string(g + 1);
      cell.free_modules.push_back(make_free(-30000 + u * 600.0, y, 577, 1000, 'V', code));
    }
  }
  cell.free_modules.push_back(shelved_free(0, 0, 500, 1000, 'H', "CARRELLO"));
  for (int i = 0; cell.free_modules.size() < 40; ++i) {
    Tmodulo_agg module = shelved_free(-10000 + 2500.0 * (i % 9), -15000 + 6000.0 * (i / 9), 500, 1000, 'H');
    module.clear_n = module.clear_e = 800;
    module.dim_n = module.dim_e = true;
    cell.free_modules.push_back(module);
  }
  rebuild_derived_values();  // as the edits that placed them derive the cell
}

std::size_t bay_count() {
  std::size_t bays = 0;
  for (const Tlinea& wall : Cells[0].walls) bays += wall.modules.size();
  return bays;
}

void BM_FullRepaint(benchmark::State& state, bool zoomed_in) {
  offscreen_application();
  build_large_cell();
  PlanView view;
  view.resize(1920, 1080);
  view.fit_plan_to_view(10);
  if (zoomed_in) zoom_view(AppState, 4.0);  // five times closer: most of the hall out of view
  for (auto _ : state) view.draw_plan();
  state.counters["bays"] = static_cast<double>(bay_count());
  state.counters["free"] = static_cast<double>(Cells[0].free_modules.size());
  state.counters["groups"] = static_cast<double>(Cells[0].compact_groups.size());
}
BENCHMARK_CAPTURE(BM_FullRepaint, all_in_view, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FullRepaint, zoomed_in, true)->Unit(benchmark::kMillisecond);

// What a pointer move in the module selection mode costs: every wall, bay and
// free module tested against the pointer, then the plan drawn again.
void BM_HoverAndRepaint(benchmark::State& state) {
  offscreen_application();
  build_large_cell();
  PlanView view;
  view.resize(1920, 1080);
  view.fit_plan_to_view(10);
  int x = 0;
  for (auto _ : state) {
    const QPoint pointer(100 + (x++ % 1700), 540);
    const PlanTransform t = view_transform(AppState, 1920, 1080);
    for (Tlinea& wall : Cells[0].walls) {
      wall.selected2 = wall_hovered(plan_to_screen(t, wall.x1, wall.y1), plan_to_screen(t, wall.x2, wall.y2), pointer);
      for (Tmodulo& bay : wall.modules) bay.selected2 = module_hovered(plan_to_screen(t, bay.x, bay.y), pointer);
    }
    for (Tmodulo_agg& module : Cells[0].free_modules)
      module.selected2 = module_hovered(plan_to_screen(t, module.x, module.y), pointer);
    view.draw_plan();
  }
}
BENCHMARK(BM_HoverAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
