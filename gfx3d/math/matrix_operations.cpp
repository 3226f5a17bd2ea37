#include "gfx3d/math/matrix_operations.h"

#include <cmath>

#include "gfx3d/math/scalar_math.h"
#include "gfx3d/math/vector_operations.h"

namespace {

TAffineVector RowXYZ(const TMatrix4f& m, int r) { return {m[r].x, m[r].y, m[r].z}; }

// The 3x3 determinant of rows 1-3 of m without column skipped.
float MinorOfRow0(const TMatrix4f& m, int skipped) {
  int c[3];
  for (int j = 0, k = 0; j < 4; ++j)
    if (j != skipped) c[k++] = j;
  return Determinant3x3(m[1][c[0]], m[2][c[0]], m[3][c[0]], m[1][c[1]], m[2][c[1]], m[3][c[1]], m[1][c[2]], m[2][c[2]],
                        m[3][c[2]]);
}

// The determinant of m without row `row` and column `column`.
float Minor(const TMatrix4f& m, int row, int column) {
  int r[3], c[3];
  for (int j = 0, k = 0; j < 4; ++j)
    if (j != row) r[k++] = j;
  for (int j = 0, k = 0; j < 4; ++j)
    if (j != column) c[k++] = j;
  return Determinant3x3(m[r[0]][c[0]], m[r[1]][c[0]], m[r[2]][c[0]], m[r[0]][c[1]], m[r[1]][c[1]], m[r[2]][c[1]],
                        m[r[0]][c[2]], m[r[1]][c[2]], m[r[2]][c[2]]);
}

TMatrix4f Transposed(TMatrix4f m) {
  TransposeMatrix(m);
  return m;
}

}  // namespace

TMatrix4f MatrixFromScaleAndOffset(const TAffineVector& scale, const TAffineVector& offset) {
  TMatrix4f m = IdentityMatrix;
  m[0].x = scale.x;
  m[1].y = scale.y;
  m[2].z = scale.z;
  m[3] = {offset.x, offset.y, offset.z, 1};
  return m;
}

TMatrix4f RotationMatrixX(float s, float c) { return {{{{1, 0, 0, 0}, {0, c, s, 0}, {0, -s, c, 0}, {0, 0, 0, 1}}}}; }
TMatrix4f RotationMatrixY(float s, float c) { return {{{{c, 0, -s, 0}, {0, 1, 0, 0}, {s, 0, c, 0}, {0, 0, 0, 1}}}}; }
TMatrix4f RotationMatrixZ(float s, float c) { return {{{{c, s, 0, 0}, {-s, c, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}}; }

TMatrix4f RotationMatrixAxis(const TAffineVector& axis, float angle) {
  const TAffineVector a = AffineVectorNormalize(axis);
  float s, c;
  SinCos(angle, s, c);
  const float t = 1 - c;
  return {{{{t * a.x * a.x + c, t * a.x * a.y - a.z * s, t * a.z * a.x + a.y * s, 0},
            {t * a.x * a.y + a.z * s, t * a.y * a.y + c, t * a.y * a.z - a.x * s, 0},
            {t * a.z * a.x - a.y * s, t * a.y * a.z + a.x * s, t * a.z * a.z + c, 0},
            {0, 0, 0, 1}}}};
}

TMatrix4f RotationMatrixAxisVector(const TVector4f& axis, float angle) {
  return RotationMatrixAxis({axis.x, axis.y, axis.z}, angle);
}

void MatrixMultiply(const TMatrix4f& m1, const TMatrix4f& m2, TMatrix4f& result) {
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) {
      double sum = 0;
      for (int k = 0; k < 4; ++k) sum += static_cast<double>(m1[i][k]) * m2[k][j];
      result[i][j] = static_cast<float>(sum);
    }
}

TMatrix4f MatrixMultiply(const TMatrix4f& m1, const TMatrix4f& m2) {
  TMatrix4f result;
  MatrixMultiply(m1, m2, result);
  return result;
}

void MatrixMultiplyInto(const TMatrix4f& m1, const TMatrix4f& m2, TMatrix4f& result) {
  result = MatrixMultiply(m1, m2);
}

TVector4f VectorTransform(const TVector4f& v, const TMatrix4f& m) {
  TVector4f r;
  for (int j = 0; j < 4; ++j)
    r[j] = static_cast<float>(static_cast<double>(v.x) * m[0][j] + static_cast<double>(v.y) * m[1][j] +
                              static_cast<double>(v.z) * m[2][j] + static_cast<double>(v.w) * m[3][j]);
  return r;
}

TAffineVector AffineVectorTransform(const TAffineVector& v, const TMatrix4f& m) {
  const TVector4f r = VectorTransform(PointFromAffine(v), m);
  return {r.x, r.y, r.z};
}

void RotateVector(TVector4f& v, const TAffineVector& axis, float angle) {
  v = VectorTransform(v, RotationMatrixAxis(axis, angle));
}

float Determinant3x3(float a1, float a2, float a3, float b1, float b2, float b3, float c1, float c2, float c3) {
  auto d = [](float p, float q, float r, float s) { return static_cast<double>(p) * q - static_cast<double>(r) * s; };
  return static_cast<float>(a1 * d(b2, c3, b3, c2) - b1 * d(a2, c3, a3, c2) + c1 * d(a2, b3, a3, b2));
}

float MatrixDeterminant(const TMatrix4f& m) {
  double sum = 0;
  for (int j = 0; j < 4; ++j) sum += (j % 2 == 0 ? 1.0 : -1.0) * m[0][j] * MinorOfRow0(m, j);
  return static_cast<float>(sum);
}

void AdjointMatrix(TMatrix4f& m) {
  TMatrix4f adjoint;
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < 4; ++j) adjoint[j][i] = ((i + j) % 2 == 0 ? 1.0f : -1.0f) * Minor(m, i, j);
  m = adjoint;
}

void ScaleMatrix(TMatrix4f& m, float factor) {
  for (auto& row : m.rows) ScaleVector(row, factor);
}

void TransposeMatrix(TMatrix4f& m) {
  for (int i = 0; i < 4; ++i)
    for (int j = i + 1; j < 4; ++j) std::swap(m[i][j], m[j][i]);
}

void InvertMatrix(TMatrix4f& m) {
  const float determinant = MatrixDeterminant(m);
  if (std::fabs(determinant) < EpsilonTiny) {
    m = IdentityMatrix;
    return;
  }
  AdjointMatrix(m);
  // Dividing each element keeps tiny determinants invertible where their reciprocal would overflow.
  for (auto& row : m.rows)
    for (int j = 0; j < 4; ++j) row[j] = static_cast<float>(row[j] / static_cast<double>(determinant));
}

void TransposeScale3x3(const TMatrix4f& m, TMatrix4f& result, float factor) {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) result[j][i] = factor * m[i][j];
}

void InvertScaledRotationMatrix(const TMatrix4f& m, TMatrix4f& result) {
  const float scale = AffineVectorSquaredLength(RowXYZ(m, 0));
  if (std::fabs(scale) < EpsilonTiny) {
    result = IdentityMatrix;
    return;
  }
  for (int i = 0; i < 3; ++i) result[i].w = 0;
  result[3].w = 1;
  TransposeScale3x3(m, result, 1 / scale);
  for (int j = 0; j < 3; ++j)
    result[3][j] =
        -static_cast<float>(static_cast<double>(result[0][j]) * m[3].x + static_cast<double>(result[1][j]) * m[3].y +
                            static_cast<double>(result[2][j]) * m[3].z);
}

void OrthonormalizeMatrix(TMatrix4f& m) {
  m[0].w = 0;
  NormalizeVector(m[0]);
  m[1].w = 0;
  NormalizeVector(m[1]);
  m[2] = VectorCrossProduct(m[0], m[1]);
  m[0] = VectorCrossProduct(m[1], m[2]);
  m[3] = XHmgPoint;
}

bool UnpackMatrixTransforms(const TMatrix4f& m, TMatrixTransforms& transforms) {
  TMatrix4f local = m;
  if (local[3].w == 0) return false;
  ScaleMatrix(local, 1 / local[3].w);
  TMatrix4f pure = local;
  for (int i = 0; i < 3; ++i) pure[i].w = 0;
  pure[3].w = 1;
  if (MatrixDeterminant(pure) == 0) return false;

  if (local[0].w == 0 && local[1].w == 0 && local[2].w == 0) {
    transforms[ttPerspectiveX] = transforms[ttPerspectiveY] = transforms[ttPerspectiveZ] = transforms[ttPerspectiveW] =
        0;
  } else {
    const TVector4f right{local[0].w, local[1].w, local[2].w, local[3].w};
    InvertMatrix(pure);
    const TVector4f perspective = VectorTransform(right, Transposed(pure));
    for (int i = 0; i < 4; ++i) transforms[ttPerspectiveX + i] = perspective[i];
    for (int i = 0; i < 3; ++i) local[i].w = 0;
    local[3].w = 1;
  }
  for (int i = 0; i < 3; ++i) {
    transforms[ttTranslateX + i] = local[3][i];
    local[3][i] = 0;
  }

  TAffineVector row0 = RowXYZ(local, 0), row1 = RowXYZ(local, 1), row2 = RowXYZ(local, 2);
  transforms[ttScaleX] = AffineVectorSquaredLength(row0);
  ScaleAffineVector(row0, ReciprocalSqrt(transforms[ttScaleX]));

  transforms[ttShearXY] = AffineVectorDotProduct(row0, row1);
  row1 = AffineVectorCombine(row1, row0, -transforms[ttShearXY]);
  transforms[ttScaleY] = AffineVectorSquaredLength(row1);
  ScaleAffineVector(row1, ReciprocalSqrt(transforms[ttScaleY]));
  transforms[ttShearXY] /= transforms[ttScaleY];

  transforms[ttShearXZ] = AffineVectorDotProduct(row0, row2);
  row2 = AffineVectorCombine(row2, row0, -transforms[ttShearXZ]);
  transforms[ttShearYZ] = AffineVectorDotProduct(row1, row2);
  row2 = AffineVectorCombine(row2, row1, -transforms[ttShearYZ]);
  transforms[ttScaleZ] = AffineVectorSquaredLength(row2);
  ScaleAffineVector(row2, ReciprocalSqrt(transforms[ttScaleZ]));
  transforms[ttShearXZ] /= transforms[ttScaleZ];
  transforms[ttShearYZ] /= transforms[ttScaleZ];

  if (AffineVectorDotProduct(row0, AffineVectorCrossProduct(row1, row2)) < 0) {
    for (int i = 0; i < 3; ++i) transforms[ttScaleX + i] = -transforms[ttScaleX + i];
    NegateAffineVector(row0);
    NegateAffineVector(row1);
    NegateAffineVector(row2);
  }

  transforms[ttRotateY] = static_cast<float>(ArcSinExt(-row0.z));
  if (std::cos(transforms[ttRotateY]) == 0) {
    transforms[ttRotateX] = ArcTan2(row1.x, row1.y);
    transforms[ttRotateZ] = 0;
  } else {
    transforms[ttRotateX] = ArcTan2(row1.z, row2.z);
    transforms[ttRotateZ] = ArcTan2(row0.y, row0.x);
  }
  return true;
}
