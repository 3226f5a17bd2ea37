#include "model/base/units.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <utility>
#include <vector>

using Texts = std::vector<std::pair<double, std::string>>;

TEST(InchTexts, FractionsToTheNearestSixtyFourth) {
  // The references of 1/64 and 1/32 are 0.0156 and 0.0313 (four decimals, halves up): halfway is 0.02345.
  // Above 0 but below 1/128 gives "0"; outside (0, 1] nothing.
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const Texts fractions{
      {1.0 / 64, "1/64 "}, {1.0 / 32, "1/32 "},   {3.0 / 64, "3/64 "}, {0.25, "1/4 "}, {0.26, "17/64 "},
      {0.5, "1/2 "},       {63.0 / 64, "63/64 "}, {0.999, "1 "},       {1.0, "1 "},    {0.02344, "1/64 "},
      {0.02346, "1/32 "},  {0.005, "0"},          {0.0, ""},           {-0.2, ""},     {1.01, ""},
      {nan, ""},
  };
  for (const auto& [fraction, text] : fractions) EXPECT_EQ(inch_fraction_text(fraction), text) << fraction;
}

TEST(InchTexts, FeetAndInchesInFourShapes) {
  // Whole feet drop the fraction (24.5 -> 2').
  const Texts lengths{
      {0.5, "1/2 "}, {1.5, "1\" 1/2 "}, {7.0, "7\" "}, {12.0, "1'"}, {30.25, "2'-6\" 1/4 "},
      {24.0, "2'"},  {24.5, "2'"},      {-3.5, ""},    {0.0, ""},    {std::numeric_limits<double>::infinity(), ""}};
  for (const auto& [inches, text] : lengths) EXPECT_EQ(format_feet_inches(inches), text) << inches;
}

TEST(InchTexts, CatalogueSizesRoundUpToWholeInches) {
  EXPECT_EQ(inch_text_length(1000), "3'-6\" ");  // Ceil(1064 / 25.4) = 42
  EXPECT_EQ(inch_text_height(2000), "6'-8\" ");  // Ceil(2025 / 25.4) = 80
  // Ceil(18.70) = 19; whole-inch sizes stored with one decimal divide to a hair above their inch.
  const Texts sizes{{475, "1'-7\" "}, {304.8, "1'"}, {609.6, "2'"}, {76.2, "3\" "}, {609.7, "2'-1\" "}};
  for (const auto& [millimetres, text] : sizes) EXPECT_EQ(inch_text(millimetres), text) << millimetres;
}

TEST(InchTexts, ReverseLookupsTakeTheLastSizeWithTheText) {
  const Tdimensioni lengths = {700, 974, 1000, 1001};
  const Tdimensioni widths = {300, 475};
  const Tdimensioni heights = {1700, 2000};
  EXPECT_EQ(lookup_length_by_text(lengths, inch_text_length(974)), 974.0);
  EXPECT_EQ(lookup_length_by_text(lengths, "3'-6\" "), 1001.0);  // 1000 and 1001 share 42"
  EXPECT_EQ(lookup_width_by_text(widths, "1'-7\" "), 475.0);
  EXPECT_EQ(lookup_height_by_text(heights, "6'-8\" "), 2000.0);
  EXPECT_EQ(lookup_height_by_text(heights, "9'"), -1.0);
  EXPECT_EQ(lookup_width_by_text(widths, ""), -1.0);
}
