#include "editor/modal_windows_in_front.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include "editor/x11_desktop.h"

ModalWindowsInFront::ModalWindowsInFront(QWidget& on_top) : QObject(&on_top), on_top_(on_top) {
  QApplication::instance()->installEventFilter(this);
}

// A box minimised and restored (the window system hides and shows it, a
// spontaneous event) is the same box, still from the window it was opened from.
bool ModalWindowsInFront::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::WindowActivate:
      given_back_ = nullptr;
      return false;
    case QEvent::Show:
    case QEvent::Hide:
      break;
    default:
      return false;
  }
  auto* window = qobject_cast<QWidget*>(watched);
  if (event->spontaneous() || !is_watched(window)) return false;
  if (event->type() == QEvent::Show) {
    opened(*window);
  } else {
    active_before_.erase(window);
    set_on_top_owner();
  }
  return false;
}

// Dialogs shown without modality (the wait box) count too.
bool ModalWindowsInFront::is_watched(const QWidget* window) const {
  return window && window != &on_top_ && window->isWindow() &&
         (window->isModal() || window->windowType() == Qt::Dialog) && window->windowHandle();
}

bool ModalWindowsInFront::on_top_shown() const { return on_top_.isVisible() && !on_top_.isMinimized(); }

// Said before the window opened shows, so that the window manager has it as
// it maps that window; lifted once the last one has gone from the screen.
void ModalWindowsInFront::set_on_top_owner() {
  const QWidget* main = on_top_.parentWidget();
  if (!main || !on_top_.windowHandle()) return;
  const bool owned = on_top_shown() && !active_before_.empty();
  x11_set_owner(*on_top_.windowHandle(), owned ? main->window()->windowHandle() : nullptr);
}

QWindow* ModalWindowsInFront::owner_for(const QWidget& window) const {
  if (!on_top_shown()) return window.parentWidget() ? window.parentWidget()->window()->windowHandle() : nullptr;
  QWindow* open = QGuiApplication::modalWindow();
  return open && open != window.windowHandle() ? open : on_top_.windowHandle();
}

// The owner is set as the window shows, before the window manager sees it. A
// window opened as another closes (a confirmation after a question) comes
// from the window the closed one gave the keys to, which the program may not
// count active yet.
void ModalWindowsInFront::opened(QWidget& window) {
  active_before_[&window] = given_back_ ? given_back_.data() : QApplication::activeWindow();
  given_back_ = nullptr;
  set_on_top_owner();
  window.windowHandle()->setTransientParent(owner_for(window));
  connect(window.windowHandle(), &QWindow::visibleChanged, this, &ModalWindowsInFront::visibility_changed,
          Qt::UniqueConnection);
}

// Qt says a window is hidden before the window system removes it.
void ModalWindowsInFront::visibility_changed(bool visible) {
  if (visible) return;
  const auto* handle = qobject_cast<const QWindow*>(sender());
  for (const auto& [window, before] : active_before_)
    if (window->windowHandle() == handle) {
      closing(*window);
      return;
    }
}

// Only a window the user is in as it closes gives the keys back: one closed
// while the user works elsewhere (in another program) takes nothing, and the
// window manager decides. On X11 the keys move before the closing window is
// gone, so the server never sends one elsewhere; other window systems are
// asked once it is gone.
void ModalWindowsInFront::closing(const QWidget& window) {
  QWidget* before = active_before_.at(&window);
  if (!before || !before->isVisible() || before->isMinimized()) return;
  if (const std::optional<bool> moved = x11_move_keys(*window.windowHandle(), *before->windowHandle())) {
    if (*moved) given_back_ = before;
    return;
  }
  if (QApplication::activeWindow() != &window) return;
  given_back_ = before;
  QMetaObject::invokeMethod(
      before, [before] { before->activateWindow(); }, Qt::QueuedConnection);
}
