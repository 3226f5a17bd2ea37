// Plane vectors of the plan geometry and the two array operations the choice of
// module lengths uses. Plan geometry compares millimetres with a tolerance of
// 0.001, so that points built by different arithmetic paths still match.
#pragma once

#include <span>

#include "model/base/records.h"

inline constexpr double kVecTolerance = 0.001;
inline constexpr double kAngleSnapTolerance = 0.004;  // degrees

Tvec2 vec_make(double x, double y);
double vec_length(const Tvec2& v);
// The dot product, exactly 0 when its magnitude is below the tolerance.
double vec_dot(const Tvec2& a, const Tvec2& b);
// Both components within the tolerance.
bool vec_equal(const Tvec2& a, const Tvec2& b);
// Equal, or opposite within the tolerance.
bool vec_same_or_opposite(const Tvec2& a, const Tvec2& b);
// The unit vector of v (v itself when it has no length); components below the
// tolerance become exactly 0, so axis directions stay exact.
Tvec2 vec_normalize(const Tvec2& v);

// An angle in degrees within 0.004 of a multiple of 30 or 45 (0..360) becomes
// that multiple, 360 becoming 0; any other angle is returned unchanged.
double snap_angle(double degrees);
// Signed angle from a to b in degrees, -180..180, counter-clockwise positive,
// snapped as above; 0 when either vector has no length.
double vec_angle_deg(const Tvec2& a, const Tvec2& b);

// Reverses the values in place.
void reverse_doubles(std::span<double> values);
// Arranges the values symmetrically: even positions go to the front in order,
// odd positions to the back from the end (a b c d e -> a c e d b), so an
// ascending array rises to its middle and falls again.
void alternate_ends(std::span<double> values);

// -1, 0 or +1: the side of the origin a plan coordinate lies on.
inline double sign(double v) { return (v > 0) - (v < 0); }

// Point arithmetic of the plan.
inline Tvec2 operator+(const Tvec2& a, const Tvec2& b) { return vec_make(a.x + b.x, a.y + b.y); }
inline Tvec2 operator-(const Tvec2& a, const Tvec2& b) { return vec_make(a.x - b.x, a.y - b.y); }
inline Tvec2 operator*(double factor, const Tvec2& v) { return vec_make(factor * v.x, factor * v.y); }
