// The single-precision math of the 3-D library in one include: vector types
// and constants, vector, matrix and quaternion operations, angles and
// scalars, ray intersections and culling.
#pragma once

#include "gfx3d/intersections.h"
#include "gfx3d/matrix_operations.h"
#include "gfx3d/quaternions.h"
#include "gfx3d/scalar_math.h"
#include "gfx3d/vector_operations.h"
#include "gfx3d/vector_types.h"
