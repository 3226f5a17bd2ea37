#include "output/print/page_numbers.h"

#include <QLocale>
#include <QString>
#include <cmath>

#include "model/base/text_io.h"

namespace {

// The locale's digit for an ASCII one: the few locales with digits of their
// own keep them, as Qt writes numbers there.
QChar locale_digit(const QLocale& locale, char digit) {
  const QString zero = locale.zeroDigit();
  return zero.size() == 1 ? QChar(static_cast<char16_t>(zero[0].unicode() + (digit - '0'))) : QChar(QLatin1Char(digit));
}

// True when the locale groups a number of four integer digits: Spanish and
// Polish write 1234 but 12 345 (a minimum of two digits in the first group).
bool groups_four_digits(QLocale locale) {
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(1000).contains(locale.groupSeparator());
}

}  // namespace

// The integer part is grouped here rather than by QLocale: some Qt versions
// apply the two-digit minimum of Spanish and Polish to every group and print
// 1,234,567.89 as "1234.567,89".
std::string money_text(double value) {
  const QLocale locale;
  std::string digits = format_fixed(value, 2);  // "-1234567.89"
  if (!std::isfinite(value)) return digits;     // no total reaches it (model/base/prices.h)
  const bool negative = digits.front() == '-';
  if (negative) digits.erase(0, 1);
  const std::size_t point = digits.find('.');
  const bool grouped = point > 4 || (point == 4 && groups_four_digits(locale));
  QString text = negative ? locale.negativeSign() : QString();
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i == point) {
      text += locale.decimalPoint();
      continue;
    }
    if (grouped && i > 0 && i < point && (point - i) % 3 == 0) text += locale.groupSeparator();
    text += locale_digit(locale, digits[i]);
  }
  return text.toStdString();
}

std::string general_number_text(double value) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'g', 15).toStdString();
}

std::string fixed_number_text(double value, int decimals) {
  QLocale locale;
  locale.setNumberOptions(QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', decimals < 0 ? 0 : decimals).toStdString();
}
