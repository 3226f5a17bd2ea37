#include "model/plan_palette.h"

#include <gtest/gtest.h>

#include "project_globals_fixture.h"

namespace {

using PlanPalette = ProjectGlobalsTest;

TEST_F(PlanPalette, WhiteBackground) {
  AppState.black_background = false;
  set_colour_palette();
  EXPECT_EQ(AppState.palette, (std::array<int, 11>{0xFFFFFF, 0x000000, 0x808080, 0xC0C0C0, 0x000000, 0xFF9BC8, 0xFF0000,
                                                   0xFFFF00, 0xFF00FF, 0xFFFF00, 0x0000FF}));
}

TEST_F(PlanPalette, BlackBackgroundSwapsOnlyTheFirstFiveSlots) {
  AppState.black_background = false;
  set_colour_palette();
  const std::array<int, 11> white = AppState.palette;
  AppState.black_background = true;
  set_colour_palette();
  EXPECT_EQ(AppState.palette[0], 0x000000);
  EXPECT_EQ(AppState.palette[1], 0xFFFFFF);
  EXPECT_EQ(AppState.palette[2], 0xC0C0C0);
  EXPECT_EQ(AppState.palette[3], 0x808080);
  EXPECT_EQ(AppState.palette[4], 0xFFFFFF);
  for (std::size_t slot = 5; slot < 11; ++slot) EXPECT_EQ(AppState.palette[slot], white[slot]) << slot;
}

}  // namespace
