// The shelving 3-D view at the size of a large cell: 300 bays of five levels
// with their end frames along four walls, built from the staged part meshes
// (parsed once, then copied from the cache) and rendered at the view's
// 712 x 480 off screen (llvmpipe under Xvfb).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "offscreen_frames.h"
#include "scene3d/light_source.h"
#include "scene3d/scene_initialization.h"
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

// The large cell through the view's camera. With 0 the camera stays where the
// view opens, on the middle of the room, where this cell has no shelving;
// 4000 pulls it back along the same line until every part is in view.
void BM_RenderLargeCell(benchmark::State& state) {
  InitializeScene3D();
  load_shipped_data();
  TGLStage stage(nullptr);
  stage.Objects().NewChildOfClass<TGLLightSource>()->Position().SetPoint(10, 10, 10);
  TGLCamera* camera = add_view_camera(stage);
  if (state.range(0) > 0)
    camera->Position().SetPoint(0, static_cast<float>(state.range(0)), static_cast<float>(state.range(0)));
  CellSceneBuilder builder;
  builder.build(stage, nullptr, large_cell(), {stage_dir() + "/obj_L", 0, 2500});
  ViewFrames(*camera).run(state);
}
BENCHMARK(BM_RenderLargeCell)->Arg(0)->Arg(4000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
