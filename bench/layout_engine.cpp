// One edit as the user pays for it: laying out the current cell again and
// taking the undo snapshot of the whole project, on a large generated project
// (30 cells of 24 walls with 10 bays each and 40 free modules a cell) and on
// one room of 200 walls with as many bays, with equal priorities (no joins),
// with shuffled ones (joins to mend), and with a third of its walls failing
// beside it; and sessions whose history grows:
// edits of a project of 30 and of 120 cells, and reorders of all its cells.
#include "model/layout/layout_engine.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "model/files/cell_list.h"
#include "model/layout/undo_history.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
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

// Heap memory in use, in megabytes: unlike the resident size it falls again
// when a repetition frees its history, so each repetition reads its own growth.
double heap_megabytes() {
  const struct mallinfo2 heap = mallinfo2();
  return static_cast<double>(heap.uordblks + heap.hblkhd) / 1e6;
}

// A session of 1,000 edits of a project of state.range(0) cells, every step
// kept in the history. With change_wall each edit gives a wall of the current
// cell another height, so that cell differs from the step before; otherwise
// the edit lays the cell out again.
void run_growing_history(benchmark::State& state, bool change_wall) {
  make_large_project(static_cast<int>(state.range(0)), 3, 40);
  const double before = heap_megabytes();
  double height = 2000;  // the walls' height: the edit swaps it with 2100
  for (auto _ : state) {
    if (change_wall) current_cell().walls[0].module_height = height = 4100 - height;
    recompute_layout();
    push_undo_snapshot();
  }
  state.counters["heap_growth_MB"] = heap_megabytes() - before;
  state.counters["steps"] = static_cast<double>(UndoHistory.size());
}

void BM_EditLargeProjectGrowingHistory(benchmark::State& state) { run_growing_history(state, false); }
BENCHMARK(BM_EditLargeProjectGrowingHistory)->Arg(30)->Arg(120)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_ChangeWallOfLargeProjectGrowingHistory(benchmark::State& state) { run_growing_history(state, true); }
BENCHMARK(BM_ChangeWallOfLargeProjectGrowingHistory)
    ->Arg(30)
    ->Arg(120)
    ->Iterations(1000)
    ->Unit(benchmark::kMicrosecond);

// A session of 1,000 reorders through the cell order form, each moving the
// first cell to the end, so that every cell changes its place; every step kept.
void BM_ReorderCellsOfLargeProjectGrowingHistory(benchmark::State& state) {
  make_large_project(30, 3, 40);
  // Named apart, so that no cell equals the one that takes its place.
  for (std::size_t c = 0; c < Cells.size(); ++c) Cells[c].name = "Cell " + std::to_string(c + 1);
  push_undo_snapshot();
  const double before = heap_megabytes();
  for (auto _ : state) {
    CellOrderForm form = cell_order_form();
    form.selected = 0;
    for (std::size_t moves = 1; moves < Cells.size(); ++moves) move_cell_line(form, 1);
    apply_cell_order(form);
  }
  state.counters["heap_growth_MB"] = heap_megabytes() - before;
  state.counters["steps"] = static_cast<double>(UndoHistory.size());
}
BENCHMARK(BM_ReorderCellsOfLargeProjectGrowingHistory)->Iterations(1000)->Unit(benchmark::kMicrosecond);

void BM_EditRoomOf200Walls(benchmark::State& state) {
  make_large_project(1, 25, 40);
  run_edits(state);
}
BENCHMARK(BM_EditRoomOf200Walls)->Unit(benchmark::kMicrosecond);

// The room of 200 walls with its walls ranked in a fixed random order.
void make_room_of_200_walls_shuffled() {
  make_large_project(1, 25, 40);
  std::vector<Tlinea>& walls = current_cell().walls;
  std::vector<int> ranks(walls.size());
  std::iota(ranks.begin(), ranks.end(), 0);
  std::shuffle(ranks.begin(), ranks.end(), std::mt19937(41));
  for (std::size_t i = 0; i < walls.size(); ++i) walls[i].priority = ranks[i];
  recompute_layout();
}

// The same room with its walls ranked in a fixed random order: most corners
// joined, many of them mended because the runs cannot meet there.
void BM_EditRoomOf200WallsShuffledPriorities(benchmark::State& state) {
  make_room_of_200_walls_shuffled();
  run_edits(state);
}
BENCHMARK(BM_EditRoomOf200WallsShuffledPriorities)->Unit(benchmark::kMicrosecond);

// The seconds one edit of the current cell takes; the history stays as it was.
double timed_edit() {
  const auto start = std::chrono::steady_clock::now();
  recompute_layout();
  push_undo_snapshot();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  UndoHistory.pop_back();
  --UndoPosition;
  return seconds;
}

// The shuffled room with every third wall given more bays than fit (16),
// so that a third of the walls fail, each iteration beside an edit of the
// room itself, where every wall fits: the iteration time is the failing
// room's, and ratio_to_fitting tells how much dearer it is.
void BM_EditRoomOf200WallsEveryThirdFailing(benchmark::State& state) {
  make_room_of_200_walls_shuffled();
  Tcell fitting = current_cell();
  std::vector<Tlinea>& walls = current_cell().walls;
  for (std::size_t i = 0; i < walls.size(); i += 3) walls[i].module_count = 16;
  double failing_seconds = 0, fitting_seconds = 0;
  for (auto _ : state) {
    const double failing = timed_edit();
    std::swap(Cells[0], fitting);
    fitting_seconds += timed_edit();
    std::swap(Cells[0], fitting);
    failing_seconds += failing;
    state.SetIterationTime(failing);
  }
  std::size_t without_bays = 0;
  for (const Tlinea& wall : current_cell().walls) without_bays += wall.module_count > 0 && wall.modules.empty();
  state.counters["walls_without_bays"] = static_cast<double>(without_bays);
  state.counters["fitting_room_us"] = 1e6 * fitting_seconds / static_cast<double>(state.iterations());
  state.counters["ratio_to_fitting"] = failing_seconds / fitting_seconds;
}
BENCHMARK(BM_EditRoomOf200WallsEveryThirdFailing)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
