#include "editor/dialogs/dialog_support.h"

#include <QApplication>
#include <QEvent>
#include <QStyle>
#include <algorithm>
#include <map>

#include "model/base/rounding.h"
#include "output/user_numbers.h"

QString short_number(double value) {
  std::string text = size_key(value);
  std::replace(text.begin(), text.end(), '.', user_decimal_separator());
  return QString::fromStdString(text);
}

namespace {

// Never destroyed: an application object that is itself static ends after
// the statics made later, and its post routine still clears the cache then.
std::map<QStyle::StandardPixmap, QIcon>& icon_cache() {
  static auto* icons = new std::map<QStyle::StandardPixmap, QIcon>;
  return *icons;
}

void forget_icons() { icon_cache().clear(); }

}  // namespace

const QIcon& standard_icon(QStyle::StandardPixmap which) {
  auto& icons = icon_cache();
  // The icons go with the application that looked them up.
  if (icons.empty()) qAddPostRoutine(forget_icons);
  auto found = icons.find(which);
  if (found == icons.end()) found = icons.emplace(which, QApplication::style()->standardIcon(which)).first;
  return found->second;
}

QPushButton* ok_button(QWidget* parent) {
  auto* button = new QPushButton(standard_icon(QStyle::SP_DialogOkButton), "OK", parent);
  button->setDefault(true);
  return button;
}

QPushButton* cancel_button(QWidget* parent, const char* caption) {
  return new QPushButton(standard_icon(QStyle::SP_DialogCancelButton), QString::fromUtf8(caption), parent);
}

void tab_order(const std::vector<QWidget*>& widgets) {
  for (std::size_t i = 1; i < widgets.size(); ++i) QWidget::setTabOrder(widgets[i - 1], widgets[i]);
}

namespace {

class OpensOn : public QObject {
 public:
  explicit OpensOn(QWidget* field) : QObject(field), field_(field) {}

  bool eventFilter(QObject*, QEvent* event) override {
    // A spontaneous show is a restore: the window keeps what the user left.
    if (event->type() == QEvent::Show && !event->spontaneous()) field_->setFocus();
    return false;
  }

 private:
  QWidget* field_;
};

}  // namespace

void opens_on(QWidget* field) { field->window()->installEventFilter(new OpensOn(field)); }
