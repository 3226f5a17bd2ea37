// The eleven colours of the plan and of the print drawing, for a white or a
// black plan background.
#pragma once

// Fills AppState.palette from AppState.black_background.
void set_colour_palette();

// The colour value r + g * 256 + b * 65536.
int pack_rgb(int r, int g, int b);
