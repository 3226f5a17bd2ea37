// 4x4 matrices under the row-vector convention v' = v * M: construction,
// products, transforms of vectors, determinants, inversion and unpacking.
#pragma once

#include "gfx3d/math/vector_types.h"

TMatrix4f MatrixFromScaleAndOffset(const TAffineVector& scale, const TAffineVector& offset);
TMatrix4f RotationMatrixX(float sine, float cosine);
TMatrix4f RotationMatrixY(float sine, float cosine);
TMatrix4f RotationMatrixZ(float sine, float cosine);
// Turns in the opposite sense to RotationMatrixX/Y/Z for the same axis and angle.
TMatrix4f RotationMatrixAxis(const TAffineVector& axis, float angle);
TMatrix4f RotationMatrixAxisVector(const TVector4f& axis, float angle);

// M1 * M2: v * (M1 * M2) applies M1 first. The result may not alias an operand.
void MatrixMultiply(const TMatrix4f& m1, const TMatrix4f& m2, TMatrix4f& result);
TMatrix4f MatrixMultiply(const TMatrix4f& m1, const TMatrix4f& m2);
// The same, safe when the result is one of the operands.
void MatrixMultiplyInto(const TMatrix4f& m1, const TMatrix4f& m2, TMatrix4f& result);

TVector4f VectorTransform(const TVector4f& v, const TMatrix4f& m);
// w taken as 1, column 3 ignored.
TAffineVector AffineVectorTransform(const TAffineVector& v, const TMatrix4f& m);
// In place: v := v * RotationMatrixAxis(axis, angle), all four components.
void RotateVector(TVector4f& v, const TAffineVector& axis, float angle);

float Determinant3x3(float a1, float a2, float a3, float b1, float b2, float b3, float c1, float c2, float c3);
float MatrixDeterminant(const TMatrix4f& m);
// In place: the classical adjoint, so that M * adj(M) = det(M) * I.
void AdjointMatrix(TMatrix4f& m);
void ScaleMatrix(TMatrix4f& m, float factor);
void TransposeMatrix(TMatrix4f& m);
// In place; a matrix whose determinant is below EpsilonTiny becomes the identity.
void InvertMatrix(TMatrix4f& m);
// R's 3x3 block := factor * transpose of M's 3x3 block; R's other elements untouched.
void TransposeScale3x3(const TMatrix4f& m, TMatrix4f& result, float factor);
// Inverse of a rotation with uniform scale and translation.
void InvertScaledRotationMatrix(const TMatrix4f& m, TMatrix4f& result);
void OrthonormalizeMatrix(TMatrix4f& m);
// Scale, shear, rotation, translation and perspective of a matrix; false when singular.
bool UnpackMatrixTransforms(const TMatrix4f& m, TMatrixTransforms& transforms);
