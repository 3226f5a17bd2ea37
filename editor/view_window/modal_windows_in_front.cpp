#include "editor/view_window/modal_windows_in_front.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

ModalWindowsInFront::ModalWindowsInFront(QWidget& on_top) : QObject(&on_top), on_top_(on_top) {
  QApplication::instance()->installEventFilter(this);
}

bool ModalWindowsInFront::eventFilter(QObject* watched, QEvent* event) {
  // A click chooses the window the user goes on in.
  if (event->type() == QEvent::MouseButtonPress) to_activate_ = nullptr;
  if (event->type() != QEvent::Show && event->type() != QEvent::Hide) return false;
  auto* window = qobject_cast<QWidget*>(watched);
  if (!is_watched(window)) return false;
  if (event->type() == QEvent::Show)
    opened(*window);
  else
    closed(*window);
  return false;
}

// Dialogs shown without modality (the wait box) count too.
bool ModalWindowsInFront::is_watched(const QWidget* window) const {
  return window && window != &on_top_ && window->isWindow() &&
         (window->isModal() || window->windowType() == Qt::Dialog) && window->windowHandle();
}

QWindow* ModalWindowsInFront::owner_for(const QWidget& window) const {
  if (!on_top_.isVisible()) return window.parentWidget() ? window.parentWidget()->window()->windowHandle() : nullptr;
  QWindow* open = QGuiApplication::modalWindow();
  return open && open != window.windowHandle() ? open : on_top_.windowHandle();
}

// The owner is set as the window shows, before the window manager sees it. A
// window opened as another closes (a confirmation after a question) comes
// from the window the closed one would have given the activation back to.
void ModalWindowsInFront::opened(QWidget& window) {
  active_before_[&window] = to_activate_ ? to_activate_.data() : QApplication::activeWindow();
  to_activate_ = nullptr;
  window.windowHandle()->setTransientParent(owner_for(window));
}

// Only a window the user was in gives the activation back: one closed while
// the user works elsewhere (the wait box, another program) takes nothing.
void ModalWindowsInFront::closed(const QWidget& window) {
  const auto found = active_before_.find(&window);
  if (found == active_before_.end()) return;
  const QPointer<QWidget> before = found->second;
  active_before_.erase(found);
  if (!before || !before->isVisible() || QGuiApplication::focusWindow() != window.windowHandle()) return;
  to_activate_ = before;
  since_closed_.start();
  give_activation_back();
}

// The window manager moves the activation once the closed window is gone, to
// its owner (the 3-D view, which owns the boxes while it is shown) or
// nowhere, and when it does so depends on how busy it is: the window the user
// was in asks for the activation until it has it, for a while, unless the
// user clicks somewhere first or another box opens.
void ModalWindowsInFront::give_activation_back() {
  if (!to_activate_) return;
  if (QApplication::activeWindow() == to_activate_ || since_closed_.elapsed() > kGiveBackMs) {
    to_activate_ = nullptr;
    return;
  }
  to_activate_->windowHandle()->requestActivate();
  QTimer::singleShot(kAskAgainMs, this, &ModalWindowsInFront::give_activation_back);
}
