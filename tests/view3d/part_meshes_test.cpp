// The staged part meshes: every part the scene builder can ask for with the
// shipped catalogues and kits is there in both folders, and admesh finds each
// file sound, facing outwards and of the size its placement expects. The
// low-detail set has no joints and single-face panels, and draws a cell with
// several times fewer triangles.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include "model/catalogue/catalogue.h"
#include "model/catalogue/part_names.h"
#include "model/state/globals.h"
#include "output/external_tool.h"
#include "scene3d/graph/batched_group.h"
#include "scene3d/graph/scene_initialization.h"
#include "scene3d/graph/stage.h"
#include "scene3d/meshes/base_mesh.h"
#include "support/plain_number.h"
#include "support/print_sample.h"
#include "view3d/cell_scene.h"
#include "view3d/part_library.h"

namespace fs = std::filesystem;

namespace {

fs::path stage_dir() {
  const char* dir = std::getenv("RACKWRIGHT_STAGE_DIR");
  return dir ? fs::path(dir) : fs::path("bin");
}

// Runs f with the catalogue of each unit system loaded, optional sizes included.
template <typename F>
void for_both_catalogues(F f) {
  const std::string saved = ProgramDir;
  ProgramDir = stage_dir().string();
  for (bool inches : {false, true}) {
    AppState.inches = inches;
    load_data_file(1);
    f();
  }
  AppState.inches = false;
  ProgramDir = saved;
}

// Every structure type's panels in every depth.
std::set<std::string> panel_names() {
  std::set<std::string> panels;
  for_both_catalogues([&] {
    for (double depth : WidthList)
      for (const Tstructure_type& type : StructureTypes)
        for (char letter : {'A', 'B'})
          panels.insert(mesh_file(Part::GridPanel, depth, grid_panel_variant(letter, type.shelf_suffix)));
  });
  return panels;
}

// The names a build can ask for: sizes of both catalogues with their optional
// sizes, every structure type's panels, the kit classes and the fixed parts.
std::set<std::string> requested_names() {
  std::set<std::string> wanted{mesh_file(Part::SideRail),
                               mesh_file(Part::Joint),
                               mesh_file(Part::Arch),
                               mesh_file(Part::FixedCompactUpright),
                               mesh_file(Part::MobileCompactUpright),
                               mesh_file(Part::Wheel),
                               mesh_file(Part::BrakedWheel),
                               mesh_file(Part::TrolleyBar),
                               mesh_file(Part::SlidingBracket)};
  for_both_catalogues([&] {
    for (double height : HeightList) wanted.insert(mesh_file(Part::Upright, height));
    for (double depth : WidthList) {
      wanted.insert(mesh_file(Part::Crossbar, depth));
      wanted.insert(mesh_file(Part::CornerJoint, depth));
    }
  });
  const std::set<std::string> panels = panel_names();
  wanted.insert(panels.begin(), panels.end());
  for (double kit : {2245.0, 2645.0, 3045.0}) wanted.insert(mesh_file(Part::CompactRail, kit));
  return wanted;
}

struct MeshReport {
  int facets = 0;
  double min[3] = {}, max[3] = {};
  int backwards = -1, normals_fixed = -1;
  double volume = 0;
};

MeshReport admesh(const fs::path& file) {
  ToolResult result = run_tool("/usr/bin/admesh", {file.string()});
  MeshReport report;
  std::smatch m;
  const std::string& out = result.output;
  for (int axis = 0; axis < 3; ++axis) {
    const std::string letter(1, static_cast<char>('X' + axis));
    std::regex size("Min " + letter + " = +(-?[0-9.]+), Max " + letter + " = +(-?[0-9.]+)");
    if (std::regex_search(out, m, size))
      report.min[axis] = plain_number(m[1].str()), report.max[axis] = plain_number(m[2].str());
  }
  if (std::regex_search(out, m, std::regex("Number of facets +: +([0-9]+)"))) report.facets = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex("Backwards edges +: +([0-9]+)"))) report.backwards = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex("Normals fixed +: +([0-9]+)"))) report.normals_fixed = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex("Volume +: +(-?[0-9.]+)"))) report.volume = plain_number(m[1].str());
  return report;
}

TEST(PartMeshes, EveryRequestedPartIsStagedInBothFolders) {
  for (const char* folder : {"obj_L", "obj_H"}) {
    PartLibrary library(stage_dir() / folder);
    const std::set<std::string> names = requested_names();
    EXPECT_GT(names.size(), 100u);
    for (const std::string& name : names) EXPECT_TRUE(library.exists(name)) << folder << "/" << name;
  }
}

// The low-detail set's joints (none) and panels (their top faces) are no
// solids, and admesh reads no file of fewer than four facets; see below.
bool low_detail_surface(const std::string& folder, const std::string& name) {
  static const std::set<std::string> panels = panel_names();
  return folder == "obj_L" && (name == mesh_file(Part::Joint) || panels.count(name) > 0);
}

TEST(PartMeshes, AdmeshFindsEveryFileSoundAndFacingOutwards) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/admesh");
  for (const char* folder : {"obj_L", "obj_H"})
    for (const fs::directory_entry& file : fs::directory_iterator(stage_dir() / folder)) {
      if (low_detail_surface(folder, file.path().filename().string())) continue;
      MeshReport report = admesh(file.path());
      EXPECT_GT(report.facets, 0) << file.path();
      EXPECT_EQ(report.backwards, 0) << file.path();
      EXPECT_EQ(report.normals_fixed, 0) << file.path();
      EXPECT_GT(report.volume, 0) << file.path();
    }
}

// The extents the placements rely on (millimetres, from the mesh origin).
TEST(PartMeshes, ShapesHaveTheSizesTheirPlacementsExpect) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/admesh");
  struct Expected {
    const char* name;
    int axis;
    double min, max;
  };
  const Expected expected[] = {
      {"fiancata.stl", 0, 0, 1}, {"T373.stl", 0, 0, 310},         {"T400.stl", 0, 0, 337},
      {"P1850.stl", 2, 0, 1850}, {"P1850.stl", 0, 0, 28},         {"p1850sc.stl", 2, 0, 1850},
      {"ga400.stl", 1, 0, 401},  {"AZ400.stl", 0, 0, 264},        {"BZ400.stl", 0, 0, 352},
      {"BZ400.stl", 1, 0, 356},  {"binario2645.stl", 0, 0, 2645}, {"archetto.stl", 0, 0, 514},
      {"ruota.stl", 0, 0, 95},   {"ruota.stl", 1, 0, 111.6},      {"ruota.stl", 2, 0, 95},
  };
  for (const char* folder : {"obj_L", "obj_H"})
    for (const Expected& e : expected) {
      if (low_detail_surface(folder, e.name)) continue;  // too few facets for admesh; compared below
      MeshReport report = admesh(stage_dir() / folder / e.name);
      EXPECT_NEAR(report.min[e.axis], e.min, 1e-3) << folder << "/" << e.name;
      EXPECT_NEAR(report.max[e.axis], e.max, 1e-3) << folder << "/" << e.name;
    }
}

TEST(PartMeshes, TheLowDetailSetHasNoJointsAndItsPanelsAreTheirTopFaces) {
  InitializeScene3D();
  auto corners = [](const char* folder, const std::string& name) {
    TGLFreeForm form(nullptr);
    form.LoadMeshFromFile((stage_dir() / folder / name).string());
    return form.MeshObjects().Count() == 0 ? 0 : form.MeshObjects().Item(0).Vertices().Count();
  };
  EXPECT_EQ(corners("obj_L", mesh_file(Part::Joint)), 0);
  EXPECT_EQ(corners("obj_H", mesh_file(Part::Joint)), 36);
  for (const std::string& name : panel_names()) {
    TGLFreeForm low(nullptr), high(nullptr);
    low.LoadMeshFromFile((stage_dir() / "obj_L" / name).string());
    high.LoadMeshFromFile((stage_dir() / "obj_H" / name).string());
    ASSERT_EQ(low.MeshObjects().Count(), 1) << name;
    const TMeshObject& face = low.MeshObjects().Item(0);
    ASSERT_EQ(face.Vertices().Count(), 6) << name;
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(face.Vertices().GetItem(i).z, 0) << name;
      EXPECT_NEAR(face.Normals().GetItem(i).z, 1, 1e-6) << name;  // up, as the panel is placed
    }
    TAffineVector low_min, low_max, high_min, high_max;
    low.GetExtents(low_min, low_max);
    high.GetExtents(high_min, high_max);
    EXPECT_EQ(low_max.x, high_max.x) << name;
    EXPECT_EQ(low_max.y, high_max.y) << name;
    EXPECT_EQ(low_max.z, high_max.z) << name;  // the top face of the full panel
  }
}

// A room with a run of twenty shipped bays of five levels and their end frames.
Tcell shipped_run() {
  Tcell cell;
  const double corners[5][2] = {{0, 0}, {30000, 0}, {30000, 3000}, {0, 3000}, {0, 0}};
  const double normals[4][2] = {{0, -1}, {1, 0}, {0, 1}, {-1, 0}};
  for (int w = 0; w < 4; ++w) {
    Tlinea wall;
    wall.x1 = corners[w][0], wall.y1 = corners[w][1], wall.x2 = corners[w + 1][0], wall.y2 = corners[w + 1][1];
    wall.normal_x = normals[w][0], wall.normal_y = normals[w][1];
    wall.orientation = w % 2 == 0 ? 'H' : 'V';
    cell.walls.push_back(wall);
  }
  cell.wall_thickness = 60;
  for (int b = 0; b <= 20; ++b) {
    Ttestata frame;
    frame.x = 14 + 1090.0 * b, frame.y = 200, frame.height = 2000, frame.depth = 400, frame.orientation = 'V';
    frame.frame_type = "TI";
    cell.walls[0].end_frames.push_back(frame);
    if (b == 20) break;
    Tmodulo bay;
    bay.x = 28 + 531 + 1090.0 * b, bay.y = 200, bay.length = 1062, bay.width = 400, bay.height = 2000;
    bay.orientation = 'H', bay.shelf_pattern = "1000100100101";
    cell.walls[0].modules.push_back(bay);
  }
  return cell;
}

TEST(PartMeshes, TheLowDetailSetDrawsAShelvingRunWithSeveralTimesFewerTriangles) {
  InitializeScene3D();
  load_print_data();
  auto triangles = [](const char* folder) {
    TGLStage stage(nullptr);
    CellSceneBuilder builder;
    TGLDummyCube* root = nullptr;
    builder.build(stage, root, shipped_run(), {stage_dir() / folder, 0, 2500});
    return dynamic_cast<TGLBatchedGroup&>(*root).Batches().TriangleCount();
  };
  const int low = triangles("obj_L"), high = triangles("obj_H");
  EXPECT_GT(low, 20 * 5 * 2 * 12);  // at least the rails
  EXPECT_GT(high, 5 * low / 2) << low << " against " << high;
}

}  // namespace
