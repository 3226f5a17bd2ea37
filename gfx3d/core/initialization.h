// The 3-D library's start-up, called once from main (and from test fixtures)
// before any 3-D object exists, and its end. Calling either again does no harm.
#pragma once

// Puts the floating-point unit in the state the library computes in (all
// exceptions masked, round to nearest with ties to even, denormals kept) and
// registers the classes that archives name.
void InitializeGfx3D();

// The library's end, called once before the program returns from main (and at
// the end of every test program that draws): releases what the library holds
// of the window system, so no driver thread outlives the program's own end,
// and unloads the GL libraries, which the next context loads again.
void FinalizeGfx3D();

// True when the floating-point environment is the one InitializeGfx3D sets.
bool FloatingPointEnvironmentIsDefault();
