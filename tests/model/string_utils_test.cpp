#include "model/base/string_utils.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(StringUtils, CellNameMultiplierCountsAMalformedMarkerOnce) {
  const std::vector<std::pair<std::string, int>> cases{
      {"Archive ( X 2 )", 2}, {"Store (x3)", 3},  {"Store (X12) north", 12},   {"Store", 1},
      {"Store (x0)", 0},      {"Store (x)", 1},   {"Store (xa)", 1},           {"Store (x3", 1},
      {"a) Store (x3", 1},    {"Store (x-2)", 1}, {"Store (x99999999999)", 1},
  };
  for (const auto& [name, multiplier] : cases) EXPECT_EQ(parse_multiplier(name), multiplier) << name;
}

TEST(StringUtils, SplitKeepsEmptyParts) {
  EXPECT_EQ(split_to_string_list("400-500,5", "-"), (Tstringlist{"400", "500,5"}));
  EXPECT_EQ(split_to_string_list("a--b--", "--"), (Tstringlist{"a", "b", ""}));
  EXPECT_EQ(split_to_string_list("", "-"), (Tstringlist{""}));
}

TEST(StringUtils, ATypedNumberIsFiniteAndWholeOrItIsRefused) {
  double value = 0;
  EXPECT_TRUE(parse_typed_number("-0,25", value));
  EXPECT_EQ(value, -0.25);
  value = 7;
  EXPECT_FALSE(parse_typed_number("", value));
  EXPECT_FALSE(parse_typed_number("12 mm", value));
  EXPECT_FALSE(parse_typed_number("1e999", value));
  EXPECT_FALSE(parse_typed_number("nan", value));
  EXPECT_FALSE(parse_typed_number("inf", value));
}
