#include "model/state/colour_palette.h"

#include "model/base/plan_palette.h"
#include "model/state/globals.h"

void set_colour_palette() { AppState.palette = plan_palette(AppState.black_background); }
