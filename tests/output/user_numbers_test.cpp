// The user's decimal separator, shared by every window that shows a number.
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
