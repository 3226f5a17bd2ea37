#include "editor/view_window/modal_windows_in_front.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "editor/view_window/x11_active_window.h"

namespace {

// The program's top-level window with the id, if any (none has 0).
QWindow* program_window_with_id(WId id) {
  for (QWindow* window : QGuiApplication::topLevelWindows())
    if (window->handle() && window->winId() == id) return window;
  return nullptr;
}

}  // namespace

ModalWindowsInFront::ModalWindowsInFront(QWidget& on_top) : QObject(&on_top), on_top_(on_top) {
  QApplication::instance()->installEventFilter(this);
}

// A box minimised and restored (the window system hides and shows it, a
// spontaneous event) is the same box, still from the window it was opened from.
bool ModalWindowsInFront::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseButtonPress:  // a click chooses the window the user goes on in
      to_activate_ = nullptr;
      return false;
    case QEvent::WindowActivate:
      user_in_ = QApplication::activeWindow();
      return false;
    case QEvent::Show:
    case QEvent::Hide:
      break;
    default:
      return false;
  }
  auto* window = qobject_cast<QWidget*>(watched);
  if (event->spontaneous() || !is_watched(window)) return false;
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
// the user works elsewhere (the wait box, another program) takes nothing. The
// user is still in a dialog whose own popup (a completer's list) has the keys.
void ModalWindowsInFront::closed(const QWidget& window) {
  const auto found = active_before_.find(&window);
  if (found == active_before_.end()) return;
  const QPointer<QWidget> before = found->second;
  active_before_.erase(found);
  if (!before || !before->isVisible() || user_in_ != &window) return;
  to_activate_ = before;
  closed_ = window.windowHandle();
  closed_id_ = closed_->winId();
  closed_owner_ = closed_->transientParent();
  owner_had_it_ = false;
  since_closed_.start();
  give_activation_back();
}

// The window manager moves the activation once the closed window is gone, to
// its owner (the 3-D view, which owns the boxes while it is shown) or
// nowhere, and when it does so depends on how busy it is: the window the user
// was in asks for the activation until it has it, for a while, unless the
// user goes somewhere else first or another box opens.
void ModalWindowsInFront::give_activation_back() {
  if (!to_activate_) return;
  const Activation activation = where_activation_is();
  if (activation == Activation::given_back || activation == Activation::user_chose_it ||
      since_closed_.elapsed() > kGiveBackMs || !to_activate_->isVisible()) {
    to_activate_ = nullptr;
    return;
  }
  if (activation == Activation::with_owner) owner_had_it_ = true;
  if (activation != Activation::being_taken) to_activate_->windowHandle()->requestActivate();
  QTimer::singleShot(kAskAgainMs, this, &ModalWindowsInFront::give_activation_back);
}

// As the window manager announces it and the server has the keys, where Qt
// runs on X11, else as Qt has it. Qt has none only once the activation is
// lost, which after the owner had it is the user's doing. The window manager
// announces a move only once the server has made it, so until the two agree
// it may still name the window that was active before the closed one, or the
// closed one after the program let it go.
ModalWindowsInFront::Activation ModalWindowsInFront::where_activation_is() const {
  const std::optional<X11Activation> x11 = x11_activation();
  if (!x11) {
    QWindow* active = QGuiApplication::focusWindow();
    if (!active) return owner_had_it_ ? Activation::user_chose_it : Activation::not_moved;
    return with_program_window(*active);
  }
  if (x11->announced == closed_id_) return Activation::not_moved;
  QWindow* announced = program_window_with_id(x11->announced);
  if (x11->announced && !announced) return Activation::user_chose_it;
  QWindow* focused = program_window_with_id(x11->keyboard_focus);
  if (x11->keyboard_focus && !focused) return Activation::being_taken;
  if (!announced || focused != announced) return Activation::not_moved;
  return with_program_window(*announced);
}

// The move to the owner is the window manager's own and cannot be told from
// the user's click on the owner's frame.
ModalWindowsInFront::Activation ModalWindowsInFront::with_program_window(const QWindow& active) const {
  if (&active == closed_ || !active.isVisible()) return Activation::not_moved;
  if (&active == to_activate_->windowHandle()) return Activation::given_back;
  if (&active == closed_owner_) return Activation::with_owner;
  return Activation::user_chose_it;
}
