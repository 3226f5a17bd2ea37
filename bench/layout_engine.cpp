// One edit as the user pays for it: laying out the current cell again and
// taking the undo snapshot of the whole project, on a large generated project
// (30 cells of 24 walls with 10 bays each and 40 free modules a cell) and on
// one room of 200 walls with as many bays; and a session whose history grows.
#include "model/layout/layout_engine.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstddef>
#include <fstream>
#include <vector>

#include "model/state/current_cell.h"
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

// Resident memory of the process in megabytes.
double resident_megabytes() {
  std::ifstream statm("/proc/self/statm");
  double total_pages = 0, resident_pages = 0;
  statm >> total_pages >> resident_pages;
  return resident_pages * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1e6;
}

// A session of 1,000 edits, every step kept in the history. With change_wall
// each edit gives a wall of the current cell another height, so that cell
// differs from the step before; otherwise the edit lays the cell out again.
void run_growing_history(benchmark::State& state, bool change_wall) {
  make_large_project(30, 3, 40);
  const double before = resident_megabytes();
  double height = 2000;  // the walls' height: the edit swaps it with 2100
  for (auto _ : state) {
    if (change_wall) current_cell().walls[0].module_height = height = 4100 - height;
    recompute_layout();
    push_undo_snapshot();
  }
  state.counters["resident_growth_MB"] = resident_megabytes() - before;
  state.counters["steps"] = static_cast<double>(UndoHistory.size());
}

void BM_EditLargeProjectGrowingHistory(benchmark::State& state) { run_growing_history(state, false); }
BENCHMARK(BM_EditLargeProjectGrowingHistory)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_ChangeWallOfLargeProjectGrowingHistory(benchmark::State& state) { run_growing_history(state, true); }
BENCHMARK(BM_ChangeWallOfLargeProjectGrowingHistory)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_EditRoomOf200Walls(benchmark::State& state) {
  make_large_project(1, 25, 40);
  run_edits(state);
}
BENCHMARK(BM_EditRoomOf200Walls)->Unit(benchmark::kMicrosecond);

}  // namespace
