// The catalogue's parts of a frame and a shelf: crossbar heights by frame
// height and panel letters by shelf length, read from the loaded lists.
#include "model/catalogue/part_lists.h"

#include <gtest/gtest.h>

#include "model/state/globals.h"

namespace {

class PartLists : public ::testing::Test {
 protected:
  void TearDown() override {
    HeightList.clear();
    CrossbarLists.clear();
    LengthList.clear();
    Compositions.clear();
  }
};

TEST_F(PartLists, CrossbarsOfEveryEntryOfTheHeightNumbersOnly) {
  HeightList = {2000, 2500, 2000};
  CrossbarLists = {{"300", "1200,5"}, {"400"}, {"x", "1900.25", "1800 "}};
  EXPECT_EQ(crossbar_heights(2000), (std::vector<double>{300, 1200.5, 1900.25}));
  EXPECT_EQ(crossbar_heights(2500), (std::vector<double>{400}));
  EXPECT_TRUE(crossbar_heights(1700).empty());
  // A height beyond the crossbar lists has none.
  HeightList.push_back(3000);
  EXPECT_TRUE(crossbar_heights(3000).empty());
}

TEST_F(PartLists, ThePanelsOfTheLastEqualLength) {
  LengthList = {974, 1274, 974};
  Compositions = {"AB", "ABB", "BBA"};
  EXPECT_EQ(panel_composition(974), "BBA");
  EXPECT_EQ(panel_composition(1274), "ABB");
  EXPECT_EQ(panel_composition(1000), "");
}

}  // namespace
