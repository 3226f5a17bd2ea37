// The eleven colours of the plan and of the print drawing, for a white or a
// black plan background.
#pragma once

#include <array>

// The palette for a white or a black background, in the slots of Tvar_amb.palette.
std::array<int, 11> plan_palette(bool black_background);

// The colour value r + g * 256 + b * 65536.
int pack_rgb(int r, int g, int b);
