#include "model/plane_vectors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

TEST(PlaneVectors, ToleranceOfComparisons) {
  EXPECT_TRUE(vec_equal(vec_make(1.0, 2.0), vec_make(1.0009, 1.9991)));
  EXPECT_FALSE(vec_equal(vec_make(1.0, 2.0), vec_make(1.002, 2.0)));
  EXPECT_TRUE(vec_same_or_opposite(vec_make(0.0, 1.0), vec_make(0.0, -1.0)));
  EXPECT_TRUE(vec_same_or_opposite(vec_make(0.6, 0.8), vec_make(0.6, 0.8)));
  EXPECT_FALSE(vec_same_or_opposite(vec_make(1.0, 0.0), vec_make(0.0, 1.0)));
  EXPECT_DOUBLE_EQ(vec_length(vec_make(3.0, -4.0)), 5.0);
}

TEST(PlaneVectors, DotOfPerpendicularUnitVectorsIsExactlyZero) {
  double angle = 0.7;
  Tvec2 a = vec_make(std::cos(angle), std::sin(angle));
  Tvec2 b = vec_make(std::cos(angle + std::numbers::pi / 2), std::sin(angle + std::numbers::pi / 2));
  EXPECT_EQ(vec_dot(a, b), 0.0);
  EXPECT_EQ(vec_dot(vec_make(0.0005, 0), vec_make(1, 0)), 0.0);
  EXPECT_EQ(vec_dot(vec_make(2, 3), vec_make(4, -1)), 5.0);
}

TEST(PlaneVectors, NormalizeClearsTinyComponents) {
  Tvec2 r = vec_normalize(vec_make(0.0005, 3.0));
  EXPECT_EQ(r.x, 0.0);
  EXPECT_NEAR(r.y, 1.0, 1e-7);
  r = vec_normalize(vec_make(0.0, 0.0));
  EXPECT_EQ(r.x, 0.0);
  EXPECT_EQ(r.y, 0.0);
  r = vec_normalize(vec_make(-3.0, 4.0));
  EXPECT_DOUBLE_EQ(r.x, -0.6);
  EXPECT_DOUBLE_EQ(r.y, 0.8);
}

TEST(PlaneVectors, SnapAngle) {
  EXPECT_EQ(snap_angle(89.997), 90.0);
  EXPECT_EQ(snap_angle(89.99), 89.99);
  EXPECT_EQ(snap_angle(359.998), 0.0);
  EXPECT_EQ(snap_angle(0.001), 0.001);
  EXPECT_EQ(snap_angle(134.9965), 135.0);
}

TEST(PlaneVectors, SignedAngle) {
  EXPECT_EQ(vec_angle_deg(vec_make(1, 0), vec_make(0, 1)), 90.0);
  EXPECT_EQ(vec_angle_deg(vec_make(0, 1), vec_make(1, 0)), -90.0);
  EXPECT_EQ(vec_angle_deg(vec_make(1, 0), vec_make(-1, 0)), 180.0);
  EXPECT_EQ(vec_angle_deg(vec_make(0, 0), vec_make(1, 0)), 0.0);
  EXPECT_EQ(vec_angle_deg(vec_make(1, 1), vec_make(-1, 1)), 90.0);
}

TEST(PlaneVectors, NearlyParallelVectorsNeverGiveNaN) {
  // Their cosine rounds just above 1 or below -1.
  Tvec2 a = vec_make(0.1 * 3, 0.7 * 3);
  Tvec2 b = vec_make(0.3 * 7, 2.1 * 7);
  double same = vec_angle_deg(a, b);
  EXPECT_FALSE(std::isnan(same));
  EXPECT_NEAR(same, 0.0, 1e-6);
  double opposite = vec_angle_deg(a, vec_make(-b.x, -b.y));
  EXPECT_FALSE(std::isnan(opposite));
  EXPECT_NEAR(std::fabs(opposite), 180.0, 1e-6);
}

TEST(DoubleArrays, ReverseAndAlternateEnds) {
  std::vector<double> values{1, 2, 3, 4, 5};
  reverse_doubles(values);
  EXPECT_EQ(values, (std::vector<double>{5, 4, 3, 2, 1}));

  std::vector<double> five{1, 2, 3, 4, 5};
  alternate_ends(five);
  EXPECT_EQ(five, (std::vector<double>{1, 3, 5, 4, 2}));
  std::vector<double> four{1, 2, 3, 4};
  alternate_ends(four);
  EXPECT_EQ(four, (std::vector<double>{1, 3, 4, 2}));
  std::vector<double> two{7, 8};
  alternate_ends(two);
  EXPECT_EQ(two, (std::vector<double>{7, 8}));
  std::vector<double> none;
  alternate_ends(none);
  EXPECT_TRUE(none.empty());
}
