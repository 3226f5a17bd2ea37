// A cell scene built from a folder of tagged part files, read back as plain
// records: every part file here is one triangle whose first corner's x is
// the part's number, so a part form tells which file it was loaded from.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "gfx3d/persistence/streams.h"
#include "model/state/globals.h"
#include "scene3d/contours/extrusion_solid.h"
#include "scene3d/graph/batched_group.h"
#include "scene3d/graph/dummy_cube.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/graph/stage.h"
#include "scene3d/meshes/base_mesh.h"
#include "support/temp_dir.h"
#include "view3d/cell_scene.h"

struct PlacedPart {
  std::string file;  // empty for an empty form
  TVector4f pivot;   // mm, in the element group's frame
  TVector4f angles;  // pitch, turn, roll
  TVector4f offset;  // mm
  TVector4f scale;
  TVector4f diffuse;
};

struct PlacedElement {
  TVector4f position;  // scene units
  std::vector<PlacedPart> parts;
};

class SceneTreeTest : public testing::Test {
 protected:
  void SetUp() override {
    InitializeScene3D();
    HeightList = {1850, 2000};
    CrossbarLists = {{"150", "1000", "1850"}, {"150", "1100"}};
    LengthList = {800, 1062, 1200};
    Compositions = {"AAB", "AABB", "BBB"};
    StructureTypes.assign(2, Tstructure_type{});
    StructureTypes[0].shelf_suffix = "Z";
    StructureTypes[1].shelf_suffix = "P";
    StructureTypes[1].height_offset = 25;
    CodesTable.clear();
    for (const char* depth : {"400", "577"}) {
      for (const char* length : {"800", "1062", "1200", "950"}) available("R", depth, length, "-");
      for (const char* type : {"TE", "TI", "CVFISSO_1", "CVMOBIL_1"})
        for (const char* height : {"1850", "2000", "1900"}) available(type, depth, "-", height);
    }
  }
  void TearDown() override { CodesTable.clear(); }

  void available(const char* tipo, const char* lar, const char* lung, const char* alt) {
    Tcodice row;
    row.tipo = tipo, row.lar = lar, row.lung = lung, row.alt = alt, row.options = {"SI", "SI"};
    CodesTable.push_back(row);
  }

  // A folder holding the named parts, each tagged with its number.
  void make_parts(const std::vector<std::string>& names) {
    for (const std::string& name : names) {
      const float tag = static_cast<float>(tags_.size() + 1);
      tags_[tag] = name;
      TGLFreeForm form(nullptr);
      auto* mesh = new TMeshObject(&form.MeshObjects());
      for (TAffineVector corner : {TAffineVector{tag, 0, 0}, TAffineVector{tag, 1, 0}, TAffineVector{tag, 0, 1}})
        mesh->Vertices().Add(corner);
      TStringStream stream;
      form.SaveMeshToStream(name, stream);
      folder_.write(name, stream.DataString());
    }
  }

  std::vector<PlacedElement> build(const Tcell& cell) {
    builder_.build(stage_, root_, cell, {folder_.path(), 40, 2500});
    return elements();
  }

  // The element groups under the root, the walls apart.
  std::vector<PlacedElement> elements() {
    walls_ = nullptr;
    std::vector<PlacedElement> elements;
    for (int g = 0; g < root_->Count(); ++g) {
      TGLBaseStageObject& group = *root_->Children(g);
      if (auto* solid = dynamic_cast<TGLExtrusionSolid*>(group.Children(0))) {
        walls_ = solid;
        continue;
      }
      PlacedElement element{group.Position().AsVector(), {}};
      for (int p = 0; p < group.Count(); ++p) {
        TGLBaseStageObject& pivot = *group.Children(p);
        auto& form = *static_cast<TGLFreeForm*>(pivot.Children(0));
        element.parts.push_back({file_of(form), mm(pivot.Position().AsVector()), pivot.Rotation().AsVector(),
                                 mm(form.Position().AsVector()), form.Scale().AsVector(),
                                 form.Material().FrontProperties().Diffuse().Color()});
      }
      elements.push_back(element);
    }
    return elements;
  }

  // The message of the build's failure; empty when it ran to the end.
  std::string build_error(const Tcell& cell) {
    try {
      build(cell);
    } catch (const std::exception& error) {
      return error.what();
    }
    return "";
  }

  std::string file_of(const TGLFreeForm& form) const {
    if (form.MeshObjects().Count() == 0) return "";
    return tags_.at(form.MeshObjects().Item(0).Vertices().GetItem(0).x);
  }

  static TVector4f mm(TVector4f units) {
    for (int i = 0; i < 3; ++i) units[i] = std::round(units[i] * 100 * 1000) / 1000;
    return units;
  }

  TempDir folder_;
  std::map<float, std::string> tags_;
  TGLStage stage_{nullptr};
  TGLDummyCube* root_ = nullptr;
  TGLExtrusionSolid* walls_ = nullptr;  // the last build's, when it has walls
  CellSceneBuilder builder_;
};
