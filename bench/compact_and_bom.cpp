// The two passes that run at the end of every edit and on every print, on a
// large project: 30 cells of 24 walls with about 10 bays each and 40 free
// modules a cell (two compact groups and two trolleys among them), priced
// against a code table of a few thousand rows; and the whole ending of an
// edit there.
#include <benchmark/benchmark.h>

#include <string>

#include "model/base/rounding.h"
#include "model/layout/compact_groups.h"
#include "model/layout/finish_edit.h"
#include "model/quote/bill_of_materials.h"
#include "model/state/current_cell.h"
#include "model/state/globals.h"
#include "support/plan_builders.h"

namespace {

constexpr double kBayLengths[] = {700, 1000, 1300};
constexpr double kDepths[] = {300, 400, 500, 600};
constexpr double kHeights[] = {1700, 2000, 2225, 2500};

// A free module with end frames on both sides.
Tmodulo_agg free_module(double x, double y, double width, double length, char orientation, std::string code) {
  Tmodulo_agg m = make_free(x, y, width, length, orientation, std::move(code));
  m.side_flags = {0, 0, 1, 1, 0, 0};
  return m;
}

// A staircase outline of alternating horizontal and vertical runs, each of ten bays.
Tlinea wall_with_bays(int index, double x, double y) {
  const bool horizontal = index % 2 == 0;
  const double depth = kDepths[index % 4];
  const double length = kBayLengths[index % 3];
  const int bays = 9 + index % 3;
  const double run = bays * (length + 36);
  Tlinea wall = horizontal ? make_wall(x, y, x + run, y) : make_wall(x, y, x, y + run);
  wall.start_join_high = index % 5 == 0;
  wall.end_join_low = index % 7 == 0;
  for (int b = 0; b < bays; ++b) {
    const double along = 18 + length / 2 + b * (length + 36);
    Tmodulo bay = horizontal ? make_bay(x + along, y + depth / 2, depth, length, 'H')
                             : make_bay(x - depth / 2, y + along, depth, length, 'V');
    bay.height = kHeights[b % 4];
    wall.modules.push_back(bay);
  }
  for (int f = 0; f <= bays; ++f) {
    Ttestata frame;
    frame.frame_type = f == 0 || f == bays ? "TE" : "TI";
    frame.depth = depth;
    frame.height = kHeights[f % 4];
    frame.module_before = f - 1;
    frame.module_after = f < bays ? f : -1;
    wall.end_frames.push_back(frame);
  }
  return wall;
}

Tcell large_cell() {
  Tcell cell;
  double x = 0, y = 0;
  for (int w = 0; w < 24; ++w) {
    cell.walls.push_back(wall_with_bays(w, x, y));
    x = cell.walls.back().x2;
    y = cell.walls.back().y2;
  }
  // Two compact groups of five units along x, two trolleys, ordinary modules in a grid.
  for (int g = 1; g <= 2; ++g) {
    const double gy = 20000.0 * g;
    for (int u = 0; u < 5; ++u) {
      const std::string code = (u == 0 || u == 4 ? "CVFISSO_" : "CVMOBIL_") + std::to_string(g);
      cell.free_modules.push_back(free_module(5000 + u * 600.0, gy, 577, 1000, 'V', code));
    }
  }
  cell.free_modules.push_back(free_module(9000, 9000, 500, 1000, 'H', "CARRELLO"));
  cell.free_modules.push_back(free_module(9000, 11000, 500, 1200, 'H', "CARRELLO"));
  while (cell.free_modules.size() < 40) {
    const double i = static_cast<double>(cell.free_modules.size());
    cell.free_modules.push_back(free_module(12000 + 1500 * i, 4000 + 700 * i, 500, 1000, i < 25 ? 'H' : 'V', ""));
  }
  return cell;
}

Tcodice code_row(std::string tipo, std::string lar, std::string lung, std::string alt) {
  Tcodice row;
  row.tipo = std::move(tipo);
  row.lar = std::move(lar);
  row.lung = std::move(lung);
  row.alt = std::move(alt);
  row.options = {"SI", "SI", "-"};
  row.code = row.tipo + row.lar + row.lung + row.alt;
  return row;
}

// The rows the project uses, repeated for several finishes, among rows of other products.
void fill_code_table() {
  CodesTable.clear();
  for (int finish = 0; finish < 6; ++finish) {
    for (double depth : {300.0, 400.0, 500.0, 577.0, 600.0}) {
      for (double length : kBayLengths) CodesTable.push_back(code_row("R", size_key(depth), size_key(length), ""));
      for (double height : kHeights) {
        CodesTable.push_back(code_row("TE", size_key(depth), "", size_key(height)));
        CodesTable.push_back(code_row("TI", size_key(depth), "", size_key(height)));
      }
      CodesTable.push_back(code_row("G", size_key(depth), "", ""));
    }
    for (const char* tipo : {"RG", "RGF", "PRG", "OV"}) CodesTable.push_back(code_row(tipo, "", "", ""));
    for (const char* kit : {"2245", "2645", "3045"}) CodesTable.push_back(code_row("KG", "", kit, ""));
  }
  for (int other = 0; CodesTable.size() < 3000; ++other)
    CodesTable.push_back(code_row("X" + std::to_string(other % 40), std::to_string(other), "", ""));
}

void build_project() {
  Cells.assign(30, large_cell());
  AppState.current_cell = 0;
  MaxLoadTable = {{"L", "P", "PH", "LIM"},
                  {"700", "350", "300", "250"},
                  {"1000", "300", "250", "200"},
                  {"1300", "280", "240", "200"}};
  fill_code_table();
}

void BM_RebuildCompactGroups(benchmark::State& state) {
  build_project();
  for (auto _ : state) {
    rebuild_derived_values();
    benchmark::DoNotOptimize(Cells.data());
  }
  state.counters["groups"] = static_cast<double>(Cells.size() * Cells[0].compact_groups.size());
}
BENCHMARK(BM_RebuildCompactGroups)->Unit(benchmark::kMicrosecond);

// A free module of the current cell moved, then the edit ended as the plan's
// commands end it, with no view to show: the cells derived and the step recorded.
void BM_EditEnding(benchmark::State& state) {
  build_project();
  UndoHistory.clear();
  UndoPosition = -1;
  finish_edit(EditKind::changed, Views::none);
  int edits = 0;
  for (auto _ : state) {
    if (++edits % 100 == 0) {  // a long history is not what is measured
      state.PauseTiming();
      UndoHistory.erase(UndoHistory.begin(), UndoHistory.end() - 1);
      UndoPosition = 0;
      state.ResumeTiming();
    }
    current_cell().free_modules[0].x += edits % 2 ? 1 : -1;
    finish_edit(EditKind::changed, Views::none);
  }
}
BENCHMARK(BM_EditEnding)->Unit(benchmark::kMicrosecond);

void BM_BuildBillOfMaterials(benchmark::State& state) {
  build_project();
  for (auto _ : state) {
    build_bill_of_materials();
    benchmark::DoNotOptimize(QuoteDetails.data());
  }
  std::size_t lines = 0;
  for (const Tdett_prv& cell_lines : QuoteDetails) lines += cell_lines.size();
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_BuildBillOfMaterials)->Unit(benchmark::kMillisecond);

}  // namespace
