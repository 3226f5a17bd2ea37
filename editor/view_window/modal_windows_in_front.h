// A window that stays on top hides the program's other windows. While it is
// shown, every message, question, dialog and modal window the program opens
// belongs to it, or to the modal window already open in front of it, so the window
// manager keeps each one in front, where it can be read and answered; once it
// is hidden they belong to their own windows again.
#pragma once

#include <QObject>

class QWidget;
class QWindow;

class ModalWindowsInFront : public QObject {
 public:
  // Watches every window of the application for as long as on_top lives.
  explicit ModalWindowsInFront(QWidget& on_top);

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWindow* owner_for(const QWidget& window) const;

  QWidget& on_top_;
};
