// A number as the user sees it in the program: written in a test with a point,
// shown with the user's decimal separator.
#pragma once

#include <QString>

#include "output/user_numbers.h"

inline QString with_user_decimal_separator(const char* plain) {
  return QString::fromLatin1(plain).replace(QLatin1Char('.'), QLatin1Char(user_decimal_separator()));
}
