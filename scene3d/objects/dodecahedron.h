// A solid dodecahedron of unit size about the origin, the marker of line nodes.
#pragma once

void DodecahedronBuildList();
