#include "model/base/plan_palette.h"

#include <gtest/gtest.h>

#include "model/state/colour_palette.h"
#include "project_globals_fixture.h"

namespace {

using PlanPalette = ProjectGlobalsTest;

TEST_F(PlanPalette, BlackBackgroundChangesOnlyTheFirstFiveSlots) {
  // Colour values are red + green * 256 + blue * 65536.
  const std::array<int, 11> white{0xFFFFFF, 0x000000, 0x808080, 0xC0C0C0, 0x000000, 0xFF9BC8,
                                  0xFF0000, 0xFFFF00, 0xFF00FF, 0xFFFF00, 0x0000FF};
  const std::array<int, 11> black{0x000000, 0xFFFFFF, 0xC0C0C0, 0x808080, 0xFFFFFF, 0xFF9BC8,
                                  0xFF0000, 0xFFFF00, 0xFF00FF, 0xFFFF00, 0x0000FF};
  AppState.black_background = false;
  set_colour_palette();
  EXPECT_EQ(AppState.palette, white);
  AppState.black_background = true;
  set_colour_palette();
  EXPECT_EQ(AppState.palette, black);
}

// The palette itself depends on the background given, not on the program state.
TEST_F(PlanPalette, ThePaletteOfABackgroundLeavesTheStateAlone) {
  AppState.black_background = false;
  set_colour_palette();
  const std::array<int, 11> white = AppState.palette;
  const std::array<int, 11> black = plan_palette(true);
  EXPECT_EQ(AppState.palette, white);
  EXPECT_EQ(plan_palette(false), white);
  EXPECT_NE(black, white);
  EXPECT_EQ(black[0], pack_rgb(0, 0, 0));
  EXPECT_EQ(black[1], pack_rgb(255, 255, 255));
}

}  // namespace
