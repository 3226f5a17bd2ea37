#include "gfx3d/math/quaternions.h"

#include <cmath>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/matrix_operations.h"
#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"

namespace {

TVector4f AsVector(const TQuaternion& q) { return {q.x, q.y, q.z, q.w}; }
TQuaternion AsQuaternion(const TVector4f& v) { return {v.x, v.y, v.z, v.w}; }

// Slots (1 = first factor) of the X, Y and Z rotations for each order.
constexpr int kEulerSlots[6][3] = {{1, 2, 3}, {1, 3, 2}, {2, 1, 3}, {2, 3, 1}, {3, 1, 2}, {3, 2, 1}};

// The axis (0 = x, 1 = y, 2 = z) that sits in the middle slot of an order.
int MiddleAxis(TEulerOrder order) {
  for (int axis = 0; axis < 3; ++axis)
    if (kEulerSlots[order][axis] == 2) return axis;
  return 1;
}

}  // namespace

float QuaternionMagnitude(const TQuaternion& q) {
  // Squares of tiny components underflow in single precision: sum and root them wide.
  const Extended x = q.x, y = q.y, z = q.z, w = q.w;
  return static_cast<float>(std::sqrt(x * x + y * y + z * z + w * w));
}

void NormalizeQuaternion(TQuaternion& q) {
  const float magnitude = QuaternionMagnitude(q);
  if (magnitude <= EpsilonSmall) {
    q = IdentityQuaternion;
    return;
  }
  q = AsQuaternion(VectorScale(AsVector(q), 1 / magnitude));
}

void QuaternionMultiply(const TQuaternion& a, const TQuaternion& b, TQuaternion& result) {
  result = QuaternionMultiply(a, b);
}

TQuaternion QuaternionMultiply(const TQuaternion& a, const TQuaternion& b) {
  auto sum = [](double p, double q, double r, double s) { return static_cast<float>(p + q + r + s); };
  return {sum(a.w * b.x, a.x * b.w, a.y * b.z, -a.z * b.y), sum(a.w * b.y, a.y * b.w, a.z * b.x, -a.x * b.z),
          sum(a.w * b.z, a.z * b.w, a.x * b.y, -a.y * b.x), sum(a.w * b.w, -a.x * b.x, -a.y * b.y, -a.z * b.z)};
}

TMatrix4f MatrixFromQuaternion(const TQuaternion& q) {
  TQuaternion n = q;
  NormalizeQuaternion(n);
  const float xx = n.x * n.x, xy = n.x * n.y, xz = n.x * n.z, xw = n.x * n.w;
  const float yy = n.y * n.y, yz = n.y * n.z, yw = n.y * n.w, zz = n.z * n.z, zw = n.z * n.w;
  return {{{{1 - 2 * (yy + zz), 2 * (xy + zw), 2 * (xz - yw), 0},
            {2 * (xy - zw), 1 - 2 * (xx + zz), 2 * (yz + xw), 0},
            {2 * (xz + yw), 2 * (yz - xw), 1 - 2 * (xx + yy), 0},
            {0, 0, 0, 1}}}};
}

TQuaternion QuaternionFromAngleAxis(const TAffineVector& axis, float angleDegrees) {
  Extended s, c;
  SinCosExt(DegToRadExt(static_cast<Extended>(angleDegrees) * 0.5L), s, c);
  const TAffineVector imaginary = AffineVectorScale(axis, static_cast<float>(s / AffineVectorLength(axis)));
  return {imaginary.x, imaginary.y, imaginary.z, static_cast<float>(c)};
}

TQuaternion QuaternionFromEulerAngles(TEulerOrder order, float x, float y, float z) {
  TQuaternion slot[3];
  slot[kEulerSlots[order][0] - 1] = QuaternionFromAngleAxis(XVector, x);
  slot[kEulerSlots[order][1] - 1] = QuaternionFromAngleAxis(YVector, y);
  slot[kEulerSlots[order][2] - 1] = QuaternionFromAngleAxis(ZVector, z);
  return QuaternionMultiply(slot[0], QuaternionMultiply(slot[1], slot[2]));
}

TQuaternion QuaternionFromEulerWrapped(TEulerOrder order, float x, float y, float z) {
  Assert(order >= eulXYZ && order <= eulZYX, "Source/Base/VectorGeometry", 6311);
  float angles[3] = {WrapAngleDegrees(x), WrapAngleDegrees(y), WrapAngleDegrees(z)};
  const int middle = MiddleAxis(order);
  const bool gimbalLock = std::fabs(std::fabs(angles[middle]) - 90) <= EpsilonSmall;
  if (!gimbalLock) return QuaternionFromEulerAngles(order, angles[0], angles[1], angles[2]);
  // At the lock the three angles do not fix one orientation: take the midpoint
  // of the orientations just either side of it.
  float below[3] = {angles[0], angles[1], angles[2]};
  float above[3] = {angles[0], angles[1], angles[2]};
  below[middle] -= 0.001f;
  above[middle] += 0.001f;
  return QuaternionSlerp(QuaternionFromEulerAngles(order, below[0], below[1], below[2]),
                         QuaternionFromEulerAngles(order, above[0], above[1], above[2]), 0.5f);
}

void QuaternionSlerp(const TQuaternion& q0, const TQuaternion& q1, float t, TQuaternion& result) {
  result = QuaternionSlerp(q0, q1, t);
}

TQuaternion QuaternionSlerp(const TQuaternion& q0, const TQuaternion& q1, float t) {
  TVector4f from = AsVector(q0), to = AsVector(q1);
  float cosom = VectorDotProduct(from, to);
  if (cosom < 0) {
    cosom = -cosom;
    to = VectorNegate(to);
  }
  Extended k0 = 1 - static_cast<Extended>(t), k1 = t;
  if (1 - cosom > EpsilonSmall) {
    const Extended omega = ArcCosExt(cosom);
    const Extended sinom = std::sin(omega);
    k0 = std::sin((1 - static_cast<Extended>(t)) * omega) / sinom;
    k1 = std::sin(t * omega) / sinom;
  }
  TQuaternion r = AsQuaternion(VectorCombine2(from, to, static_cast<float>(k0), static_cast<float>(k1)));
  NormalizeQuaternion(r);
  return r;
}

TQuaternion QuaternionCombine(const TQuaternion& q1, const TQuaternion& q2, float f) {
  return QuaternionMultiply(q1, QuaternionSlerp(IdentityQuaternion, q2, f));
}

void AnglesSlerp(const TAffineVector& a, const TAffineVector& b, TAffineVector& result, float t) {
  if (AffineVectorEquals(a, b)) {
    result = a;
    return;
  }
  const TQuaternion q1 = QuaternionFromEulerWrapped(eulZYX, RadToDeg(a.x), RadToDeg(a.y), RadToDeg(a.z));
  const TQuaternion q2 = QuaternionFromEulerWrapped(eulZYX, RadToDeg(b.x), RadToDeg(b.y), RadToDeg(b.z));
  TMatrixTransforms transforms{};
  UnpackMatrixTransforms(MatrixFromQuaternion(QuaternionSlerp(q1, q2, t)), transforms);
  result = {transforms[ttRotateX], transforms[ttRotateY], transforms[ttRotateZ]};
}
