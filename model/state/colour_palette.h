// The palette of the plan and of the print drawing as the preferences set it.
#pragma once

// Fills AppState.palette from AppState.black_background.
void set_colour_palette();
