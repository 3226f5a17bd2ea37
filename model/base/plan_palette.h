// The eleven colours of the plan and of the print drawing, for a white or a
// black plan background.
#pragma once

// Fills AppState.palette from AppState.black_background.
void set_colour_palette();
