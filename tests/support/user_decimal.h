// A number as the user sees it in the program: written in a test with a point,
// shown with the decimal separator of the locale the program runs in.
#pragma once

#include <QLocale>
#include <QString>

inline QString with_user_decimal_separator(const char* plain) {
  return QString::fromLatin1(plain).replace(QLatin1Char('.'), QLocale().decimalPoint());
}
