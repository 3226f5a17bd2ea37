// Both drawing exports of a large project, written to a file as the menu does:
// 30 rooms lined with bays on every wall, free modules and trolleys, with the
// shipped catalogue, code table and templates of the staged program folder.
// Counters: the file's size and the growth of the peak resident memory over
// the run against the file's size.
#include "output/dxf/dxf_export.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <unistd.h>

#include <filesystem>

#include "model/base/plane_vectors.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/layout/shelf_patterns.h"
#include "model/state/globals.h"
#include "support/plan_builders.h"

namespace fs = std::filesystem;

namespace {

constexpr int kCells = 30;
constexpr int kBaysPerWall = 60;
constexpr double kDepth = 475, kLength = 974, kHeight = 2000;

Tcell large_room() {
  const double side = kBaysPerWall * kLength;
  Tcell cell;
  cell.walls = {make_wall(0, 0, side, 0), make_wall(side, 0, side, side), make_wall(side, side, 0, side),
                make_wall(0, side, 0, 0)};
  const double normals[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
  const std::string pattern = shelf_pattern(6, kHeight);
  for (int w = 0; w < 4; ++w) {
    Tlinea& wall = cell.walls[w];
    wall.normal_x = normals[w][0];
    wall.normal_y = normals[w][1];
    wall.length = side;
    wall.show_dimensions = true;
    Tvec2 d = vec_make((wall.x2 - wall.x1) / side, (wall.y2 - wall.y1) / side);
    Tvec2 inward = vec_make(-wall.normal_x, -wall.normal_y);
    for (int b = 0; b < kBaysPerWall; ++b) {
      double along = kLength * (b + 0.5);
      Tmodulo bay = make_bay(wall.x1 + along * d.x + kDepth / 2 * inward.x,
                             wall.y1 + along * d.y + kDepth / 2 * inward.y, kDepth, kLength, wall.orientation);
      bay.height = kHeight;
      bay.shelf_pattern = pattern;
      wall.modules.push_back(bay);
      wall.end_frames.push_back(
          {bay.x + kLength / 2 * d.x, bay.y + kLength / 2 * d.y, kHeight, kDepth, wall.orientation, "TI"});
    }
  }
  for (int m = 0; m < 40; ++m) {
    Tmodulo_agg module =
        make_free(3000 + 1200 * (m % 20), 3000 + 3000 * (m / 20), kDepth, kLength, 'H', m % 4 == 0 ? "CARRELLO" : "");
    module.height = kHeight;
    module.shelf_pattern = pattern;
    module.side_flags = {0, 0, 1, 1, 0, 0};
    module.frame_height_a = module.frame_height_b = kHeight;
    cell.free_modules.push_back(module);
  }
  return cell;
}

// The staged program folder beside the benchmark, with its catalogue and code table.
void load_staged_program() {
  fs::path folder = fs::read_symlink("/proc/self/exe").parent_path();
  AppState.inches = false;
  ProgramDir = folder.string();
  load_data_file(1);
  ProgramDir = (folder / "defaults").string();
  read_codes_table();
  ProgramDir = folder.string();
  Cells.assign(kCells, large_room());
}

long peak_resident_kb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void export_benchmark(benchmark::State& state, void (*export_drawing)(const std::string&)) {
  load_staged_program();
  fs::path target = fs::temp_directory_path() / ("rackwright-bench-" + std::to_string(getpid()) + ".dxf");
  long peak_before = peak_resident_kb();
  for (auto _ : state) export_drawing(target.string());
  double size = static_cast<double>(fs::file_size(target));
  state.counters["file_MB"] = size / 1e6;
  state.counters["peak_growth_per_file"] = (peak_resident_kb() - peak_before) * 1024.0 / size;
  fs::remove(target);
}

void BM_ExportDxf2d(benchmark::State& state) { export_benchmark(state, export_dxf_2d); }
void BM_ExportDxf3d(benchmark::State& state) { export_benchmark(state, export_dxf_3d); }

// The plan drawing built in memory only: the export's own work without the file system's.
void BM_Dxf2dInMemory(benchmark::State& state) {
  load_staged_program();
  DxfTemplate drawing = read_dxf_template(program_path("data/export.dat"));
  for (auto _ : state) benchmark::DoNotOptimize(dxf_2d_drawing(Cells, drawing));
}

}  // namespace

BENCHMARK(BM_ExportDxf2d)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportDxf3d)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Dxf2dInMemory)->Unit(benchmark::kMillisecond);
