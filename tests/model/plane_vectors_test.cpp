#include "model/base/plane_vectors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

TEST(PlaneVectors, ComparisonsAndProductsUseTheTolerance) {
  EXPECT_TRUE(vec_equal(vec_make(1.0, 2.0), vec_make(1.0009, 1.9991)));
  EXPECT_FALSE(vec_equal(vec_make(1.0, 2.0), vec_make(1.002, 2.0)));
  EXPECT_TRUE(vec_same_or_opposite(vec_make(0.6, 0.8), vec_make(-0.6, -0.8)));
  EXPECT_FALSE(vec_same_or_opposite(vec_make(1.0, 0.0), vec_make(0.0, 1.0)));
  EXPECT_EQ(vec_dot(vec_make(2, 3), vec_make(4, -1)), 5.0);
  EXPECT_EQ(vec_dot(vec_make(0.0005, 0), vec_make(1, 0)), 0.0);
  // Perpendicular unit vectors computed in floating point.
  const double a = 0.7, b = a + std::numbers::pi / 2;
  EXPECT_EQ(vec_dot(vec_make(std::cos(a), std::sin(a)), vec_make(std::cos(b), std::sin(b))), 0.0);
}

TEST(PlaneVectors, NormalizeClearsTinyComponents) {
  Tvec2 r = vec_normalize(vec_make(0.0005, 3.0));
  EXPECT_EQ(r.x, 0.0);
  EXPECT_NEAR(r.y, 1.0, 1e-7);
  r = vec_normalize(vec_make(0.0, 0.0));
  EXPECT_TRUE(r.x == 0.0 && r.y == 0.0);
  r = vec_normalize(vec_make(-3.0, 4.0));
  EXPECT_TRUE(r.x == -0.6 && r.y == 0.8);
}

TEST(PlaneVectors, AnglesSnapToMultiplesOf30And45) {
  const std::pair<double, double> snaps[]{{89.997, 90}, {89.99, 89.99}, {359.998, 0}, {0.001, 0.001}, {134.9965, 135}};
  for (const auto& [angle, snapped] : snaps) EXPECT_EQ(snap_angle(angle), snapped) << angle;

  EXPECT_EQ(vec_angle_deg(vec_make(1, 0), vec_make(0, 1)), 90.0);
  EXPECT_EQ(vec_angle_deg(vec_make(0, 1), vec_make(1, 0)), -90.0);
  EXPECT_EQ(vec_angle_deg(vec_make(1, 0), vec_make(-1, 0)), 180.0);
  EXPECT_EQ(vec_angle_deg(vec_make(1, 1), vec_make(-1, 1)), 90.0);
  EXPECT_EQ(vec_angle_deg(vec_make(0, 0), vec_make(1, 0)), 0.0);
  // Nearly parallel vectors whose cosine rounds just beyond ±1 never give NaN.
  const Tvec2 p = vec_make(0.1 * 3, 0.7 * 3), q = vec_make(0.3 * 7, 2.1 * 7);
  EXPECT_NEAR(vec_angle_deg(p, q), 0.0, 1e-6);
  EXPECT_NEAR(std::fabs(vec_angle_deg(p, vec_make(-q.x, -q.y))), 180.0, 1e-6);
}

TEST(DoubleArrays, ReverseAndAlternateEnds) {
  std::vector<double> values{1, 2, 3, 4, 5};
  reverse_doubles(values);
  EXPECT_EQ(values, (std::vector<double>{5, 4, 3, 2, 1}));

  const std::vector<std::pair<std::vector<double>, std::vector<double>>> arranged{
      {{1, 2, 3, 4, 5}, {1, 3, 5, 4, 2}}, {{1, 2, 3, 4}, {1, 3, 4, 2}}, {{7, 8}, {7, 8}}, {{7}, {7}}, {{}, {}}};
  for (auto [input, expected] : arranged) {
    alternate_ends(input);
    EXPECT_EQ(input, expected);
  }
}
