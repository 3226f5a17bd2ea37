#include "output/user_numbers.h"

#include <QLocale>
#include <QString>
#include <cmath>

#include "model/base/string_utils.h"
#include "model/base/text_io.h"

char user_decimal_separator() {
  const QString point = QLocale().decimalPoint();
  return point.size() == 1 && point[0].unicode() < 128 ? static_cast<char>(point[0].unicode()) : '.';
}

bool parse_typed_number(const std::string& text, double& value) {
  return parse_double(comma_to_point(text), value) && std::isfinite(value);
}
