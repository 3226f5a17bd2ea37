#include "model/units.h"

#include <gtest/gtest.h>

#include "model/globals.h"

TEST(InchFractions, NearestSixtyFourth) {
  EXPECT_EQ(inch_fraction_text(0.5), "1/2 ");
  EXPECT_EQ(inch_fraction_text(0.25), "1/4 ");
  EXPECT_EQ(inch_fraction_text(1.0 / 64), "1/64 ");
  EXPECT_EQ(inch_fraction_text(1.0 / 32), "1/32 ");
  EXPECT_EQ(inch_fraction_text(63.0 / 64), "63/64 ");
  EXPECT_EQ(inch_fraction_text(0.999), "1 ");
  EXPECT_EQ(inch_fraction_text(1.0), "1 ");
  EXPECT_EQ(inch_fraction_text(0.26), "17/64 ");
}

TEST(InchFractions, EndsOfTheRange) {
  EXPECT_EQ(inch_fraction_text(0.005), "0");  // below 1/128
  EXPECT_EQ(inch_fraction_text(0.0), "");
  EXPECT_EQ(inch_fraction_text(-0.2), "");
  EXPECT_EQ(inch_fraction_text(1.01), "");
}

TEST(InchFractions, NearestAgainstTheRoundedReferences) {
  // The references are 0.0156 and 0.0313, halfway 0.02345 (1/64 and 1/32 are halfway at 0.0234375).
  EXPECT_EQ(inch_fraction_text(0.02344), "1/64 ");
  EXPECT_EQ(inch_fraction_text(0.02346), "1/32 ");
}

TEST(FeetAndInches, FourShapes) {
  EXPECT_EQ(format_feet_inches(0.5), "1/2 ");
  EXPECT_EQ(format_feet_inches(1.5), "1\" 1/2 ");
  EXPECT_EQ(format_feet_inches(7.0), "7\" ");
  EXPECT_EQ(format_feet_inches(12.0), "1'");
  EXPECT_EQ(format_feet_inches(30.25), "2'-6\" 1/4 ");
  EXPECT_EQ(format_feet_inches(24.0), "2'");
  EXPECT_EQ(format_feet_inches(24.5), "2'");  // whole feet drop the fraction
  EXPECT_EQ(format_feet_inches(-3.5), "");
  EXPECT_EQ(format_feet_inches(0.0), "");
}

TEST(CatalogueInchTexts, RoundUpToWholeInches) {
  EXPECT_EQ(inch_text_length(1000), "3'-6\" ");  // Ceil(1064 / 25.4) = 42
  EXPECT_EQ(inch_text_height(2000), "6'-8\" ");  // Ceil(2025 / 25.4) = 80
  EXPECT_EQ(inch_text(475), "1'-7\" ");          // Ceil(18.70) = 19
  EXPECT_EQ(inch_text(914.4), "3'");
}

TEST(CatalogueInchTexts, WholeInchSizesStoredWithOneDecimalStayOnTheirInch) {
  EXPECT_EQ(inch_text(609.6), "2'");  // 609.6 / 25.4 is a hair above 24
  EXPECT_EQ(inch_text(76.2), "3\" ");
  EXPECT_EQ(inch_text(609.7), "2'-1\" ");
}

TEST(CatalogueInchTexts, ReverseLookups) {
  LengthList = {700, 974, 1000, 1001};
  WidthList = {300, 475};
  HeightList = {1700, 2000};
  EXPECT_EQ(lookup_length_by_text(inch_text_length(974)), 974.0);
  EXPECT_EQ(lookup_length_by_text("3'-6\" "), 1001.0);  // 1000 and 1001 share 42": the later wins
  EXPECT_EQ(lookup_width_by_text("1'-7\" "), 475.0);
  EXPECT_EQ(lookup_height_by_text("6'-8\" "), 2000.0);
  EXPECT_EQ(lookup_height_by_text("9'"), -1.0);
  EXPECT_EQ(lookup_width_by_text(""), -1.0);
}
