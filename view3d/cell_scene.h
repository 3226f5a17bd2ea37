// Builds the 3-D scene of one cell: the shelving of its wall runs, its free
// modules, trolleys and compact groups from the part meshes, and its walls
// with their openings, under a new root that replaces the previous one and
// draws the parts as a few large batches (the tree of element groups, pivots
// and part forms stays as it is). The root is centred on the box of the wall
// start points, its floor 10 units below the scene origin. One scene unit is
// 100 mm; a plan point (x, y) at height h is the scene point
// (x / 100, h / 100, -y / 100).
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "gfx3d/materials/materials.h"
#include "model/base/records.h"
#include "view3d/part_library.h"

class TGLStage;
class TGLDummyCube;

struct CellSceneSettings {
  std::filesystem::path part_folder;
  int wall_transparency = 0;  // percent
  int wall_height = 0;        // mm
};

// The settings the program's preferences give: obj_L/ at resolution 0, obj_H/ otherwise.
CellSceneSettings current_scene_settings();

class CellSceneBuilder {
 public:
  CellSceneBuilder();
  ~CellSceneBuilder();
  CellSceneBuilder(const CellSceneBuilder&) = delete;
  CellSceneBuilder& operator=(const CellSceneBuilder&) = delete;

  // Frees root (may be null) with its subtree and puts the new root, the last
  // child of the stage's objects, in its place. The stage hears of it as one
  // change. A missing part file stops the build with the library's "File not
  // found" error; root then holds what was placed before it.
  void build(TGLStage& stage, TGLDummyCube*& root, const Tcell& cell, const CellSceneSettings& settings);

  const TGLMaterial& wall_material() const { return wall_material_; }

 private:
  void set_up_materials(const CellSceneSettings& settings);
  void place_scene(TGLStage& stage, TGLDummyCube*& root, const Tcell& cell, PartLibrary& parts, int wall_height);
  void place_shelving(TGLDummyCube& root, const Tcell& cell, PartLibrary& parts);
  PartLibrary& library(const std::filesystem::path& folder);

  TGLMaterial wall_material_{nullptr};
  TGLMaterial corner_material_{nullptr};
  std::map<std::filesystem::path, std::unique_ptr<PartLibrary>> libraries_;
};
