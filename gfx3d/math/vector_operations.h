// Construction, arithmetic, products and lengths of affine and homogeneous
// vectors. Routines named Set..., Assign..., ...Copy and the in-place ones
// (Add..., Scale..., Normalize... without a result) change their first
// argument; the others return their result. Forms on TVector4f work on all
// four components unless they say x, y, z.
#pragma once

#include <cstddef>

#include "gfx3d/math/vector_types.h"

// Construction and assignment.
TAffineVector AffineFromXYZ(float x, float y, float z);
void SetAffineVector(TAffineVector& v, float x, float y, float z);
void AssignAffineXYZ(TAffineVector& v, float x, float y, float z);
void AffineVectorCopy(TAffineVector& dest, const TAffineVector& source);
// x, y, z of a homogeneous vector.
void AffineVectorCopyXYZ(TAffineVector& dest, const TVector4f& source);
void SetDoubleVector3(TDoubleVector3& dest, const TAffineVector& source);
TVector4f Vector4FromAffine(const TAffineVector& v, float w);
void SetVectorFromAffine(TVector4f& dest, const TAffineVector& v, float w);
TVector4f Vector4FromXYZW(float x, float y, float z, float w);
void SetVector(TVector4f& dest, float x, float y, float z, float w);
TVector4f PointFromXYZ(float x, float y, float z);
void SetPoint(TVector4f& dest, float x, float y, float z);
TVector4f PointFromAffine(const TAffineVector& v);
void SetPointFromAffine(TVector4f& dest, const TAffineVector& v);
void SetPointFromVector(TVector4f& dest, const TVector4f& v);
void SetDirection(TVector4f& dest, float x, float y, float z);
void SetDirectionFromAffine(TVector4f& dest, const TAffineVector& v);
void SetVectorFromVector(TVector4f& dest, const TVector4f& source);
void ClearVector(TVector4f& v);

// Sums, differences and combinations.
TAffineVector AffineVectorAdd(const TAffineVector& a, const TAffineVector& b);
TVector4f VectorAdd(const TVector4f& a, const TVector4f& b);
void AddAffineVector(TAffineVector& a, const TAffineVector& b);
void AddVector(TVector4f& a, const TVector4f& b);
void TranslateAffineVectorArray(const TAffineVector* source, const TAffineVector& delta, TAffineVector* dest,
                                std::size_t n);
TAffineVector AffineVectorSubtract(const TAffineVector& a, const TAffineVector& b);
void AffineVectorSubtractInto(const TAffineVector& a, const TAffineVector& b, TAffineVector& result);
TVector4f AffineVectorSubtractToVector(const TAffineVector& a, const TAffineVector& b);
TVector4f VectorSubtractXYZ(const TVector4f& a, const TVector4f& b);
TVector4f VectorSubtract(const TVector4f& a, const TVector4f& b);
void VectorSubtract4(const TVector4f& a, const TVector4f& b, TVector4f& result);
void SubtractAffineVector(TAffineVector& a, const TAffineVector& b);
void SubtractVector(TVector4f& a, const TVector4f& b);
void CombineAffineVector(TAffineVector& v, const TAffineVector& w, const float& f);
TAffineVector AffineVectorCombine2(const TAffineVector& a, const TAffineVector& b, float f1, float f2);
TVector4f VectorCombine2(const TVector4f& a, const TVector4f& b, float f1, float f2);
TAffineVector AffineVectorCombine(const TAffineVector& a, const TAffineVector& b, float f);
TVector4f VectorCombine(const TVector4f& a, const TVector4f& b, float f);
TAffineVector AffineVectorLerp(const TAffineVector& a, const TAffineVector& b, float t);
TVector4f VectorLerp(const TVector4f& a, const TVector4f& b, float t);
void VectorLerpInto(const TVector4f& a, const TVector4f& b, float t, TVector4f& result);
void VectorArrayLerp(const TVector4f* a, const TVector4f* b, float t, std::size_t n, TVector4f* dest);
void AffineVectorArrayLerp(const TAffineVector* a, const TAffineVector* b, float t, std::size_t n, TAffineVector* dest);
TAffineVector AffineVectorNegate(const TAffineVector& a);
TVector4f VectorNegate(const TVector4f& a);
void NegateAffineVector(TAffineVector& a);
void NegateVector(TVector4f& a);
void ScaleAffineVector(TAffineVector& a, float f);
void ScaleVector(TVector4f& a, float f);
void ScaleAffineVectorComponents(TAffineVector& a, const TAffineVector& b);
void ScaleVectorComponents(TVector4f& a, const TVector4f& b);
TAffineVector AffineVectorScale(const TAffineVector& a, float f);
TVector4f VectorScale(const TVector4f& a, float f);
void VectorScaleInto(const TVector4f& a, float f, TVector4f& result);
void ScaleFloatArray(float* values, std::size_t n, float factor);
TVector4f VectorAbs(const TVector4f& a);
// A component of a is replaced only when b's is strictly greater.
void ComponentMax(TVector4f& a, const TVector4f& b);

// Products, lengths and distances (x, y, z unless said otherwise).
float AffineVectorDotProduct(const TAffineVector& a, const TAffineVector& b);
float VectorDotProduct3(const TVector4f& a, const TVector4f& b);
float VectorDotProduct(const TVector4f& a, const TVector4f& b);
float PointDistanceAlong(const TAffineVector& p, const TAffineVector& origin, const TAffineVector& direction);
float PointDistanceAlongVector(const TVector4f& p, const TVector4f& origin, const TVector4f& direction);
TAffineVector AffineVectorCrossProduct(const TAffineVector& a, const TAffineVector& b);
void CrossProductAffineInto(const TAffineVector& a, const TAffineVector& b, TAffineVector& result);
void CrossProductInto(const TVector4f& a, const TVector4f& b, TVector4f& result);
TVector4f VectorCrossProduct(const TVector4f& a, const TVector4f& b);
TVector4f VectorCrossProductXYZ(const TAffineVector& a, const TAffineVector& b);
float VectorLength2D(float x, float y);
float SquaredLength2D(float x, float y);
float AffineVectorLength(const TAffineVector& v);
float VectorLength(const TVector4f& v);
float AffineVectorSquaredLength(const TAffineVector& v);
float VectorSquaredLength(const TVector4f& v);
void NormalizeAffineVector(TAffineVector& v);
TAffineVector AffineVectorNormalize(const TAffineVector& v);
void NormalizeAffineVectorArray(TAffineVector* values, std::size_t n);
void NormalizeVector(TVector4f& v);
TVector4f VectorNormalize(const TVector4f& v);
float AngleCosine(const TAffineVector& a, const TAffineVector& b);
float ManhattanDistance(const TAffineVector& a, const TAffineVector& b);
float VectorDistance(const TAffineVector& a, const TAffineVector& b);
float VectorDistance(const TVector4f& a, const TVector4f& b);
float VectorDistanceSquared(const TAffineVector& a, const TAffineVector& b);
float VectorDistanceSquared(const TVector4f& a, const TVector4f& b);
TAffineVector VectorOrthogonalPart(const TAffineVector& v, const TAffineVector& unitNormal);
TAffineVector TriangleNormal(const TAffineVector& p1, const TAffineVector& p2, const TAffineVector& p3);
TVector4f TriangleNormalVector(const TVector4f& p1, const TVector4f& p2, const TVector4f& p3);
void NormalizePlaneEquation(TVector4f& plane);
float EvaluatePlaneAt(const TVector4f& plane, const TAffineVector& point);

// Equality compares bit patterns (+0 and -0 differ, a NaN equals itself);
// the zero tests compare x, y, z with 0 as floats (w is ignored).
bool AffineVectorEquals(const TAffineVector& a, const TAffineVector& b);
bool VectorEquals(const TVector4f& a, const TVector4f& b);
bool VectorEqualsAffine(const TVector4f& a, const TAffineVector& b);
bool AffineVectorIsZero(const TAffineVector& v);
bool VectorIsZero(const TVector4f& v);

// Rotation of y about the vertical axis: x' = c*x + s*z, z' = c*z - s*x.
TAffineVector RotateAboutY(const TAffineVector& v, float angle);
void RotateAboutYInto(const TAffineVector& v, float angle, TAffineVector& result);
