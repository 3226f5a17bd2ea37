#include <cmath>
#include <limits>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/vector_geometry.h"
#include "gfx3d_fixture.h"

namespace {

using VectorMath = Gfx3DTest;

void ExpectMatrixNear(const TMatrix4f& actual, const TMatrix4f& expected, float tolerance = 1e-6f) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(actual[r][c], expected[r][c], tolerance) << "m[" << r << "][" << c << "]";
}

void ExpectQuaternionNear(const TQuaternion& a, const TQuaternion& b, float tolerance = 1e-6f) {
  EXPECT_NEAR(a.x, b.x, tolerance);
  EXPECT_NEAR(a.y, b.y, tolerance);
  EXPECT_NEAR(a.z, b.z, tolerance);
  EXPECT_NEAR(a.w, b.w, tolerance);
}

TMatrix4f Diagonal(float a) {
  TMatrix4f m = IdentityMatrix;
  m[0].x = a;
  return m;
}

TEST_F(VectorMath, ThresholdConstantsAreTheSingleConversions) {
  EXPECT_EQ(EpsilonTiny, static_cast<float>(1e-40));
  EXPECT_LT(EpsilonTiny, std::numeric_limits<float>::min());  // a denormal
  EXPECT_EQ(EpsilonSmall, static_cast<float>(1e-30));
}

TEST_F(VectorMath, EqualityComparesBitPatternsAndZeroTestsIgnoreW) {
  EXPECT_FALSE(VectorEquals({0, 0, 0, 0}, {-0.0f, 0, 0, 0}));
  const float nan = std::nanf("");
  EXPECT_TRUE(VectorEquals({nan, 1, 2, 3}, {nan, 1, 2, 3}));
  EXPECT_TRUE(VectorIsZero({-0.0f, 0, 0, 5}));
  EXPECT_FALSE(AffineVectorIsZero({0, 1e-45f, 0}));
}

TEST_F(VectorMath, ProductsAndLengths) {
  const TAffineVector a{1, 2, 3}, b{4, 5, 6};
  EXPECT_EQ(AffineVectorDotProduct(a, b), 32);
  const TAffineVector cross = AffineVectorCrossProduct(a, b);
  EXPECT_TRUE(AffineVectorEquals(cross, {-3, 6, -3}));
  EXPECT_EQ(VectorCrossProduct({1, 0, 0, 7}, {0, 1, 0, 7}).w, 0);
  EXPECT_EQ(AffineVectorLength({3, 4, 12}), 13);
  EXPECT_EQ(ManhattanDistance(a, b), 9);
  EXPECT_FLOAT_EQ(AngleCosine({1, 0, 0}, {1, 1, 0}), std::sqrt(0.5f));
  const TAffineVector normal = TriangleNormal({0, 0, 0}, {2, 0, 0}, {0, 3, 0});
  EXPECT_TRUE(AffineVectorEquals(normal, {0, 0, 1}));
  EXPECT_EQ(VectorDotProduct({1, 2, 3, 4}, {1, 1, 1, 2}), 14);
}

TEST_F(VectorMath, NormalizingAZeroVectorGivesNonFiniteComponents) {
  TAffineVector zero{0, 0, 0};
  NormalizeAffineVector(zero);
  EXPECT_FALSE(std::isfinite(zero.x));
  TVector4f v{3, 0, 4, 1};
  NormalizeVector(v);
  EXPECT_FLOAT_EQ(v.x, 0.6f);
  EXPECT_FLOAT_EQ(v.z, 0.8f);
  EXPECT_EQ(v.w, 0);
}

TEST_F(VectorMath, ComponentMaxReplacesOnlyStrictlyGreater) {
  TVector4f a{1, -0.0f, 3, 4};
  ComponentMax(a, {2, 0.0f, 1, 4});
  EXPECT_TRUE(VectorEquals(a, {2, -0.0f, 3, 4}));
}

TEST_F(VectorMath, ArrayFormsMatchTheSingleItemForms) {
  TAffineVector items[3] = {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
  TranslateAffineVectorArray(items, {1, 1, 1}, items, 3);
  EXPECT_TRUE(AffineVectorEquals(items[2], {8, 9, 10}));
  float values[5] = {1, 2, 3, 4, 5};
  ScaleFloatArray(values, 5, 2);
  EXPECT_EQ(values[4], 10);
  TAffineVector from[2] = {{0, 0, 0}, {2, 2, 2}}, to[2] = {{2, 4, 6}, {4, 4, 4}}, mid[2];
  AffineVectorArrayLerp(from, to, 0.5f, 2, mid);
  EXPECT_TRUE(AffineVectorEquals(mid[0], {1, 2, 3}));
  EXPECT_TRUE(AffineVectorEquals(mid[1], {3, 3, 3}));
}

TEST_F(VectorMath, RotationMatricesTurnAsDocumented) {
  const float angle = 0.7f;
  ExpectMatrixNear(RotationMatrixAxis(ZVector, angle), RotationMatrixZ(std::sin(-angle), std::cos(-angle)));
  // Row-vector convention: x turns towards y under RotationMatrixZ.
  const TAffineVector turned = AffineVectorTransform({1, 0, 0}, RotationMatrixZ(1, 0));
  EXPECT_NEAR(turned.y, 1, 1e-7);
  TAffineVector axis{0, 0, 5};
  RotationMatrixAxis(axis, angle);
  EXPECT_EQ(axis.z, 5);  // the caller's axis is left alone
}

TEST_F(VectorMath, MatrixProductAppliesTheLeftOperandFirst) {
  const TMatrix4f move = MatrixFromScaleAndOffset({1, 1, 1}, {10, 0, 0});
  const TMatrix4f scale = MatrixFromScaleAndOffset({2, 2, 2}, {0, 0, 0});
  const TAffineVector p = AffineVectorTransform({1, 0, 0}, MatrixMultiply(move, scale));
  EXPECT_EQ(p.x, 22);
  TMatrix4f m = move;
  MatrixMultiplyInto(m, scale, m);
  ExpectMatrixNear(m, MatrixMultiply(move, scale));
}

TEST_F(VectorMath, InvertMatrixTurnsNearSingularMatricesIntoTheIdentity) {
  TMatrix4f tiny = Diagonal(5e-41f);
  InvertMatrix(tiny);
  ExpectMatrixNear(tiny, IdentityMatrix, 0);
  TMatrix4f small = Diagonal(1e-20f);
  small[1].y = 1e-19f;  // determinant 1e-39
  InvertMatrix(small);
  EXPECT_NEAR(small[0].x, 1e20f, 1e15f);
  EXPECT_NEAR(small[1].y, 1e19f, 1e14f);
}

TEST_F(VectorMath, InvertMatrixGivesTheInverse) {
  TMatrix4f m = MatrixMultiply(RotationMatrixAxis({1, 2, 3}, 0.4f), MatrixFromScaleAndOffset({2, 3, 4}, {5, -6, 7}));
  TMatrix4f inverse = m;
  InvertMatrix(inverse);
  ExpectMatrixNear(MatrixMultiply(m, inverse), IdentityMatrix, 1e-5f);
  EXPECT_NEAR(MatrixDeterminant(m), 24, 1e-4);
}

TEST_F(VectorMath, InvertScaledRotationMatrixUndoesRotationScaleAndMove) {
  TMatrix4f m = MatrixMultiply(RotationMatrixAxis({0, 1, 1}, 1.1f), MatrixFromScaleAndOffset({3, 3, 3}, {1, 2, 3}));
  TMatrix4f inverse;
  InvertScaledRotationMatrix(m, inverse);
  ExpectMatrixNear(MatrixMultiply(m, inverse), IdentityMatrix, 1e-5f);
  InvertScaledRotationMatrix(ZeroMatrix, inverse);
  ExpectMatrixNear(inverse, IdentityMatrix, 0);
}

TEST_F(VectorMath, OrthonormalizeMatrixGivesUnitPerpendicularRows) {
  TMatrix4f m{{{{2, 0, 0, 9}, {0, 3, 0.5f, 9}, {5, 5, 5, 9}, {7, 7, 7, 9}}}};
  OrthonormalizeMatrix(m);
  for (int r = 0; r < 3; ++r) EXPECT_NEAR(VectorLength(m[r]), 1, 1e-6) << "row " << r;
  EXPECT_NEAR(VectorDotProduct(m[0], m[1]), 0, 1e-6);
  EXPECT_NEAR(VectorDotProduct(m[1], m[2]), 0, 1e-6);
  EXPECT_EQ(m[0].w, 0);
  EXPECT_TRUE(VectorEquals(m[3], XHmgPoint));
}

TEST_F(VectorMath, UnpackMatrixTransformsRecoversRotationAndTranslation) {
  TMatrix4f m =
      MatrixMultiply(RotationMatrixX(std::sin(0.3f), std::cos(0.3f)), RotationMatrixZ(std::sin(0.5f), std::cos(0.5f)));
  m[3] = {4, 5, 6, 1};
  TMatrixTransforms t{};
  ASSERT_TRUE(UnpackMatrixTransforms(m, t));
  EXPECT_NEAR(t[ttRotateX], 0.3f, 1e-5);
  EXPECT_NEAR(t[ttRotateZ], 0.5f, 1e-5);
  EXPECT_NEAR(t[ttRotateY], 0, 1e-5);
  EXPECT_EQ(t[ttTranslateY], 5);
  EXPECT_FALSE(UnpackMatrixTransforms(ZeroMatrix, t));
}

TEST_F(VectorMath, NormalizeQuaternionOfNegligibleMagnitudeGivesTheIdentity) {
  TQuaternion zero{0, 0, 0, 0};
  NormalizeQuaternion(zero);
  ExpectQuaternionNear(zero, IdentityQuaternion, 0);
  TQuaternion small{0, 0, 0, EpsilonSmall};
  NormalizeQuaternion(small);
  ExpectQuaternionNear(small, IdentityQuaternion, 0);
  TQuaternion q{0, 0, 3, 4};
  NormalizeQuaternion(q);
  ExpectQuaternionNear(q, {0, 0, 0.6f, 0.8f});
  // Squares below the single range still count: the sum is kept wide until the root.
  TQuaternion tiny{1e-25f, 0, 0, 0};
  NormalizeQuaternion(tiny);
  ExpectQuaternionNear(tiny, {1, 0, 0, 0});
  EXPECT_FLOAT_EQ(QuaternionMagnitude({3e-22f, 0, 4e-22f, 0}), 5e-22f);
}

TEST_F(VectorMath, QuaternionSlerpTakesTheShorterArc) {
  const TQuaternion q = QuaternionFromAngleAxis({1, 1, 0}, 40);
  const TQuaternion negated{-q.x, -q.y, -q.z, -q.w};
  ExpectQuaternionNear(QuaternionSlerp(q, negated, 0.5f), q);
  const TQuaternion half = QuaternionSlerp(IdentityQuaternion, QuaternionFromAngleAxis(ZVector, 90), 0.5f);
  ExpectQuaternionNear(half, QuaternionFromAngleAxis(ZVector, 45));
}

TEST_F(VectorMath, QuaternionMatrixAgreesWithTheAxisRotation) {
  const TQuaternion q = QuaternionFromAngleAxis({0, 0, 2}, 90);
  // The quaternion matrix turns like RotationMatrixZ, so x goes to y.
  const TAffineVector turned = AffineVectorTransform({1, 0, 0}, MatrixFromQuaternion(q));
  EXPECT_NEAR(turned.x, 0, 1e-6);
  EXPECT_NEAR(turned.y, 1, 1e-6);
}

TEST_F(VectorMath, EulerOrderPlacesEachRotationInItsSlot) {
  const TQuaternion qx = QuaternionFromAngleAxis(XVector, 10);
  const TQuaternion qy = QuaternionFromAngleAxis(YVector, 20);
  const TQuaternion qz = QuaternionFromAngleAxis(ZVector, 30);
  ExpectQuaternionNear(QuaternionFromEulerAngles(eulZYX, 10, 20, 30),
                       QuaternionMultiply(qz, QuaternionMultiply(qy, qx)));
  ExpectQuaternionNear(QuaternionFromEulerAngles(eulXYZ, 10, 20, 30),
                       QuaternionMultiply(qx, QuaternionMultiply(qy, qz)));
  ExpectQuaternionNear(QuaternionFromEulerAngles(eulYZX, 10, 20, 30),
                       QuaternionMultiply(qz, QuaternionMultiply(qx, qy)));
}

// At the lock the result is the slerp midpoint of the orientations 0.001
// degrees either side. That is the direct product's orientation too, but
// rounded otherwise at these angles, so the exact comparisons tell the two
// ways apart, for the middle axis of each order.
TEST_F(VectorMath, EulerWrappedAvoidsTheGimbalLock) {
  struct Case {
    TEulerOrder order;
    float x, y, z;  // as given
    TAffineVector below, above;
  };
  for (const Case& c : {Case{eulXYZ, 30, 90, 20, {30, 89.999f, 20}, {30, 90.001f, 20}},
                        Case{eulXYZ, 30, 450, 20, {30, 89.999f, 20}, {30, 90.001f, 20}},
                        Case{eulZYX, 30, -270, 20, {30, 89.999f, 20}, {30, 90.001f, 20}},
                        Case{eulYXZ, 90, 30, 20, {89.999f, 30, 20}, {90.001f, 30, 20}},
                        Case{eulXZY, 30, 20, 90, {30, 20, 89.999f}, {30, 20, 90.001f}}}) {
    SCOPED_TRACE(testing::Message() << "order " << c.order << " (" << c.x << ", " << c.y << ", " << c.z << ")");
    const TQuaternion expected =
        QuaternionSlerp(QuaternionFromEulerAngles(c.order, c.below.x, c.below.y, c.below.z),
                        QuaternionFromEulerAngles(c.order, c.above.x, c.above.y, c.above.z), 0.5f);
    ExpectQuaternionNear(QuaternionFromEulerWrapped(c.order, c.x, c.y, c.z), expected, 0);
  }
  ExpectQuaternionNear(QuaternionFromEulerWrapped(eulXYZ, 400, 0, 0), QuaternionFromEulerAngles(eulXYZ, 40, 0, 0));
  EXPECT_THROW(QuaternionFromEulerWrapped(static_cast<TEulerOrder>(6), 0, 0, 0), EAssertionFailed);
}

TEST_F(VectorMath, AnglesSlerpOfEqualTriplesCopiesThem) {
  TAffineVector result;
  const TAffineVector angles{0.1f, 0.2f, 0.3f};
  AnglesSlerp(angles, angles, result, 0.5f);
  EXPECT_TRUE(AffineVectorEquals(result, angles));
  AnglesSlerp({0, 0, 0}, {0, 0, 1}, result, 0.5f);
  EXPECT_NEAR(result.z, 0.5f, 1e-5);
}

TEST_F(VectorMath, RayPlaneIntersectionWithoutHitRecordOnlyTestsParallelism) {
  const TVector4f start{0, 0, 5, 1}, up{0, 0, 1, 0}, planePoint{0, 0, 0, 1}, normal{0, 0, 1, 0};
  EXPECT_TRUE(RayPlaneIntersection(start, up, planePoint, normal));
  TVector4f hit;
  EXPECT_FALSE(RayPlaneIntersection(start, up, planePoint, normal, &hit));
  EXPECT_TRUE(RayPlaneIntersection(start, {0, 0, -1, 0}, planePoint, normal, &hit));
  EXPECT_EQ(hit.z, 0);
  EXPECT_FALSE(RayPlaneIntersection(start, {1, 0, 0, 0}, planePoint, normal));
}

TEST_F(VectorMath, RayTriangleIntersection) {
  TVector4f hit;
  TAffineVector normal;
  EXPECT_TRUE(
      RayTriangleIntersection({0.2f, 0.2f, 5, 1}, {0, 0, -1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}, &hit, &normal));
  EXPECT_NEAR(hit.x, 0.2f, 1e-6);
  EXPECT_NEAR(hit.z, 0, 1e-6);
  EXPECT_TRUE(AffineVectorEquals(normal, {0, 0, 1}));
  EXPECT_FALSE(RayTriangleIntersection({0.8f, 0.8f, 5, 1}, {0, 0, -1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}));
  EXPECT_FALSE(RayTriangleIntersection({0.2f, 0.2f, 5, 1}, {0, 0, 1, 0}, {0, 0, 0}, {1, 0, 0}, {0, 1, 0}));
}

TEST_F(VectorMath, RaySphereIntersectionCountsHits) {
  TVector4f i1, i2;
  EXPECT_EQ(RaySphereIntersection({0, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 1);
  EXPECT_EQ(i1.x, 2);
  EXPECT_EQ(RaySphereIntersection({-5, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 2);
  EXPECT_EQ(i1.x, -2);
  EXPECT_EQ(i2.x, 2);
  EXPECT_EQ(RaySphereIntersection({5, 0, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 0);
  EXPECT_EQ(RaySphereIntersection({-5, 2, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 1);  // tangent
  EXPECT_EQ(RaySphereIntersection({-5, 3, 0, 1}, {1, 0, 0, 0}, {0, 0, 0, 1}, 2, i1, i2), 0);
}

TEST_F(VectorMath, SphereApparentRadius) { EXPECT_NEAR(SphereApparentRadius(5, 3), 3.0f * 5 / 4, 1e-5); }

TEST_F(VectorMath, FrustumCullingOfSpheresAndBoxes) {
  TClippingInfo info;
  FrustumFromMatrix(IdentityMatrix, info.frustum);  // the cube -1..1
  EXPECT_TRUE(VectorEquals(info.frustum.pLeft, {1, 0, 0, 1}));
  EXPECT_TRUE(VectorEquals(info.frustum.pFar, {0, 0, -1, 1}));
  EXPECT_FALSE(IsSphereOutsideFrustum({0, 0, 0, 1}, info, 0.1f));
  EXPECT_FALSE(IsSphereOutsideFrustumAffine({1.5f, 0, 0}, info, 1));
  EXPECT_TRUE(IsSphereOutsideFrustumAffine({3, 0, 0}, info, 1));
  EXPECT_TRUE(IsBoxOutsideFrustum({5, 5, 5}, {6, 6, 6}, info));
  EXPECT_FALSE(IsBoxOutsideFrustum({0.5f, 0.5f, 0.5f}, {3, 3, 3}, info));
}

}  // namespace
