// The swap interval of the current GLX drawable, through the swap-control
// entry points the GLX half of the binding resolved for the current context.
#pragma once

// False when the driver offers no swap control.
bool CurrentSwapInterval(int& interval);
void SetCurrentSwapInterval(int interval);
