// One edit as the user pays for it: laying out the current cell again and
// taking the undo snapshot of the whole project, on a large generated project
// (30 cells of 24 walls with 10 bays each and 40 free modules a cell) and on
// one room of 200 walls with as many bays.
#include "model/layout/layout_engine.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <vector>

#include "model/state/globals.h"
#include "model/state/undo_history.h"
#include "support/large_project.h"

namespace {

void run_edits(benchmark::State& state) {
  std::size_t bays = 0;
  for (const Tcell& cell : Cells)
    for (const Tlinea& wall : cell.walls) bays += wall.modules.size();
  for (auto _ : state) {
    recompute_layout();
    push_undo_snapshot();
    // Keep the history at one step, as the first edit of a session finds it.
    state.PauseTiming();
    UndoHistory.pop_back();
    --UndoPosition;
    state.ResumeTiming();
  }
  state.counters["bays"] = static_cast<double>(bays);
  state.counters["walls"] = static_cast<double>(Cells[0].walls.size());
}

void BM_EditLargeProject(benchmark::State& state) {
  make_large_project(30, 3, 40);
  run_edits(state);
}
BENCHMARK(BM_EditLargeProject)->Unit(benchmark::kMicrosecond);

// The two halves of the edit on the large project.
void BM_RecomputeCellOfLargeProject(benchmark::State& state) {
  make_large_project(30, 3, 40);
  for (auto _ : state) recompute_layout();
}
BENCHMARK(BM_RecomputeCellOfLargeProject)->Unit(benchmark::kMicrosecond);

void BM_SnapshotOfLargeProject(benchmark::State& state) {
  make_large_project(30, 3, 40);
  for (auto _ : state) {
    push_undo_snapshot();
    state.PauseTiming();
    UndoHistory.pop_back();
    --UndoPosition;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_SnapshotOfLargeProject)->Unit(benchmark::kMicrosecond);

void BM_EditRoomOf200Walls(benchmark::State& state) {
  make_large_project(1, 25, 40);
  run_edits(state);
}
BENCHMARK(BM_EditRoomOf200Walls)->Unit(benchmark::kMicrosecond);

}  // namespace
