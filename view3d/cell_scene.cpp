#include "view3d/cell_scene.h"

#include <algorithm>

#include "model/state/globals.h"
#include "scene3d/graph/batched_group.h"
#include "scene3d/graph/stage.h"
#include "view3d/free_module_parts.h"
#include "view3d/wall_outline.h"
#include "view3d/wall_run_parts.h"
#include "view3d/wall_solid.h"

namespace {

// Squares of 4 m: a view close up on a wall leaves most of a large cell's chunks out.
constexpr float kChunkSize = 40;

// The centre of the box of the wall start points comes to the vertical axis;
// the floor lies 1 m below the camera's target.
void centre_on_walls(TGLDummyCube& root, const Tcell& cell) {
  double max_x = 0, min_x = 0, max_y = 0, min_y = 0;
  for (std::size_t i = 0; i < cell.walls.size(); ++i) {
    const Tlinea& wall = cell.walls[i];
    max_x = i == 0 ? wall.x1 : std::max(max_x, wall.x1);
    min_x = i == 0 ? wall.x1 : std::min(min_x, wall.x1);
    max_y = i == 0 ? wall.y1 : std::max(max_y, wall.y1);
    min_y = i == 0 ? wall.y1 : std::min(min_y, wall.y1);
  }
  root.Position().SetPoint(static_cast<float>(-(max_x + min_x) / 200), -10, static_cast<float>((max_y + min_y) / 200));
}

// The parts never move once placed: they are drawn as a few batches, the walls as they are.
void finish_root(TGLBatchedGroup& root, const Tcell& cell) {
  root.Bake(kChunkSize);
  centre_on_walls(root, cell);
}

// Runs work, then done, whether work ends or throws.
template <class Work, class Done>
void run_then(Work work, Done done) {
  try {
    work();
  } catch (...) {
    done();
    throw;
  }
  done();
}

}  // namespace

CellSceneSettings current_scene_settings() {
  return {program_path(AppState.resolution_3d == 0 ? "obj_L" : "obj_H"), AppState.wall_transparency,
          AppState.wall_height};
}

CellSceneBuilder::CellSceneBuilder() = default;
CellSceneBuilder::~CellSceneBuilder() = default;

PartLibrary& CellSceneBuilder::library(const std::filesystem::path& folder) {
  std::unique_ptr<PartLibrary>& library = libraries_[folder];
  if (!library) library = std::make_unique<PartLibrary>(folder);
  return *library;
}

void CellSceneBuilder::set_up_materials(const CellSceneSettings& settings) {
  wall_material_.SetBlendingMode(bmTransparency);
  const float alpha = 1.0f - static_cast<float>(settings.wall_transparency) / 100.0f;
  wall_material_.FrontProperties().Diffuse().SetColor({0.5f, 0.5f, 0.8f, alpha});
  wall_material_.SetBackProperties(wall_material_.FrontProperties());
  wall_material_.SetFaceCulling(fcCull);
  // Brighter than white: colours are not clamped, so the corner pieces stand out.
  corner_material_.FrontProperties().Diffuse().SetColor({1.25f, 1.25f, 1.25f, 1.0f});
}

void CellSceneBuilder::place_shelving(TGLDummyCube& root, const Tcell& cell, PartLibrary& parts) {
  PartSupply supply{parts, corner_material_};
  for (const Tlinea& wall : cell.walls) place_wall_frames(root, wall, cell, supply);
  for (const Tlinea& wall : cell.walls) place_wall_bays(root, wall, cell, supply);
  for (const Tmodulo_agg& module : cell.free_modules)
    if (free_module_available(module, cell)) place_free_module(root, module, cell, supply);
  for (const Tmodulo_agg& module : cell.free_modules) place_free_module_sides(root, module, cell, supply);
  for (const Tcorvane& group : cell.compact_groups) place_compact_rails(root, group, supply);
}

void CellSceneBuilder::build(TGLStage& stage, TGLDummyCube*& root, const Tcell& cell,
                             const CellSceneSettings& settings) {
  PartLibrary& parts = library(settings.part_folder);
  parts.begin_build();
  set_up_materials(settings);
  stage.BeginUpdate();
  run_then([&] { place_scene(stage, root, cell, parts, settings.wall_height); }, [&] { stage.EndUpdate(); });
}

void CellSceneBuilder::place_scene(TGLStage& stage, TGLDummyCube*& root, const Tcell& cell, PartLibrary& parts,
                                   int wall_height) {
  delete root;
  root = nullptr;
  auto* batched = stage.Objects().NewChildOfClass<TGLBatchedGroup>();
  root = batched;
  // On a software renderer every draw costs even out of sight, and a large
  // cell seen close up leaves most of it out: each chunk of the batches is
  // tested against the view by its bounding sphere first.
  batched->SetVisibilityCulling(vcObjectBased);
  // What a missing part leaves placed is drawn and centred as a whole scene is.
  run_then(
      [&] {
        if (!outline_closes(cell)) return;
        place_shelving(*batched, cell, parts);
        place_walls(*batched, cell, wall_material_, wall_height);
      },
      [&] { finish_root(*batched, cell); });
}
