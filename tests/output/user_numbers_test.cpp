// The user's decimal separator and the reading of typed numbers, shared by
// every window that shows or takes a number.
#include "output/user_numbers.h"

#include <gtest/gtest.h>

#include <QLocale>

namespace {

class UserNumbers : public ::testing::Test {
 protected:
  void TearDown() override { QLocale::setDefault(QLocale::c()); }
};

}  // namespace

TEST_F(UserNumbers, TheSeparatorFollowsTheUsersLocale) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  EXPECT_EQ(user_decimal_separator(), ',');
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(user_decimal_separator(), '.');
}

// A separator outside ASCII would come out as a zero byte in every number written with it.
TEST_F(UserNumbers, ASeparatorOutsideAsciiFallsBackToAPoint) {
  const QLocale persian(QLocale::Persian, QLocale::Iran);
  ASSERT_GE(persian.decimalPoint().front().unicode(), 128);
  QLocale::setDefault(persian);
  EXPECT_EQ(user_decimal_separator(), '.');
}

TEST_F(UserNumbers, ATypedNumberIsFiniteAndWholeOrItIsRefused) {
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
