// The single-precision math of the 3-D library in one include: vector types
// and constants, vector, matrix and quaternion operations, angles and
// scalars, ray intersections and culling.
#pragma once

#include "gfx3d/math/intersections.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/quaternions.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"
#include "gfx3d/math/vector_types.h"
