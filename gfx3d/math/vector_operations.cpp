#include "gfx3d/math/vector_operations.h"

#include <bit>
#include <cmath>

#include "gfx3d/math/scalar_math.h"

namespace {

// Sums of products are carried in double and rounded once when stored.
double Dot3(const TAffineVector& a, const TAffineVector& b) {
  return static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y + static_cast<double>(a.z) * b.z;
}

TAffineVector Affine(const TVector4f& v) { return {v.x, v.y, v.z}; }

bool SameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

}  // namespace

TAffineVector AffineFromXYZ(float x, float y, float z) { return {x, y, z}; }
void SetAffineVector(TAffineVector& v, float x, float y, float z) { v = {x, y, z}; }
void AssignAffineXYZ(TAffineVector& v, float x, float y, float z) { v = {x, y, z}; }
void AffineVectorCopy(TAffineVector& dest, const TAffineVector& source) { dest = source; }

void AffineVectorCopyXYZ(TAffineVector& dest, const TVector4f& source) { dest = Affine(source); }

void SetDoubleVector3(TDoubleVector3& dest, const TAffineVector& source) { dest = {source.x, source.y, source.z}; }
TVector4f Vector4FromAffine(const TAffineVector& v, float w) { return {v.x, v.y, v.z, w}; }
void SetVectorFromAffine(TVector4f& dest, const TAffineVector& v, float w) { dest = Vector4FromAffine(v, w); }
TVector4f Vector4FromXYZW(float x, float y, float z, float w) { return {x, y, z, w}; }
void SetVector(TVector4f& dest, float x, float y, float z, float w) { dest = {x, y, z, w}; }
TVector4f PointFromXYZ(float x, float y, float z) { return {x, y, z, 1}; }
void SetPoint(TVector4f& dest, float x, float y, float z) { dest = {x, y, z, 1}; }
TVector4f PointFromAffine(const TAffineVector& v) { return {v.x, v.y, v.z, 1}; }
void SetPointFromAffine(TVector4f& dest, const TAffineVector& v) { dest = PointFromAffine(v); }
void SetPointFromVector(TVector4f& dest, const TVector4f& v) { dest = {v.x, v.y, v.z, 1}; }
void SetDirection(TVector4f& dest, float x, float y, float z) { dest = {x, y, z, 0}; }
void SetDirectionFromAffine(TVector4f& dest, const TAffineVector& v) { dest = {v.x, v.y, v.z, 0}; }
void SetVectorFromVector(TVector4f& dest, const TVector4f& source) { dest = source; }
void ClearVector(TVector4f& v) { v = {}; }

TAffineVector AffineVectorAdd(const TAffineVector& a, const TAffineVector& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}
TVector4f VectorAdd(const TVector4f& a, const TVector4f& b) { return {a.x + b.x, a.y + b.y, a.z + b.z, a.w + b.w}; }
void AddAffineVector(TAffineVector& a, const TAffineVector& b) { a = AffineVectorAdd(a, b); }
void AddVector(TVector4f& a, const TVector4f& b) { a = VectorAdd(a, b); }

void TranslateAffineVectorArray(const TAffineVector* source, const TAffineVector& delta, TAffineVector* dest,
                                std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) dest[i] = AffineVectorAdd(source[i], delta);
}

TAffineVector AffineVectorSubtract(const TAffineVector& a, const TAffineVector& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
void AffineVectorSubtractInto(const TAffineVector& a, const TAffineVector& b, TAffineVector& result) {
  result = AffineVectorSubtract(a, b);
}
TVector4f AffineVectorSubtractToVector(const TAffineVector& a, const TAffineVector& b) {
  return Vector4FromAffine(AffineVectorSubtract(a, b), 0);
}
TVector4f VectorSubtractXYZ(const TVector4f& a, const TVector4f& b) { return {a.x - b.x, a.y - b.y, a.z - b.z, a.w}; }
TVector4f VectorSubtract(const TVector4f& a, const TVector4f& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z, a.w - b.w};
}
void VectorSubtract4(const TVector4f& a, const TVector4f& b, TVector4f& result) { result = VectorSubtract(a, b); }
void SubtractAffineVector(TAffineVector& a, const TAffineVector& b) { a = AffineVectorSubtract(a, b); }
void SubtractVector(TVector4f& a, const TVector4f& b) { a = VectorSubtract(a, b); }
void CombineAffineVector(TAffineVector& v, const TAffineVector& w, const float& f) { v = AffineVectorCombine(v, w, f); }

TAffineVector AffineVectorCombine2(const TAffineVector& a, const TAffineVector& b, float f1, float f2) {
  return {a.x * f1 + b.x * f2, a.y * f1 + b.y * f2, a.z * f1 + b.z * f2};
}
TVector4f VectorCombine2(const TVector4f& a, const TVector4f& b, float f1, float f2) {
  return {a.x * f1 + b.x * f2, a.y * f1 + b.y * f2, a.z * f1 + b.z * f2, a.w * f1 + b.w * f2};
}
TAffineVector AffineVectorCombine(const TAffineVector& a, const TAffineVector& b, float f) {
  return AffineVectorCombine2(a, b, 1, f);
}
TVector4f VectorCombine(const TVector4f& a, const TVector4f& b, float f) {
  return {a.x + b.x * f, a.y + b.y * f, a.z + b.z * f, a.w + b.w * f};
}

TAffineVector AffineVectorLerp(const TAffineVector& a, const TAffineVector& b, float t) {
  return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t)};
}
TVector4f VectorLerp(const TVector4f& a, const TVector4f& b, float t) {
  return {Lerp(a.x, b.x, t), Lerp(a.y, b.y, t), Lerp(a.z, b.z, t), Lerp(a.w, b.w, t)};
}
void VectorLerpInto(const TVector4f& a, const TVector4f& b, float t, TVector4f& result) {
  result = VectorLerp(a, b, t);
}

void VectorArrayLerp(const TVector4f* a, const TVector4f* b, float t, std::size_t n, TVector4f* dest) {
  for (std::size_t i = 0; i < n; ++i) dest[i] = VectorLerp(a[i], b[i], t);
}
void AffineVectorArrayLerp(const TAffineVector* a, const TAffineVector* b, float t, std::size_t n,
                           TAffineVector* dest) {
  for (std::size_t i = 0; i < n; ++i) dest[i] = AffineVectorLerp(a[i], b[i], t);
}

TAffineVector AffineVectorNegate(const TAffineVector& a) { return {-a.x, -a.y, -a.z}; }
TVector4f VectorNegate(const TVector4f& a) { return {-a.x, -a.y, -a.z, -a.w}; }
void NegateAffineVector(TAffineVector& a) { a = AffineVectorNegate(a); }
void NegateVector(TVector4f& a) { a = VectorNegate(a); }
void ScaleAffineVector(TAffineVector& a, float f) { a = AffineVectorScale(a, f); }
void ScaleVector(TVector4f& a, float f) { a = VectorScale(a, f); }
void ScaleAffineVectorComponents(TAffineVector& a, const TAffineVector& b) { a = {a.x * b.x, a.y * b.y, a.z * b.z}; }
void ScaleVectorComponents(TVector4f& a, const TVector4f& b) { a = {a.x * b.x, a.y * b.y, a.z * b.z, a.w * b.w}; }
TAffineVector AffineVectorScale(const TAffineVector& a, float f) { return {a.x * f, a.y * f, a.z * f}; }
TVector4f VectorScale(const TVector4f& a, float f) { return {a.x * f, a.y * f, a.z * f, a.w * f}; }
void VectorScaleInto(const TVector4f& a, float f, TVector4f& result) { result = VectorScale(a, f); }

void ScaleFloatArray(float* values, std::size_t n, float factor) {
  for (std::size_t i = 0; i < n; ++i) values[i] *= factor;
}

TVector4f VectorAbs(const TVector4f& a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z), std::fabs(a.w)}; }

void ComponentMax(TVector4f& a, const TVector4f& b) {
  for (int i = 0; i < 4; ++i)
    if (b[i] > a[i]) a[i] = b[i];
}

float AffineVectorDotProduct(const TAffineVector& a, const TAffineVector& b) { return static_cast<float>(Dot3(a, b)); }
float VectorDotProduct3(const TVector4f& a, const TVector4f& b) { return AffineVectorDotProduct(Affine(a), Affine(b)); }
float VectorDotProduct(const TVector4f& a, const TVector4f& b) {
  return static_cast<float>(Dot3(Affine(a), Affine(b)) + static_cast<double>(a.w) * b.w);
}

float PointDistanceAlong(const TAffineVector& p, const TAffineVector& origin, const TAffineVector& direction) {
  return AffineVectorDotProduct(AffineVectorSubtract(p, origin), direction);
}
float PointDistanceAlongVector(const TVector4f& p, const TVector4f& origin, const TVector4f& direction) {
  return PointDistanceAlong(Affine(p), Affine(origin), Affine(direction));
}

TAffineVector AffineVectorCrossProduct(const TAffineVector& a, const TAffineVector& b) {
  auto term = [](float p, float q, float r, float s) {
    return static_cast<float>(static_cast<double>(p) * q - static_cast<double>(r) * s);
  };
  return {term(a.y, b.z, a.z, b.y), term(a.z, b.x, a.x, b.z), term(a.x, b.y, a.y, b.x)};
}
void CrossProductAffineInto(const TAffineVector& a, const TAffineVector& b, TAffineVector& result) {
  result = AffineVectorCrossProduct(a, b);
}
void CrossProductInto(const TVector4f& a, const TVector4f& b, TVector4f& result) { result = VectorCrossProduct(a, b); }
TVector4f VectorCrossProduct(const TVector4f& a, const TVector4f& b) {
  return VectorCrossProductXYZ(Affine(a), Affine(b));
}
TVector4f VectorCrossProductXYZ(const TAffineVector& a, const TAffineVector& b) {
  return Vector4FromAffine(AffineVectorCrossProduct(a, b), 0);
}

float VectorLength2D(float x, float y) { return std::sqrt(SquaredLength2D(x, y)); }
float SquaredLength2D(float x, float y) { return x * x + y * y; }
float AffineVectorLength(const TAffineVector& v) { return static_cast<float>(std::sqrt(Dot3(v, v))); }
float VectorLength(const TVector4f& v) { return AffineVectorLength(Affine(v)); }
float AffineVectorSquaredLength(const TAffineVector& v) { return static_cast<float>(Dot3(v, v)); }
float VectorSquaredLength(const TVector4f& v) { return AffineVectorSquaredLength(Affine(v)); }

// A zero vector comes out non-finite: nothing here guards the division.
TAffineVector AffineVectorNormalize(const TAffineVector& v) {
  return AffineVectorScale(v, static_cast<float>(1 / std::sqrt(Dot3(v, v))));
}
void NormalizeAffineVector(TAffineVector& v) { v = AffineVectorNormalize(v); }
void NormalizeAffineVectorArray(TAffineVector* values, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) NormalizeAffineVector(values[i]);
}
void NormalizeVector(TVector4f& v) { v = VectorNormalize(v); }
TVector4f VectorNormalize(const TVector4f& v) { return Vector4FromAffine(AffineVectorNormalize(Affine(v)), 0); }

float AngleCosine(const TAffineVector& a, const TAffineVector& b) {
  return static_cast<float>(Dot3(a, b) / std::sqrt(Dot3(a, a) * Dot3(b, b)));
}

float ManhattanDistance(const TAffineVector& a, const TAffineVector& b) {
  return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}
float VectorDistance(const TAffineVector& a, const TAffineVector& b) {
  return AffineVectorLength(AffineVectorSubtract(a, b));
}
float VectorDistance(const TVector4f& a, const TVector4f& b) { return VectorDistance(Affine(a), Affine(b)); }
float VectorDistanceSquared(const TAffineVector& a, const TAffineVector& b) {
  return AffineVectorSquaredLength(AffineVectorSubtract(a, b));
}
float VectorDistanceSquared(const TVector4f& a, const TVector4f& b) {
  return VectorDistanceSquared(Affine(a), Affine(b));
}

TAffineVector VectorOrthogonalPart(const TAffineVector& v, const TAffineVector& unitNormal) {
  return AffineVectorCombine(v, unitNormal, -AffineVectorDotProduct(v, unitNormal));
}

TAffineVector TriangleNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3) {
  return AffineVectorNormalize(AffineVectorCrossProduct(AffineVectorSubtract(p2, p1), AffineVectorSubtract(p3, p1)));
}
TVector4f TriangleNormalVector(const TVector4f& p1, const TVector4f& p2, const TVector4f& p3) {
  return Vector4FromAffine(TriangleNormal(Affine(p1), Affine(p2), Affine(p3)), 0);
}

void NormalizePlaneEquation(TVector4f& plane) { ScaleVector(plane, ReciprocalSqrt(VectorSquaredLength(plane))); }

float EvaluatePlaneAt(const TVector4f& plane, const TAffineVector& point) {
  return static_cast<float>(Dot3(Affine(plane), point) + plane.w);
}

bool AffineVectorEquals(const TAffineVector& a, const TAffineVector& b) {
  return SameBits(a.x, b.x) && SameBits(a.y, b.y) && SameBits(a.z, b.z);
}
bool VectorEquals(const TVector4f& a, const TVector4f& b) {
  return AffineVectorEquals(Affine(a), Affine(b)) && SameBits(a.w, b.w);
}
bool VectorEqualsAffine(const TVector4f& a, const TAffineVector& b) { return AffineVectorEquals(Affine(a), b); }
bool AffineVectorIsZero(const TAffineVector& v) { return v.x == 0 && v.y == 0 && v.z == 0; }
bool VectorIsZero(const TVector4f& v) { return AffineVectorIsZero(Affine(v)); }

TAffineVector RotateAboutY(const TAffineVector& v, float angle) {
  float s, c;
  SinCos(angle, s, c);
  return {c * v.x + s * v.z, v.y, c * v.z - s * v.x};
}
void RotateAboutYInto(const TAffineVector& v, float angle, TAffineVector& result) { result = RotateAboutY(v, angle); }
