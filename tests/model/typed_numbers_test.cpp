// The side panel reads typed lengths with either decimal mark.
#include <gtest/gtest.h>

#include "model/base/string_utils.h"

TEST(SidePanelNumbers, TypedNumbersTakeEitherDecimalMark) {
  double value = 0;
  EXPECT_TRUE(parse_typed_number("12,5", value));
  EXPECT_EQ(value, 12.5);
  EXPECT_TRUE(parse_typed_number("12.5", value));
  EXPECT_FALSE(parse_typed_number("1.2.3", value));
}
