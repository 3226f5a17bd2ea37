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

#include "model/layout/cell_walls.h"
#include "model/layout/wall_editing.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "model/state/undo_history.h"
#include "support/room_outline.h"

namespace {

constexpr double Side = 11500;  // a wall of ten bays of about 1100 mm

// A diamond of square steps, every wall Side long: from the bottom corner up
// to the right, up to the left, down to the left and back; 8 * steps walls.
std::vector<Tvec2> stepped_diamond(int steps) {
  const Tvec2 turns[4][2] = {{{1, 0}, {0, 1}}, {{-1, 0}, {0, 1}}, {{-1, 0}, {0, -1}}, {{1, 0}, {0, -1}}};
  std::vector<Tvec2> corners;
  Tvec2 at{0, 0};
  for (const auto& quarter : turns) {
    for (int s = 0; s < steps; ++s) {
      for (const Tvec2& d : quarter) {
        corners.push_back(at);
        at = vec_make(at.x + Side * d.x, at.y + Side * d.y);
      }
    }
  }
  return corners;
}

Tcell make_cell(int steps, int free_modules) {
  Tcell cell;
  cell.walls = walls_through(stepped_diamond(steps));
  for (Tlinea& wall : cell.walls) {
    wall.module_count = 10;
    wall.shelf_count = 5;
    wall.module_height = 2000;
    wall.module_depth = 500;
  }
  for (int k = 0; k < free_modules; ++k) {
    Tmodulo_agg m;
    m.orientation = 'H';
    m.length = 1000;
    m.width = 500;
    m.height = 2000;
    m.x = -10000 + 2500 * (k % 8);
    m.y = 3 * Side - 10000 + 4000 * (k / 8);
    cell.free_modules.push_back(m);
  }
  cell.outline_closed = true;
  return cell;
}

// Builds the project and lays every cell out once, as a loaded project is.
void make_project(int cells, int steps, int free_modules) {
  LengthList = {700, 800, 900, 1000, 1100, 1200, 1300};
  AppState = Tvar_amb{};
  AppState.max_length_index = 6;
  Cells.assign(static_cast<std::size_t>(cells), make_cell(steps, free_modules));
  for (int c = 0; c < cells; ++c) {
    AppState.current_cell = c;
    compute_wall_normals();
    recompute_layout();
  }
  AppState.current_cell = 0;
  UndoHistory.clear();
  UndoPosition = -1;
  push_undo_snapshot();
}

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
  make_project(30, 3, 40);
  run_edits(state);
}
BENCHMARK(BM_EditLargeProject)->Unit(benchmark::kMicrosecond);

// The two halves of the edit on the large project.
void BM_RecomputeCellOfLargeProject(benchmark::State& state) {
  make_project(30, 3, 40);
  for (auto _ : state) recompute_layout();
}
BENCHMARK(BM_RecomputeCellOfLargeProject)->Unit(benchmark::kMicrosecond);

void BM_SnapshotOfLargeProject(benchmark::State& state) {
  make_project(30, 3, 40);
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
  make_project(30, 3, 40);
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
  make_project(1, 25, 40);
  run_edits(state);
}
BENCHMARK(BM_EditRoomOf200Walls)->Unit(benchmark::kMicrosecond);

}  // namespace
