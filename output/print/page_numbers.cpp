#include "output/print/page_numbers.h"

#include <QLocale>

std::string money_text(double value) {
  QLocale locale;
  locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
  return locale.toString(value, 'f', 2).toStdString();
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
