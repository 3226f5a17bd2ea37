#include "model/rounding.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(3.5), 4);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(-3.5), -4);
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.4999999), 2);
  EXPECT_EQ(Round(2.5000001), 3);
  EXPECT_EQ(Round(-0.4), 0);
  // Slot counts of the shelf patterns: Round((H - 200) / 150) + 1.
  EXPECT_EQ(Round((1700 - 200) / 150.0) + 1, 11);
  EXPECT_EQ(Round((2075 - 200) / 150.0) + 1, 13);  // 12.5 -> 12
  EXPECT_EQ(Round((2225 - 200) / 150.0) + 1, 15);  // 13.5 -> 14
}

TEST(Rounding, TruncGoesTowardZero) {
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
}

TEST(Rounding, DamagedValuesStayDefined) {
  constexpr auto max = std::numeric_limits<std::int64_t>::max();
  constexpr auto min = std::numeric_limits<std::int64_t>::min();
  EXPECT_EQ(Round(std::nan("")), 0);
  EXPECT_EQ(Trunc(std::nan("")), 0);
  EXPECT_EQ(Round(1e300), max);
  EXPECT_EQ(Round(-1e300), min);
  EXPECT_EQ(Trunc(std::numeric_limits<double>::infinity()), max);
  EXPECT_EQ(Round(-std::numeric_limits<double>::infinity()), min);
  EXPECT_EQ(Round(9007199254740993.0), 9007199254740992);  // already whole
}

TEST(SizeKey, ShortestTextWithoutTrailingZeros) {
  EXPECT_EQ(size_key(1000.0), "1000");
  EXPECT_EQ(size_key(914.4), "914.4");
  EXPECT_EQ(size_key(0.1 + 0.2), "0.3");
  EXPECT_EQ(size_key(577.0), "577");
  EXPECT_EQ(size_key(-0.0), "0");
  EXPECT_EQ(size_key(1200.5), "1200.5");
  EXPECT_EQ(size_key(4.6 * 1000.0 / 1000.0), "4.6");
}

TEST(SizeKey, CommaAndPointCompareAlike) {
  EXPECT_TRUE(keys_equal("914,4", "914.4"));
  EXPECT_TRUE(keys_equal("1000", "1000"));
  EXPECT_FALSE(keys_equal("1000", "1000.0"));
  EXPECT_FALSE(keys_equal("TE", "te"));
}
