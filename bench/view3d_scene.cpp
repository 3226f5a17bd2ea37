// The shelving 3-D view on a large cell laid out by the model: the cell of the
// large generated project the edit benchmarks use (24 walls of about ten bays,
// 40 free modules), in the shipped sizes, built from the staged part meshes
// (parsed once, then copied from the cache while each file is unchanged on
// disk) and rendered at the view's
// 712 x 480 off screen (llvmpipe under Xvfb). Frames are drawn part by part
// and from the batches side by side, with the whole cell in view and close up
// on one wall, from the low- and the high-detail part set.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "measuring_time.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "offscreen_frames.h"
#include "scene3d/graph/batched_group.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/render/light_source.h"
#include "support/large_project.h"
#include "view3d/cell_scene.h"

namespace {

constexpr double kDepth = 400, kLength = 1062;  // shipped sizes, so the code table passes every element

std::string stage_dir() {
  const char* dir = std::getenv("RACKWRIGHT_STAGE_DIR");
  return dir ? dir : RACKWRIGHT_STAGE_DIR_DEFAULT;
}

// The catalogue first: its structure types are the code table's option columns.
void load_shipped_data() {
  ProgramDir = stage_dir();
  load_data_file(0);
  ProgramDir = stage_dir() + "/defaults";
  read_codes_table();
  ProgramDir = stage_dir();
}

// The large project's cell in shipped depths, laid out with the shipped
// lengths up to the preferences' default choice.
Tcell laid_out_cell() {
  Tcell cell = large_project_cell(3, 40);
  for (Tlinea& wall : cell.walls) wall.module_depth = kDepth;
  for (Tmodulo_agg& module : cell.free_modules) {
    module.width = kDepth, module.length = kLength, module.shelf_pattern = "1000100100101";
    module.side_flags = {0, 0, 1, 1, 0, 0};
    module.frame_height_a = module.frame_height_b = module.height;
  }
  AppState.max_length_index = 10;
  Cells = {cell};
  AppState.current_cell = 0;
  compute_wall_normals();
  recompute_layout();
  return Cells[0];
}

CellSceneSettings settings(bool high_detail) { return {stage_dir() + (high_detail ? "/obj_H" : "/obj_L"), 50, 2700}; }

void count_cell(benchmark::State& state, const Tcell& cell, TGLDummyCube& root) {
  std::size_t bays = 0;
  for (const Tlinea& wall : cell.walls) bays += wall.modules.size();
  int parts = 0;
  for (int g = 0; g < root.Count(); ++g) parts += root.Children(g)->Count();
  state.counters["bays"] = static_cast<double>(bays);
  state.counters["free"] = static_cast<double>(cell.free_modules.size());
  state.counters["parts"] = parts;
  state.counters["triangles"] = static_cast<TGLBatchedGroup&>(root).Batches().TriangleCount();
}

// The library and the shipped data ready, and the folder of the part set.
CellSceneSettings prepared(bool high_detail) {
  InitializeScene3D();
  load_shipped_data();
  return settings(high_detail);
}

// The large cell built into a scene lit as the view lights it, with the view's camera.
struct LargeCellScene {
  explicit LargeCellScene(bool high_detail) : from(prepared(high_detail)), cell(laid_out_cell()) {
    stage.Objects().NewChildOfClass<TGLLightSource>()->Position().SetPoint(10, 10, 10);
    camera = add_view_camera(stage);
    rebuild();
  }
  void rebuild() { builder.build(stage, root, cell, from); }
  TGLBatchedGroup& batched() { return static_cast<TGLBatchedGroup&>(*root); }

  CellSceneSettings from;
  Tcell cell;
  TGLStage stage{nullptr};
  TGLCamera* camera = nullptr;
  CellSceneBuilder builder;
  TGLDummyCube* root = nullptr;
};

// Arg: 1 for the high-detail set.
void BM_RebuildLargeCell(benchmark::State& state) {
  LargeCellScene scene(state.range(0) == 1);  // the mesh cache filled
  for (auto _ : state) scene.rebuild();
  count_cell(state, scene.cell, *scene.root);
}
BENCHMARK(BM_RebuildLargeCell)->ArgName("high")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The part of the rebuild that gathers the batches.
void BM_BakeLargeCell(benchmark::State& state) {
  LargeCellScene scene(state.range(0) == 1);
  for (auto _ : state) scene.batched().Bake(40);
  count_cell(state, scene.cell, *scene.root);
}
BENCHMARK(BM_BakeLargeCell)->ArgName("high")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The whole 69 m diamond in the frame, pulled back along the view's line; or
// close up: the middle of the bottom wall's run seen from inside the room,
// about 6 m of it across the frame.
void place_camera(TGLCamera& camera, bool close) {
  if (!close) {
    camera.Position().SetPoint(0, 3000, 3000);
    return;
  }
  camera.TargetObject()->Position().SetPoint(57, 0, 330);
  camera.Position().SetPoint(0, 150, -200);
}

// Args: close (0 the whole cell in view, 1 close up on a wall), batched (0
// part by part, 1 from the batches), high (0 obj_L, 1 obj_H).
void BM_RenderLargeCell(benchmark::State& state) {
  LargeCellScene scene(state.range(2) == 1);
  scene.batched().SetBatching(state.range(1) == 1);
  place_camera(*scene.camera, state.range(0) == 1);
  ViewFrames frames(*scene.camera);
  if (frames.run(state)) state.counters["drawn batches"] = scene.batched().DrawnBatches();
  count_cell(state, scene.cell, *scene.root);
}
BENCHMARK(BM_RenderLargeCell)
    ->ArgNames({"close", "batched", "high"})
    ->ArgsProduct({{0, 1}, {0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(measuring_time(2.0));

// An edit while the view is open on the whole cell: the rebuild and the first
// frame after it. Args: batched, high.
void BM_RebuildAndFirstFrame(benchmark::State& state) {
  LargeCellScene scene(state.range(1) == 1);
  place_camera(*scene.camera, false);
  ViewFrames frames(*scene.camera);
  try {
    frames.finished_frame();  // the context, and the mesh cache filled
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return;
  }
  for (auto _ : state) {
    scene.rebuild();
    scene.batched().SetBatching(state.range(0) == 1);
    frames.finished_frame();
  }
  count_cell(state, scene.cell, *scene.root);
}
BENCHMARK(BM_RebuildAndFirstFrame)
    ->ArgNames({"batched", "high"})
    ->ArgsProduct({{0, 1}, {0, 1}})
    ->Unit(benchmark::kMillisecond);

}  // namespace
