#include "gfx3d/math/scalar_math.h"

#include <cmath>
#include <limits>
#include <vector>

#include "gfx3d/core/library_errors.h"
#include "gfx3d_fixture.h"

namespace {

using ScalarMath = Gfx3DTest;

TEST_F(ScalarMath, IntegerConversionsRoundHalfToEvenAndTruncateTowardZero) {
  EXPECT_EQ(RoundSingle(2.5f), 2);
  EXPECT_EQ(RoundSingle(3.5f), 4);
  EXPECT_EQ(RoundSingle(-2.5f), -2);
  EXPECT_EQ(TruncSingle(-2.7f), -2);
  EXPECT_EQ(TruncSingle(2.7f), 2);
  EXPECT_EQ(RoundToIntegralSingle(0.5f), 0.0f);
  EXPECT_EQ(RoundToIntegralSingle(1.5f), 2.0f);
  EXPECT_FLOAT_EQ(FracSingle(-1.25f), -0.25f);
  EXPECT_EQ(TruncExt(-3.9L), -3.0L);
}

TEST_F(ScalarMath, OutOfRangeConversionsGiveTheIndefiniteInteger) {
  constexpr auto indefinite = std::numeric_limits<std::int32_t>::min();
  EXPECT_EQ(RoundSingle(3e9f), indefinite);
  EXPECT_EQ(TruncSingle(-3e9f), indefinite);
  EXPECT_EQ(RoundSingle(std::numeric_limits<float>::quiet_NaN()), indefinite);
  EXPECT_EQ(TruncSingle(-2147483648.0f), indefinite);
}

TEST_F(ScalarMath, SignTreatsNegativeZeroAsZero) {
  EXPECT_EQ(SignSingle(-0.0f), 0);
  EXPECT_EQ(SignSingle(-3.0f), -1);
  EXPECT_EQ(SignSingle(1e-40f), 1);
}

TEST_F(ScalarMath, PowerSingleSpecialCases) {
  EXPECT_EQ(PowerSingle(0, 0), 1);
  EXPECT_EQ(PowerSingle(0, 2), 0);
  EXPECT_EQ(PowerSingle(2, -2), 0.25f);
  EXPECT_FLOAT_EQ(PowerSingle(2, 0.5f), std::sqrt(2.0f));
  EXPECT_EQ(PowerSingle(-2, 3), -8);
  EXPECT_TRUE(std::isnan(PowerSingle(-2, 0.5f)));
  EXPECT_TRUE(std::isinf(PowerSingle(2, 1e10f)));
  EXPECT_EQ(IntPower(2, std::numeric_limits<std::int32_t>::min()), 0.0L);
}

TEST_F(ScalarMath, WrapAngleDegreesKeepsTheBoundaries) {
  EXPECT_EQ(WrapAngleDegrees(540), 180);
  EXPECT_EQ(WrapAngleDegrees(-540), -180);
  EXPECT_EQ(WrapAngleDegrees(190), -170);
  EXPECT_EQ(WrapAngleDegrees(-190), 170);
  EXPECT_EQ(WrapAngleDegrees(180), 180);
  EXPECT_EQ(WrapAngleDegrees(-180), -180);
  EXPECT_EQ(WrapAngleDegrees(450), 90);
  EXPECT_EQ(WrapAngleDegrees(720), 0);
}

TEST_F(ScalarMath, FillSinCosTableWithOneEntryHoldsTheStart) {
  std::vector<float> sines(1), cosines(1);
  FillSinCosTable(sines, cosines, 30, 90);
  EXPECT_FLOAT_EQ(sines[0], 0.5f);
  EXPECT_FLOAT_EQ(cosines[0], std::sqrt(3.0f) / 2);
}

TEST_F(ScalarMath, FillSinCosTableFollowsTheCircleByRecurrenceAndDirectly) {
  for (std::size_t entries : {91u, 1001u}) {
    std::vector<float> sines(entries), cosines(entries);
    FillSinCosTable(sines, cosines, 0, 90);
    for (std::size_t i = 0; i < entries; ++i) {
      const double angle = static_cast<double>(i) * (3.14159265358979 / 2) / static_cast<double>(entries - 1);
      EXPECT_NEAR(sines[i], std::sin(angle), 1e-5) << entries << " entries, index " << i;
      EXPECT_NEAR(cosines[i], std::cos(angle), 1e-5) << entries << " entries, index " << i;
    }
  }
}

TEST_F(ScalarMath, FillSinCosTableRefusesTablesOfDifferentLengths) {
  std::vector<float> sines(3), cosines(4);
  EXPECT_THROW(FillSinCosTable(sines, cosines, 0, 90), EAssertionFailed);
}

TEST_F(ScalarMath, AnglesAndInverseFunctions) {
  EXPECT_FLOAT_EQ(DegToRad(180), 3.14159265f);
  EXPECT_FLOAT_EQ(RadToDeg(cPIdiv2), 90);
  EXPECT_FLOAT_EQ(ArcCos(0), cPIdiv2);
  EXPECT_NEAR(static_cast<double>(ArcSinExt(0.5L)), 3.14159265358979 / 6, 1e-15);
  EXPECT_FLOAT_EQ(ArcTan2(1, -1), 3 * 3.14159265f / 4);
  float s, c;
  SinCosRadius(cPIdiv2, 3, s, c);
  EXPECT_FLOAT_EQ(s, 3);
  EXPECT_NEAR(c, 0, 1e-6);
  EXPECT_EQ(ClampSingle(5, 0, 1), 1);
  EXPECT_EQ(ClampSingle(-5, 0, 1), 0);
  EXPECT_EQ(Lerp(2, 4, 0.25f), 2.5f);
}

}  // namespace
