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

}  // namespace
