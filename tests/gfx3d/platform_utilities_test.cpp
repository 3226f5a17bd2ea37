// The number parser of the mesh readers, power-of-two rounding, platform colours and picture loading.
#include "gfx3d/core/platform_utilities.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(PlatformUtilities, ParsesNumbersAsTheMeshReadersWrite) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  };
  for (const Case& c : {Case{"1.5", true, 1.5}, Case{"1,5", true, 1.5}, Case{"  1.5", true, 1.5},
                        Case{"15e-1", true, 1.5}, Case{"-2.5E+3", true, -2500}, Case{"0 0 7", true, 7},
                        Case{"2.5  ", true, 2.5}, Case{" -1", false, 0}, Case{"1 2", false, 0}, Case{"1e", false, 0},
                        Case{"1.2.3", false, 0}, Case{"abc", false, 0}, Case{"", false, 0}, Case{"1e+x", false, 0}}) {
    double value = 0;
    EXPECT_EQ(TryStrToFloatText(c.text, value), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(value, c.value) << c.text;
    }
  }
  EXPECT_EQ(StrToFloatDef("letters", 3.5), 3.5);
  double huge = 0;
  ASSERT_TRUE(TryStrToFloatText("1e99999999999999999999", huge));
  EXPECT_TRUE(std::isinf(huge)) << "a long exponent saturates";
}

TEST(PlatformUtilities, RoundsUpToPowersOfTwoAndConvertsColours) {
  EXPECT_EQ(RoundUpToPowerOf2(0), 1);
  EXPECT_EQ(RoundUpToPowerOf2(1), 1);
  EXPECT_EQ(RoundUpToPowerOf2(3), 4);
  EXPECT_EQ(RoundUpToPowerOf2(64), 64);
  EXPECT_EQ(GetSqrt255Array()[64], 127);
  const TVector4f red = ConvertWinColor(RGB(255, 0, 0));
  EXPECT_EQ(red.x, 1.0f);
  EXPECT_EQ(red.y, 0.0f);
  EXPECT_EQ(red.w, 1.0f);
  const TVector4f window = ConvertWinColor(static_cast<TColor>(0x80000005), 0.5f);  // system colour 5
  EXPECT_EQ(window.x, 1.0f);
  EXPECT_EQ(window.w, 0.5f);
  EXPECT_EQ(CreateGraphicFromFile("/nonexistent/picture.bmp"), nullptr);
  std::int64_t frequency = 0;
  EXPECT_TRUE(QueryPerformanceFrequency(frequency));
  EXPECT_GT(frequency, 0);
}
