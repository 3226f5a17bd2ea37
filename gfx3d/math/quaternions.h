// Quaternions for orientations: products, conversion to matrices, building
// from an angle and axis or from Euler angles, and spherical interpolation.
#pragma once

#include "gfx3d/math/vector_types.h"

float QuaternionMagnitude(const TQuaternion& q);
// In place; a magnitude at or below EpsilonSmall gives the identity.
void NormalizeQuaternion(TQuaternion& q);
// Hamilton product, a on the left.
void QuaternionMultiply(const TQuaternion& a, const TQuaternion& b, TQuaternion& result);
TQuaternion QuaternionMultiply(const TQuaternion& a, const TQuaternion& b);
TMatrix4f MatrixFromQuaternion(const TQuaternion& q);
// Angle in degrees.
TQuaternion QuaternionFromAngleAxis(const TAffineVector& axis, float angleDegrees);
// Angles in degrees; each axis rotation takes the slot that the order gives it.
TQuaternion QuaternionFromEulerAngles(TEulerOrder order, float x, float y, float z);
// The same after wrapping the angles, and avoiding the gimbal lock of a middle angle of +-90.
TQuaternion QuaternionFromEulerWrapped(TEulerOrder order, float x, float y, float z);
// Along the shorter arc; the result is normalised.
void QuaternionSlerp(const TQuaternion& q0, const TQuaternion& q1, float t, TQuaternion& result);
TQuaternion QuaternionSlerp(const TQuaternion& q0, const TQuaternion& q1, float t);
// q1 followed by the fraction f of the rotation q2: q1 * QuaternionSlerp(identity, q2, f).
TQuaternion QuaternionCombine(const TQuaternion& q1, const TQuaternion& q2, float f);
// Interpolates two triples of rotation angles (radians) through their orientations.
void AnglesSlerp(const TAffineVector& a, const TAffineVector& b, TAffineVector& result, float t);
