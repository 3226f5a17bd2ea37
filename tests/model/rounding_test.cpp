#include "model/base/rounding.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <utility>
#include <vector>

TEST(Rounding, RoundHalvesToEvenTruncTowardZero) {
  const std::pair<double, std::int64_t> rounded[]{{2.5, 2}, {3.5, 4},       {-2.5, -2},     {-3.5, -4}, {0.5, 0},
                                                  {1.5, 2}, {2.4999999, 2}, {2.5000001, 3}, {-0.4, 0}};
  for (const auto& [value, expected] : rounded) EXPECT_EQ(Round(value), expected) << value;
  EXPECT_EQ(Trunc(2.9), 2);
  EXPECT_EQ(Trunc(-2.9), -2);
}

TEST(Rounding, DamagedValuesStayDefined) {
  constexpr auto max = std::numeric_limits<std::int64_t>::max();
  constexpr auto min = std::numeric_limits<std::int64_t>::min();
  constexpr double inf = std::numeric_limits<double>::infinity();
  const struct {
    double value;
    std::int64_t round, trunc;
  } cases[]{{std::nan(""), 0, 0}, {1e300, max, max}, {-1e300, min, min},
            {inf, max, max},      {-inf, min, min},  {9007199254740993.0, 9007199254740992, 9007199254740992}};
  for (const auto& c : cases) {
    EXPECT_EQ(Round(c.value), c.round) << c.value;
    EXPECT_EQ(Trunc(c.value), c.trunc) << c.value;
  }
}

TEST(SizeKey, ShortestTextWithoutTrailingZerosCommaAndPointAlike) {
  const std::pair<double, const char*> keys[]{{1000.0, "1000"}, {914.4, "914.4"}, {0.1 + 0.2, "0.3"},
                                              {577.0, "577"},   {-0.0, "0"},      {1200.5, "1200.5"}};
  for (const auto& [value, key] : keys) EXPECT_EQ(size_key(value), key) << value;
  // Whatever path it takes, the key is the 15-digit general form without trailing zeros.
  std::mt19937_64 random(7);
  std::vector<double> values{1e15, -1e15, 1e-4, 1e-5, 123456789012345.6, 1.0 / 3, -1770.4, 2e-300, 0.5e15 + 0.5};
  for (int i = 0; i < 2000; ++i) {
    double whole = static_cast<double>(static_cast<std::int64_t>(random() % 4000000) - 2000000);
    values.push_back(whole / 10.0);
    values.push_back(whole / 7.0);
    values.push_back(std::ldexp(static_cast<double>(random() >> 11), static_cast<int>(random() % 120) - 80));
  }
  // The reference is printf's "%.15g" with the separator as "C" writes it,
  // whatever locale the test runs under.
  const char point = *std::localeconv()->decimal_point;
  for (double value : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.15g", value);
    std::replace(std::begin(expected), std::end(expected), point, '.');
    EXPECT_EQ(size_key(value), expected) << value;
  }
  EXPECT_TRUE(keys_equal("914,4", "914.4"));
  EXPECT_TRUE(keys_equal("1000", "1000"));
  EXPECT_FALSE(keys_equal("1000", "1000.0"));
  EXPECT_FALSE(keys_equal("TE", "te"));
}
