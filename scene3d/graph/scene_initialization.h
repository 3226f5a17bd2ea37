// The scene library's start-up, called once from main (and from test
// fixtures) before any scene object exists: the 3-D foundation's own, then
// the scene classes archives and forms may name. Calling it again does no harm.
#pragma once

void InitializeScene3D();

// The library's end, once the last window that draws is gone: releases what
// the library holds of the window system.
void FinalizeScene3D();
