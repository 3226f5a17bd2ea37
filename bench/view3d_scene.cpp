// The shelving 3-D view at the size of a large cell: 300 bays of five levels
// with their end frames along four walls, built from the staged part meshes
// (parsed once, then copied from the cache) and rendered at the view's
// 712 x 480 off screen (llvmpipe under Xvfb).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "gfx3d/gl_binding.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "scene3d/camera.h"
#include "scene3d/dummy_cube.h"
#include "scene3d/light_source.h"
#include "scene3d/offscreen_viewers.h"
#include "scene3d/scene_initialization.h"
#include "scene3d/stage.h"
#include "view3d/cell_scene.h"

namespace {

constexpr int kBaysPerWall = 75;
constexpr double kBay = 1062, kFrame = 28, kDepth = 400, kHeight = 2000;

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

// A square room whose four walls each carry a full run of bays and frames.
Tcell large_cell() {
  const double side = kBaysPerWall * (kBay + kFrame) + kFrame;
  const double corners[5][2] = {{0, 0}, {side, 0}, {side, side}, {0, side}, {0, 0}};
  const double normals[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
  Tcell cell;
  cell.wall_thickness = 60;
  for (int w = 0; w < 4; ++w) {
    Tlinea wall;
    wall.x1 = corners[w][0], wall.y1 = corners[w][1], wall.x2 = corners[w + 1][0], wall.y2 = corners[w + 1][1];
    wall.normal_x = normals[w][0], wall.normal_y = normals[w][1];
    wall.orientation = w % 2 == 0 ? 'H' : 'V';
    const double dx = (wall.x2 - wall.x1) / side, dy = (wall.y2 - wall.y1) / side;
    // Along the wall, a depth's half inside the room.
    auto at = [&](double along, double& x, double& y) {
      x = wall.x1 + dx * along - wall.normal_x * kDepth / 2;
      y = wall.y1 + dy * along - wall.normal_y * kDepth / 2;
    };
    for (int b = 0; b <= kBaysPerWall; ++b) {
      Ttestata frame;
      at(b * (kBay + kFrame) + kFrame / 2, frame.x, frame.y);
      frame.height = kHeight, frame.depth = kDepth, frame.orientation = wall.orientation == 'H' ? 'V' : 'H';
      frame.frame_type = b == 0 || b == kBaysPerWall ? "TE" : "TI";
      wall.end_frames.push_back(frame);
      if (b == kBaysPerWall) break;
      Tmodulo bay;
      at(b * (kBay + kFrame) + kFrame + kBay / 2, bay.x, bay.y);
      bay.length = kBay, bay.width = kDepth, bay.height = kHeight, bay.orientation = wall.orientation;
      bay.shelf_pattern = "1000100100101";
      wall.modules.push_back(bay);
    }
    cell.walls.push_back(wall);
  }
  return cell;
}

void BM_RebuildLargeCell(benchmark::State& state) {
  InitializeScene3D();
  load_shipped_data();
  const Tcell cell = large_cell();
  TGLStage stage(nullptr);
  CellSceneBuilder builder;
  const CellSceneSettings settings{stage_dir() + "/obj_L", 0, 2500};
  TGLDummyCube* root = builder.build(stage, nullptr, cell, settings);  // fills the mesh cache
  if (!builder.failures().empty()) state.SkipWithError(("missing part " + builder.failures().front()).c_str());
  int parts = 0;
  for (auto _ : state) {
    root = builder.build(stage, root, cell, settings);
    parts = 0;
    for (int g = 0; g < root->Count(); ++g) parts += root->Children(g)->Count();
  }
  state.counters["parts"] = parts;
}
BENCHMARK(BM_RebuildLargeCell)->Unit(benchmark::kMillisecond);

void BM_RenderLargeCell(benchmark::State& state) {
  InitializeScene3D();
  load_shipped_data();
  TGLStage stage(nullptr);
  stage.Objects().NewChildOfClass<TGLLightSource>()->Position().SetPoint(10, 10, 10);
  auto* target = stage.Objects().NewChildOfClass<TGLDummyCube>();
  auto* camera = target->NewChildOfClass<TGLCamera>();
  camera->SetDepthOfView(100000);
  camera->SetFocalLength(400);
  camera->SetTargetObject(target);
  camera->Position().SetPoint(0, 200, 200);
  CellSceneBuilder builder;
  builder.build(stage, nullptr, large_cell(), {stage_dir() + "/obj_L", 0, 2500});

  TGLMemoryViewer viewer(nullptr);
  viewer.SetWidth(712);
  viewer.SetHeight(480);
  viewer.SetCamera(camera);
  try {
    viewer.Render();
  } catch (const std::exception& error) {
    state.SkipWithError(error.what());
    return;
  }
  for (auto _ : state) {
    viewer.Render();
    viewer.Buffer().RenderingContext()->Activate();
    GL().glFinish();
    viewer.Buffer().RenderingContext()->Deactivate();
  }
  state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderLargeCell)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
