// The staged part meshes: every part the scene builder can ask for with the
// shipped catalogues and kits is there in both folders, and admesh finds each
// file sound, facing outwards and of the size its placement expects.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <set>

#include "model/catalogue/catalogue.h"
#include "model/state/globals.h"
#include "output/external_tool.h"
#include "view3d/part_library.h"
#include "view3d/part_names.h"

namespace fs = std::filesystem;

namespace {

fs::path stage_dir() {
  const char* dir = std::getenv("RACKWRIGHT_STAGE_DIR");
  return dir ? fs::path(dir) : fs::path("bin");
}

// The names a build can ask for: sizes of both catalogues with their optional
// sizes, every structure type's panels, the kit classes and the fixed parts.
std::set<std::string> requested_names() {
  namespace names = part_names;
  std::set<std::string> wanted{names::side_rail,
                               names::joint,
                               names::arch,
                               names::fixed_compact_upright,
                               names::mobile_compact_upright,
                               names::wheel,
                               names::brake,
                               names::trolley_crossbar,
                               names::sliding_bracket};
  const std::string saved = ProgramDir;
  ProgramDir = stage_dir().string();
  for (bool inches : {false, true}) {
    AppState.inches = inches;
    load_data_file(1);
    for (double height : HeightList) wanted.insert(names::upright(height));
    for (double depth : WidthList) {
      wanted.insert(names::crossbar(depth));
      wanted.insert(names::corner_piece(depth));
      for (const Tstructure_type& type : StructureTypes)
        for (char letter : {'A', 'B'}) wanted.insert(names::panel(letter, type.shelf_suffix, depth));
    }
  }
  AppState.inches = false;
  ProgramDir = saved;
  for (double kit : {2245.0, 2645.0, 3045.0}) wanted.insert(names::compact_rail(kit));
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
    if (std::regex_search(out, m, size)) report.min[axis] = std::stod(m[1]), report.max[axis] = std::stod(m[2]);
  }
  if (std::regex_search(out, m, std::regex("Number of facets +: +([0-9]+)"))) report.facets = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex("Backwards edges +: +([0-9]+)"))) report.backwards = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex("Normals fixed +: +([0-9]+)"))) report.normals_fixed = std::stoi(m[1]);
  if (std::regex_search(out, m, std::regex("Volume +: +(-?[0-9.]+)"))) report.volume = std::stod(m[1]);
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

TEST(PartMeshes, AdmeshFindsEveryFileSoundAndFacingOutwards) {
  SKIP_OR_FAIL_WITHOUT_TOOL("/usr/bin/admesh");
  for (const char* folder : {"obj_L", "obj_H"})
    for (const fs::directory_entry& file : fs::directory_iterator(stage_dir() / folder)) {
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
      MeshReport report = admesh(stage_dir() / folder / e.name);
      EXPECT_NEAR(report.min[e.axis], e.min, 1e-3) << folder << "/" << e.name;
      EXPECT_NEAR(report.max[e.axis], e.max, 1e-3) << folder << "/" << e.name;
    }
}

}  // namespace
