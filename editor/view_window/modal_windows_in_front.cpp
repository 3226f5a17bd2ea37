#include "editor/view_window/modal_windows_in_front.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

ModalWindowsInFront::ModalWindowsInFront(QWidget& on_top) : QObject(&on_top), on_top_(on_top) {
  QApplication::instance()->installEventFilter(this);
}

// The owner is set as the window shows, before the window manager sees it.
// Dialogs shown without modality (the wait box) count too.
bool ModalWindowsInFront::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show) return false;
  auto* window = qobject_cast<QWidget*>(watched);
  if (window && window != &on_top_ && window->isWindow() && (window->isModal() || window->windowType() == Qt::Dialog) &&
      window->windowHandle())
    window->windowHandle()->setTransientParent(owner_for(*window));
  return false;
}

QWindow* ModalWindowsInFront::owner_for(const QWidget& window) const {
  if (!on_top_.isVisible()) return window.parentWidget() ? window.parentWidget()->window()->windowHandle() : nullptr;
  QWindow* open = QGuiApplication::modalWindow();
  return open && open != window.windowHandle() ? open : on_top_.windowHandle();
}
