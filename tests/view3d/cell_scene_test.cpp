// The scene tree of a cell: where each part of a bay, an end frame, a free
// module, a trolley and a compact group lands, which parts the code table
// leaves out, and what missing parts and unclosed outlines do.
#include <algorithm>
#include <chrono>

#include "gfx3d/core/library_errors.h"
#include "model/layout/shelf_patterns.h"
#include "scene_tree.h"
#include "support/room_outline.h"

namespace {

namespace fs = std::filesystem;

const std::vector<std::string> kShelfParts = {"fiancata.stl", "giunzione.stl", "ga400.stl", "AZ400.stl",   "BZ400.stl",
                                              "P1850.stl",    "P2000.stl",     "T400.stl",  "archetto.stl"};

Tmodulo bay(double x, double y, double length, const std::string& pattern, char orientation = 'H') {
  Tmodulo m;
  m.x = x, m.y = y, m.length = length, m.width = 400, m.height = 1850, m.orientation = orientation;
  m.shelf_pattern = pattern;
  return m;
}

std::vector<PlacedPart> named(const PlacedElement& element, const std::string& file) {
  std::vector<PlacedPart> found;
  std::copy_if(element.parts.begin(), element.parts.end(), std::back_inserter(found),
               [&](const PlacedPart& part) { return part.file == file; });
  return found;
}

std::vector<float> heights_of(const std::vector<PlacedPart>& parts) {
  std::vector<float> heights;
  for (const PlacedPart& part : parts) heights.push_back(part.pivot.y);
  return heights;
}

class CellScene : public SceneTreeTest {
 protected:
  void SetUp() override {
    SceneTreeTest::SetUp();
    make_parts(kShelfParts);
  }
  Tcell room_ = four_by_three_room();
};

TEST_F(CellScene, BayLevelsRailsJointsAndPanels) {
  room_.walls[0].modules = {bay(600, 200, 1200, "100100100100")};
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 1u);
  const PlacedElement& element = scene[0];
  EXPECT_FLOAT_EQ(element.position.x, 6);
  EXPECT_FLOAT_EQ(element.position.z, -2);
  std::vector<PlacedPart> rails = named(element, "fiancata.stl");
  ASSERT_EQ(rails.size(), 8u);
  EXPECT_EQ(heights_of(rails), (std::vector<float>{1780, 1780, 1330, 1330, 880, 880, 430, 430}));
  EXPECT_EQ(rails[0].pivot.z, 167);
  EXPECT_EQ(rails[0].pivot.x, -600);
  EXPECT_EQ(rails[1].pivot.z, -167);
  EXPECT_EQ(rails[1].angles[1], 180);
  EXPECT_FLOAT_EQ(rails[0].scale.x, 12);  // 0.01 × L
  EXPECT_FLOAT_EQ(rails[0].scale.y, 0.01f);
  std::vector<PlacedPart> joints = named(element, "giunzione.stl");
  ASSERT_EQ(joints.size(), 16u);
  EXPECT_EQ(joints[0].pivot.z, 199);
  EXPECT_EQ(joints[1].pivot.z, -166);
  EXPECT_EQ(joints[2].pivot.z, 166);
  EXPECT_EQ(joints[3].pivot.z, -199);
  // "BBB" for 1200: panels at 0, 356 and 712 from the bay's left end, 22 in from the front.
  std::vector<PlacedPart> panels = named(element, "BZ400.stl");
  ASSERT_EQ(panels.size(), 12u);
  EXPECT_EQ(panels[1].pivot.x, -600 + 356);
  EXPECT_EQ(panels[0].pivot.z, 178);
  EXPECT_EQ(panels[0].angles[0], 90);
}

TEST_F(CellScene, CompositionsOffsetsAndCornerPieces) {
  Tmodulo one = bay(400, 200, 800, "1");
  room_.walls[0].modules = {one};
  room_.walls[0].start_join_high = room_.walls[0].end_join_high = true;
  room_.structure_type = 1;  // suffix "P", panels 25 mm up
  make_parts({"AP400.stl", "BP400.stl"});
  const PlacedElement element = build(room_)[0];
  EXPECT_TRUE(named(element, "giunzione.stl").empty());
  std::vector<PlacedPart> corners = named(element, "ga400.stl");
  ASSERT_EQ(corners.size(), 2u);
  EXPECT_EQ(corners[0].pivot.z, -200.5f);
  EXPECT_EQ(corners[1].pivot.z, 200.5f);
  EXPECT_EQ(corners[0].pivot.y, 1780 - 15);
  EXPECT_FLOAT_EQ(corners[0].diffuse.x, 1.25f);
  std::vector<PlacedPart> a = named(element, "AP400.stl"), b = named(element, "BP400.stl");
  ASSERT_EQ(a.size(), 2u);
  ASSERT_EQ(b.size(), 1u);
  EXPECT_EQ(a[0].pivot.x, -400);
  EXPECT_EQ(a[1].pivot.x, -400 + 268);
  EXPECT_EQ(b[0].pivot.x, -400 + 536);
  EXPECT_EQ(b[0].pivot.y, 1780 + 25);
}

TEST_F(CellScene, CompactBaysStartAt1780AndUnknownLengthsHaveNoPanels) {
  Tmodulo compact = bay(600, 200, 1200, "1");
  compact.height = 2500;
  compact.group_code = "CVFISSO_1";
  Tmodulo odd = bay(1700, 200, 950, "1");
  room_.walls[0].modules = {compact, odd};
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 2u);
  EXPECT_EQ(named(scene[0], "fiancata.stl")[0].pivot.y, 1780);
  EXPECT_TRUE(named(scene[1], "AZ400.stl").empty());
  EXPECT_TRUE(named(scene[1], "BZ400.stl").empty());
}

TEST_F(CellScene, EndFramesUprightsCrossbarsAndTheirCheck) {
  Ttestata frame;
  frame.x = 0, frame.y = 200, frame.height = 1850, frame.depth = 400, frame.frame_type = "TE", frame.orientation = 'H';
  Ttestata odd = frame;
  odd.height = 1900;  // in the code table, not in the catalogue
  Ttestata unknown = frame;
  unknown.frame_type = "TX";
  room_.walls[0].end_frames = {frame, odd, unknown};
  make_parts({"P1900.stl"});
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 2u);
  std::vector<PlacedPart> uprights = named(scene[0], "P1850.stl");
  ASSERT_EQ(uprights.size(), 2u);
  EXPECT_EQ(uprights[0].pivot.z, 182.5f);
  EXPECT_EQ(uprights[1].pivot.z, -182.5f);
  EXPECT_EQ(uprights[0].offset.x, -14);
  std::vector<PlacedPart> bars = named(scene[0], "T400.stl");
  EXPECT_EQ(heights_of(bars), (std::vector<float>{190, 1040, 1890}));
  EXPECT_EQ(bars[0].pivot.z, 168.5f);
  EXPECT_EQ(bars[0].offset.y, -7.4f);
  EXPECT_EQ(named(scene[1], "P1900.stl").size(), 2u);
  EXPECT_EQ(scene[1].parts.size(), 2u);  // uprights only
}

// Only a frame whose arch flag is set gets the arch, at 1827 mm whatever its height.
TEST_F(CellScene, AnArchTopsAWallFrameOnlyWhenItsFlagIsSet) {
  Ttestata plain;
  plain.x = 0, plain.y = 200, plain.height = 2000, plain.depth = 400, plain.frame_type = "TE", plain.orientation = 'H';
  Ttestata arched = plain;
  arched.x = 1000, arched.arch = true;
  room_.walls[0].end_frames = {plain, arched};
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 2u);
  EXPECT_TRUE(named(scene[0], "archetto.stl").empty());
  std::vector<PlacedPart> arch = named(scene[1], "archetto.stl");
  ASSERT_EQ(arch.size(), 1u);
  EXPECT_EQ(arch[0].pivot.y, 1827.0f);
  EXPECT_EQ(arch[0].offset.x, -257.0f);
}

// The first rail sits at the bay's start whichever way its wall runs.
TEST_F(CellScene, RailAStartsAtTheBayStartForEveryWallDirection) {
  room_.walls[0].modules = {bay(600, 200, 1200, "1")};
  room_.walls[1].modules = {bay(3800, 600, 1200, "1", 'V')};
  room_.walls[2].modules = {bay(3400, 2800, 1200, "1")};
  room_.walls[3].modules = {bay(200, 2400, 1200, "1", 'V')};
  // Along each wall: x for the horizontal ones, y for the vertical ones.
  const std::vector<double> starts = {0, 0, 4000, 3000};
  build(room_);
  for (int g = 0; g < 4; ++g) {
    TVector4f at = root_->Children(g)->Children(0)->AbsolutePosition();
    const double plan_x = (at.x - root_->Position().X()) * 100, plan_y = -(at.z - root_->Position().Z()) * 100;
    EXPECT_NEAR(g % 2 == 0 ? plan_x : plan_y, starts[static_cast<std::size_t>(g)], 1e-3) << g;
  }
}

TEST_F(CellScene, CentringOnWallStartsAndUnclosedOutlines) {
  room_.walls[0].modules = {bay(600, 200, 1200, "1")};
  build(room_);
  EXPECT_FLOAT_EQ(root_->Position().X(), -20);
  EXPECT_FLOAT_EQ(root_->Position().Y(), -10);
  EXPECT_FLOAT_EQ(root_->Position().Z(), 15);
  room_.walls.back().y2 = 1e-9;
  EXPECT_TRUE(build(room_).empty());
  EXPECT_TRUE(build(Tcell{}).empty());
  EXPECT_FLOAT_EQ(root_->Position().X(), 0);
  EXPECT_EQ(stage_.Objects().Count(), 1);  // the old roots are gone
}

// Shelf panels are looked up first: one without a file leaves its form empty
// and the build goes on. Any other missing part stops the build with the path
// it was looked for at.
TEST_F(CellScene, AMissingPanelLeavesItsFormEmptyAndAnyOtherMissingPartStopsTheBuild) {
  Tmodulo deep = bay(600, 200, 1200, "11");
  deep.width = 577;
  room_.walls[0].modules = {deep, bay(1800, 200, 1200, "1")};
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 2u);
  EXPECT_EQ(named(scene[0], "").size(), 6u);  // two levels of three panels without a file
  std::filesystem::remove(folder_.path() / "giunzione.stl");
  EXPECT_EQ(build_error(room_), "File not found: \"" + (folder_.path() / "giunzione.stl").string() + "\"");
}

// Every build reads the part files as they are on disk now: a file replaced,
// added or removed since the last build is seen, whatever the case of its name.
TEST_F(CellScene, EachBuildReadsThePartFilesAsTheyAreNow) {
  Ttestata frame;
  frame.x = 0, frame.y = 200, frame.height = 1850, frame.depth = 400, frame.frame_type = "TE", frame.orientation = 'H';
  Tmodulo deep = bay(600, 200, 1200, "1");
  deep.width = 577;
  room_.walls[0].end_frames = {frame};
  room_.walls[0].modules = {deep};
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 2u);
  EXPECT_EQ(named(scene[1], "").size(), 3u);

  // The same size, a later time: the rails now show the joint's mesh.
  const fs::path rail = folder_.path() / "fiancata.stl";
  const fs::file_time_type before = fs::last_write_time(rail);
  fs::copy_file(folder_.path() / "giunzione.stl", rail, fs::copy_options::overwrite_existing);
  fs::last_write_time(rail, before + std::chrono::seconds(1));
  make_parts({"AZ577.stl", "BZ577.stl"});  // once missing, now there
  scene = build(room_);
  EXPECT_TRUE(named(scene[1], "fiancata.stl").empty());
  EXPECT_EQ(named(scene[1], "giunzione.stl").size(), 6u);
  EXPECT_EQ(named(scene[1], "BZ577.stl").size(), 3u);

  fs::rename(folder_.path() / "P1850.stl", folder_.path() / "gone");
  EXPECT_EQ(build_error(room_), "File not found: \"" + (folder_.path() / "P1850.stl").string() + "\"");
  fs::rename(folder_.path() / "gone", folder_.path() / "p1850.STL");
  EXPECT_EQ(named(build(room_)[0], "P1850.stl").size(), 2u);
}

// A build stopped by a missing part leaves a sound scene: the root holds what
// was placed before the part, drawn from its batches and centred, the stage
// tells its viewers of changes again, and the next build replaces the root.
TEST_F(CellScene, ABuildStoppedHalfWayKeepsWhatItPlacedAndTheNextBuildReplacesIt) {
  Ttestata frame;
  frame.x = 0, frame.y = 200, frame.height = 1850, frame.depth = 400, frame.frame_type = "TE", frame.orientation = 'H';
  room_.walls[0].end_frames = {frame};
  room_.walls[0].modules = {bay(600, 200, 1200, "1")};
  build(room_);
  fs::remove(folder_.path() / "giunzione.stl");
  EXPECT_FALSE(build_error(room_).empty());
  EXPECT_FALSE(stage_.IsUpdating());
  ASSERT_EQ(stage_.Objects().Count(), 1);
  ASSERT_EQ(stage_.Objects().Children(0), root_);
  std::vector<PlacedElement> scene = elements();
  ASSERT_EQ(scene.size(), 2u);  // the frame, and the bay up to its first joint
  EXPECT_EQ(scene[0].parts.size(), 5u);
  ASSERT_EQ(scene[1].parts.size(), 2u);
  EXPECT_EQ(scene[1].parts[0].file, "fiancata.stl");
  EXPECT_EQ(scene[1].parts[1].file, "");  // the joint's form, left empty
  EXPECT_EQ(walls_, nullptr);
  EXPECT_EQ(dynamic_cast<TGLBatchedGroup&>(*root_).Batches().TriangleCount(), 6);
  EXPECT_FLOAT_EQ(root_->Position().Y(), -10);

  make_parts({"giunzione.stl"});
  EXPECT_EQ(build(room_).size(), 2u);
  EXPECT_NE(walls_, nullptr);
  EXPECT_EQ(stage_.Objects().Count(), 1);
}

TEST_F(CellScene, PartNamesAreFoundInAnyCase) {
  std::filesystem::rename(folder_.path() / "P1850.stl", folder_.path() / "p1850.STL");
  PartLibrary library(folder_.path());
  EXPECT_TRUE(library.exists("P1850.stl"));
  EXPECT_TRUE(library.exists("fiancata.stl"));
  EXPECT_FALSE(library.exists("P9999.stl"));
  TGLFreeForm form(nullptr);
  library.load_into(form, "P1850.stl");
  EXPECT_EQ(form.MeshObjects().Count(), 1);
  // A file that is there but is no mesh leaves its form empty, silently.
  folder_.write("archetto.stl", "solid broken\nfacet normal x\n");
  TGLFreeForm broken(nullptr);
  library.load_into(broken, "archetto.stl");
  EXPECT_EQ(broken.MeshObjects().Count(), 0);
}

}  // namespace

Tmodulo_agg free_module(double x, double length, const std::string& code, std::array<int, 6> flags) {
  Tmodulo_agg m;
  m.x = x, m.y = 1500, m.length = length, m.width = 400, m.height = 1850, m.orientation = 'H';
  m.code = code, m.shelf_pattern = "1", m.side_flags = flags;
  m.frame_height_a = m.frame_height_b = 1850;
  return m;
}

// Free modules: levels, then every module's sides, then the compact rails; a
// trolley stands on its wheels, a mobile compact module hangs on brackets, and
// a module or side the code table lacks is left out while rails never are.
TEST_F(CellScene, FreeModulesTrolleysMobileModulesAndRails) {
  make_parts({"ruota.stl", "freno.stl", "T373.stl", "staffa_scorr.stl", "binario2645.stl", "p1850sc.stl"});
  Tmodulo_agg odd = free_module(3500, 1200, "", {0, 0, 1, 1, 0, 0});
  odd.width = 570;  // neither the module nor its sides are in the code table
  room_.free_modules = {free_module(1000, 1200, "", {0, 0, 1, 1, 0, 0}), free_module(2500, 800, "CARRELLO", {}),
                        free_module(1000, 1200, "CVMOBIL_1", {0, 0, 0, 0, 1, 0}), odd};
  Tcorvane rails;
  rails.x = 2000, rails.y = 1000, rails.depth = 400, rails.kit_length = 2645;
  room_.compact_groups = {rails};
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 8u);  // 3 modules, 2 + 1 sides, the brackets, the rails

  EXPECT_EQ(heights_of(named(scene[0], "fiancata.stl")), (std::vector<float>{1780, 1780}));
  EXPECT_EQ(heights_of(named(scene[1], "fiancata.stl")), (std::vector<float>{1891.6f, 1891.6f}));
  EXPECT_EQ(named(scene[1], "ruota.stl").size(), 4u);
  EXPECT_EQ(named(scene[1], "freno.stl").size(), 2u);
  EXPECT_FLOAT_EQ(named(scene[1], "T373.stl").at(0).scale.x, 0.01f * 808 / 310);
  EXPECT_EQ(heights_of(named(scene[2], "fiancata.stl")), (std::vector<float>{1780, 1780}));

  // Sides A and B of the plain module: L/2 + 18 either way along it.
  EXPECT_FLOAT_EQ(scene[3].position.x * 100 - scene[0].position.x * 100, -618);
  EXPECT_FLOAT_EQ(scene[4].position.x * 100 - scene[0].position.x * 100, 618);
  EXPECT_EQ(named(scene[3], "P1850.stl").size(), 2u);
  EXPECT_EQ(named(scene[5], "p1850sc.stl").size(), 2u);
  std::vector<PlacedPart> brackets = named(scene[6], "staffa_scorr.stl");
  EXPECT_EQ(heights_of(brackets), (std::vector<float>(4, 1800)));
  EXPECT_EQ(heights_of(named(scene[7], "binario2645.stl")), (std::vector<float>{1950, 1950}));
}

// A pattern longer than its bay (a damaged file, or one pattern given to
// bays of several heights) places no level below the floor, and however tall
// the bay no more levels than a bay can have: a million "1"s once built a
// million levels.
TEST_F(CellScene, OnlyTheLevelsWithinTheBayArePlaced) {
  make_parts({"ruota.stl", "freno.stl", "T373.stl"});
  Tmodulo low = bay(600, 200, 1200, std::string(13, '1'));
  low.height = 1100;  // 1030 mm down to the floor: seven slots
  Tmodulo tall = bay(1900, 200, 1200, std::string(2 * kMostShelfSlots, '1'));
  tall.height = 1e9;
  room_.walls[0].modules = {low, tall};
  room_.free_modules = {free_module(2000, 1200, "CARRELLO", {})};
  room_.free_modules[0].height = 200;  // its top level 241.6 mm up: two slots
  room_.free_modules[0].shelf_pattern = "1111";
  std::vector<PlacedElement> scene = build(room_);
  ASSERT_EQ(scene.size(), 3u);
  EXPECT_EQ(heights_of(named(scene[0], "fiancata.stl")),
            (std::vector<float>{1030, 1030, 880, 880, 730, 730, 580, 580, 430, 430, 280, 280, 130, 130}));
  EXPECT_EQ(named(scene[1], "fiancata.stl").size(), 2u * kMostShelfSlots);
  EXPECT_EQ(heights_of(named(scene[2], "fiancata.stl")), (std::vector<float>{241.6f, 241.6f, 91.6f, 91.6f}));
}

// The tree stays as above; what draws it is the root's batches: every element
// of parts in them, corner pieces apart in their own look, the walls drawn as
// they are. A rebuild bakes the new cell.
TEST_F(CellScene, TheShelvingIsDrawnFromBatchesAndTheWallsAsTheyAre) {
  room_.walls[0].modules = {bay(600, 200, 1200, "100100100100")};
  room_.walls[0].start_join_high = true;
  std::vector<PlacedElement> scene = build(room_);
  auto* root = dynamic_cast<TGLBatchedGroup*>(root_);
  ASSERT_NE(root, nullptr);
  ASSERT_NE(walls_, nullptr);
  ASSERT_EQ(root->Count(), 2);
  EXPECT_TRUE(root->ChildIsBatched(0));
  EXPECT_FALSE(root->ChildIsBatched(1));  // the walls
  // A triangle for each part form holding a file; a level: 2 rails, a corner piece, 2 joints, 3 panels.
  EXPECT_EQ(root->Batches().TriangleCount(), 4 * (2 + 2 + 1 + 3));
  EXPECT_EQ(root->Batches().Looks().size(), 2u);
  EXPECT_EQ(root->Batches().Looks()[1]->FrontProperties().Diffuse().Color().x, 1.25f);

  room_.walls[0].modules.push_back(bay(1800, 200, 1200, "1"));
  build(room_);
  EXPECT_EQ(dynamic_cast<TGLBatchedGroup&>(*root_).Batches().TriangleCount(), 4 * 8 + 2 + 4 + 3);
}
