#include <algorithm>
#include <array>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/math/polynomials.h"
#include "gfx3d/math/splines.h"
#include "gfx3d_fixture.h"

namespace {

using Splines = Gfx3DTest;
using Polynomials = Gfx3DTest;

TEST_F(Splines, PassesThroughItsNodesWithSlopesOfTheRightSign) {
  const float y[] = {0, 1, 0};
  const TCubicSpline spline(y, y, nullptr, nullptr, 3);
  EXPECT_FLOAT_EQ(spline.ValueX(0), 0);
  EXPECT_FLOAT_EQ(spline.ValueX(1), 1);
  EXPECT_NEAR(spline.ValueX(2), 0, 1e-6);  // on the last segment
  EXPECT_GT(spline.SlopeVectorAt(0.5f).x, 0);
  EXPECT_LT(spline.SlopeVectorAt(1.5f).x, 0);
  EXPECT_EQ(spline.AffineVectorAt(1).z, 0);  // no Z array
}

TEST_F(Splines, ExtrapolatesTheEndSegments) {
  const float x[] = {0, 1, 2, 3};
  const TCubicSpline spline(x, nullptr, nullptr, nullptr, 4);
  EXPECT_NEAR(spline.ValueX(-1), -1, 1e-5);  // a straight line stays straight
  EXPECT_NEAR(spline.ValueX(4.5f), 4.5f, 1e-5);
  EXPECT_NEAR(spline.ValueX(2.25f), 2.25f, 1e-5);
}

TEST_F(Splines, FewerThanTwoNodesGiveAConstantOrZero) {
  const float x[] = {7};
  const TCubicSpline single(x, nullptr, nullptr, nullptr, 1);
  EXPECT_EQ(single.ValueX(0), 7);
  EXPECT_EQ(single.ValueX(3), 7);
  EXPECT_EQ(single.SlopeVectorAt(0).x, 0);
  const TCubicSpline empty(nullptr, nullptr, nullptr, nullptr, 0);
  EXPECT_EQ(empty.ValueX(1), 0);
}

TEST_F(Splines, SolveSystemRefusesAnEmptyRightHandSide) {
  EXPECT_THROW(SplineSolveSystem({}), EAssertionFailed);
  const float rhs[] = {3, 6, 3};
  const std::vector<float> slopes = SplineSolveSystem(rhs);
  ASSERT_EQ(slopes.size(), 3u);
  EXPECT_NEAR(slopes[0], 1, 1e-6);  // a line of slope 1 through three nodes
  EXPECT_NEAR(slopes[1], 1, 1e-6);
}

TEST_F(Polynomials, QuadricRootsInOrder) {
  EXPECT_EQ(SolveQuadric(std::array<double, 3>{-1, 0, 1}), (std::vector<double>{1, -1}));
  EXPECT_EQ(SolveQuadric(std::array<double, 3>{1, 2, 1}), (std::vector<double>{-1}));
  EXPECT_TRUE(SolveQuadric(std::array<double, 3>{1, 0, 1}).empty());
}

TEST_F(Polynomials, CubicRootsInOrder) {
  const auto roots = SolveCubic(std::array<double, 4>{-6, 11, -6, 1});
  ASSERT_EQ(roots.size(), 3u);
  EXPECT_NEAR(roots[0], 3, 1e-9);
  EXPECT_NEAR(roots[1], 2, 1e-9);
  EXPECT_NEAR(roots[2], 1, 1e-9);
  const auto one = SolveCubic(std::array<double, 4>{-8, 0, 0, 1});
  ASSERT_EQ(one.size(), 1u);
  EXPECT_NEAR(one[0], 2, 1e-6);                                          // cube roots carry single precision
  EXPECT_EQ(SolveCubic(std::array<double, 4>{-1, 0, 1, 0}).size(), 2u);  // falls back to the quadric
}

TEST_F(Polynomials, QuarticRoots) {
  EXPECT_EQ(SolveQuartic(std::array<double, 5>{0, 0, 0, 0, 1}), (std::vector<double>{0, 0}));
  const auto plusMinusOne = SolveQuartic(std::array<double, 5>{-1, 0, 0, 0, 1});
  ASSERT_EQ(plusMinusOne.size(), 2u);
  EXPECT_NEAR(plusMinusOne[0], 1, 1e-9);
  EXPECT_NEAR(plusMinusOne[1], -1, 1e-9);
  const auto shifted = SolveQuartic(std::array<double, 5>{0, 2, 5, 4, 1});
  ASSERT_EQ(shifted.size(), 4u);
  const double expected[] = {0, -1, -2, -1};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(shifted[i], expected[i], 1e-3) << i;
  EXPECT_TRUE(SolveQuartic(std::array<double, 5>{1, 0, 0, 0, 1}).empty());
}

TEST_F(Polynomials, QuarticWithoutOddPowersFindsEveryRoot) {
  auto roots = SolveQuartic(std::array<double, 5>{4, 0, -5, 0, 1});  // (x^2 - 1)(x^2 - 4)
  ASSERT_EQ(roots.size(), 4u);
  std::sort(roots.begin(), roots.end());
  const double expected[] = {-2, -1, 1, 2};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(roots[i], expected[i], 1e-9) << i;
  EXPECT_EQ(SolveQuartic(std::array<double, 5>{8, 0, -10, 0, 2}).size(), 4u);  // scaled: same roots
  EXPECT_EQ(SolveQuartic(std::array<double, 5>{4, 0, 5, 0, 1}).size(), 0u);    // both squares negative
  EXPECT_EQ(SolveQuartic(std::array<double, 5>{-4, 0, 3, 0, 1}).size(), 2u);   // x^2 = 1 or -4
}

TEST_F(Polynomials, MinPositiveCoef) {
  double value = -1;
  EXPECT_TRUE(MinPositiveCoef(std::vector<double>{-2, 3, 0.5}, value));
  EXPECT_EQ(value, 0.5);
  EXPECT_FALSE(MinPositiveCoef(std::vector<double>{-1, -2}, value));
  EXPECT_FALSE(MinPositiveCoef(std::vector<double>{}, value));
  EXPECT_TRUE(MinPositiveCoef(std::vector<double>{0, 2}, value));
  EXPECT_EQ(value, 0);
}

}  // namespace
