// The parts' names: plan blocks, solid blocks and mesh files built from the
// size text of a model value, and refused where a part has no such name.
#include "model/catalogue/part_names.h"

#include <gtest/gtest.h>

#include <set>
#include <stdexcept>

namespace {

TEST(PartNames, SizedNamesTakeTheSizeTextOfTheModelValue) {
  EXPECT_EQ(solid_block(Part::Crossbar, 914.4), "Traverso914.4");
  EXPECT_EQ(mesh_file(Part::Crossbar, 914.4), "T914.4.stl");
  EXPECT_EQ(plan_block(Part::CornerJoint, 475), "giunzione_475");
  EXPECT_EQ(solid_block(Part::CornerJoint, 475), "Giunzione_angolo_475");
  EXPECT_EQ(mesh_file(Part::CornerJoint, 475), "ga475.stl");
  EXPECT_EQ(plan_block(Part::CompactRail, 2645), "BINARIO_CV_2645");
  EXPECT_EQ(solid_block(Part::CompactRail, 2645), "BinarioCV2645");
  EXPECT_EQ(mesh_file(Part::CompactRail, 2645), "binario2645.stl");
  // The mobile compact upright's block carries its mark after the size.
  EXPECT_EQ(solid_block(Part::MobileCompactUpright, 2000), "Piant_2000s");
  EXPECT_EQ(mesh_file(Part::Upright, 2000), "P2000.stl");
  EXPECT_EQ(oval_block(1082), "Ovale998");
}

TEST(PartNames, FixedNamesIgnoreTheSize) {
  EXPECT_EQ(solid_block(Part::Joint, 475), "Giunzione");
  EXPECT_EQ(mesh_file(Part::SideRail, 974), "fiancata.stl");
  EXPECT_EQ(mesh_file(Part::MobileCompactUpright, 2000), "p1850sc.stl");
  EXPECT_EQ(plan_block(Part::SlidingBracket), "Staffa_testata_scorrevole");
  EXPECT_EQ(mesh_file(Part::SlidingBracket), "staffa_scorr.stl");
}

TEST(PartNames, AGridPanelIsNamedByItsLetterSuffixAndDepth) {
  const std::string variant = grid_panel_variant('B', "Z");
  EXPECT_EQ(plan_block(Part::GridPanel, 575, variant), "LBZ575");
  EXPECT_EQ(solid_block(Part::GridPanel, 575, variant), "LBZ575");
  EXPECT_EQ(mesh_file(Part::GridPanel, 575, variant), "BZ575.stl");
  // A suffix is taken as it is, even one holding the table's own marks.
  EXPECT_EQ(mesh_file(Part::GridPanel, 575, grid_panel_variant('A', "#*")), "A#*575.stl");
}

TEST(PartNames, ANameThePartDoesNotHaveIsRefused) {
  EXPECT_THROW(mesh_file(Part::Rivet), std::logic_error);
  EXPECT_THROW(plan_block(Part::Wheel), std::logic_error);
  EXPECT_THROW(solid_block(Part::EndFrame, 475), std::logic_error);
}

TEST(PartNames, EveryPartHasANameAndNoTwoPartsShareOne) {
  std::set<std::string> plan, solid, meshes;
  for (int p = 0; p <= static_cast<int>(Part::EndSpacer); ++p) {
    const Part part = static_cast<Part>(p);
    bool any = false;
    auto collect = [&](std::set<std::string>& names, std::string (*name)(Part, double, std::string_view)) {
      try {
        const std::string text = name(part, 1000, "A");
        any = true;
        return names.insert(text).second;
      } catch (const std::logic_error&) {
        return true;
      }
    };
    // The fixed compact upright's block is the plain upright's.
    const bool shares_block = part == Part::FixedCompactUpright;
    EXPECT_TRUE(collect(plan, plan_block)) << p;
    EXPECT_TRUE(collect(solid, solid_block) || shares_block) << p;
    EXPECT_TRUE(collect(meshes, mesh_file)) << p;
    EXPECT_TRUE(any) << p;
  }
}

}  // namespace
