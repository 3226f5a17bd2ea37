// A titled group of radio buttons whose items can be replaced, with the
// selection as an index (-1 = none), as the dialogs of the program use them.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& title, const QStringList& items, QWidget* parent);

  // Replaces the buttons; nothing is selected afterwards.
  void set_items(const QStringList& items);
  int item_index() const;
  // The item buttons, in order; set_items makes new ones, to be put in the Tab order again.
  QList<QAbstractButton*> item_buttons() const { return buttons_->buttons(); }
  // Selects an item without emitting clicked_item.
  void set_item_index(int index);

 signals:
  // The user chose an item.
  void clicked_item(int index);

 private:
  QButtonGroup* buttons_;
};
