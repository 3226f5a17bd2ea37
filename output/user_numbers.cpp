#include "output/user_numbers.h"

#include <QLocale>
#include <QString>
#include <cmath>

char user_decimal_separator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}
