#include "editor/enter_presses.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace {

class EnterPresses : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    // Only the focused, and so enabled, button is offered the key.
    static_cast<QAbstractButton*>(watched)->click();
    return true;
  }
};

}  // namespace

void enter_presses(QAbstractButton* button) {
  if (auto* push = qobject_cast<QPushButton*>(button)) push->setAutoDefault(false);
  button->installEventFilter(new EnterPresses(button));
}

void enter_presses_every_button(QWidget* window) {
  for (QPushButton* button : window->findChildren<QPushButton*>()) enter_presses(button);
  for (QToolButton* button : window->findChildren<QToolButton*>()) enter_presses(button);
}
