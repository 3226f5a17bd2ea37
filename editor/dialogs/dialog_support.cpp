#include "editor/dialogs/dialog_support.h"

#include <QStyle>
#include <algorithm>

#include "model/base/rounding.h"
#include "output/user_numbers.h"

QString short_number(double value) {
  std::string text = size_key(value);
  std::replace(text.begin(), text.end(), '.', user_decimal_separator());
  return QString::fromStdString(text);
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
