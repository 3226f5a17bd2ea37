// The 3-D library's start-up, called once from main (and from test fixtures)
// before any 3-D object exists. Calling it again does no harm.
#pragma once

// Puts the floating-point unit in the state the library computes in (all
// exceptions masked, round to nearest with ties to even, denormals kept) and
// registers the classes that archives name.
void InitializeGfx3D();

// True when the floating-point environment is the one InitializeGfx3D sets.
bool FloatingPointEnvironmentIsDefault();
