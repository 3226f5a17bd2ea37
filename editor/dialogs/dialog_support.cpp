#include "editor/dialogs/dialog_support.h"

#include <QLocale>
#include <QStyle>
#include <algorithm>
#include <cmath>

#include "model/base/rounding.h"
#include "model/base/string_utils.h"
#include "model/files/text_io.h"

char user_decimal_point() { return QLocale().decimalPoint().at(0).toLatin1(); }

QString short_number(double value) {
  std::string text = size_key(value);
  std::replace(text.begin(), text.end(), '.', user_decimal_point());
  return QString::fromStdString(text);
}

bool read_typed_number(const QString& text, double& value) {
  return parse_double(comma_to_point(text.trimmed().toStdString()), value) && std::isfinite(value);
}

QPushButton* ok_button(QWidget* parent) {
  auto* button = new QPushButton(parent->style()->standardIcon(QStyle::SP_DialogOkButton), "OK", parent);
  button->setDefault(true);
  return button;
}

QPushButton* cancel_button(QWidget* parent, const char* caption) {
  return new QPushButton(parent->style()->standardIcon(QStyle::SP_DialogCancelButton), QString::fromUtf8(caption),
                         parent);
}
