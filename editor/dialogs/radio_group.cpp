#include "editor/dialogs/radio_group.h"

#include <QAbstractButton>
#include <QRadioButton>
#include <QVBoxLayout>

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
  new QVBoxLayout(this);
  connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked_item);
  set_items(items);
}

void RadioGroup::set_items(const QStringList& items) {
  for (QAbstractButton* button : buttons_->buttons()) {
    buttons_->removeButton(button);
    delete button;
  }
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i], this);
    buttons_->addButton(button, i);
    layout()->addWidget(button);
  }
}

int RadioGroup::item_index() const { return buttons_->checkedId(); }

void RadioGroup::set_item_index(int index) {
  if (QAbstractButton* button = buttons_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = buttons_->checkedButton()) {
    // An exclusive group cannot uncheck its last button directly.
    buttons_->setExclusive(false);
    checked->setChecked(false);
    buttons_->setExclusive(true);
  }
}
