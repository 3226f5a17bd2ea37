#include "editor/screen_fit.h"

#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <vector>

#include "editor/scrolling_body.h"
#include "editor/window_opening.h"
#include "editor/window_screen.h"

namespace {

bool is_framed_window(const QWidget& widget) {
  return widget.isWindow() && (widget.windowType() == Qt::Window || widget.windowType() == Qt::Dialog);
}

ScrollingBody* body_of(const QWidget& window) {
  for (ScrollingBody* body : window.findChildren<ScrollingBody*>())
    if (body->window() == &window) return body;
  return nullptr;
}

// The window's layout takes its contents' new sizes at once: a window of a
// fixed size takes its new size with it.
void lay_out_now(QWidget& window) {
  if (QLayout* layout = window.layout()) {
    layout->invalidate();
    layout->activate();
  }
}

// The body asks for no more height than the window's other parts leave it.
void bound_body(QWidget& window, ScrollingBody& body, int room) {
  body.set_most_height(QWIDGETSIZE_MAX);
  lay_out_now(window);
  const int over = window.sizeHint().height() - room;
  if (over <= 0) return;
  body.set_most_height(body.sizeHint().height() - over);
  lay_out_now(window);
}

// Moves the frame into the area by the least it takes, top left first.
void move_within(QWidget& window, const QRect& area, const QMargins& frame) {
  const QRect outer(window.geometry().topLeft() - QPoint(frame.left(), frame.top()), window.size().grownBy(frame));
  QPoint shift;
  shift.rx() = std::max(area.left() - outer.left(), std::min(0, area.right() - outer.right()));
  shift.ry() = std::max(area.top() - outer.top(), std::min(0, area.bottom() - outer.bottom()));
  if (shift.isNull()) return;
  // Not a place of the program's choosing: a dialog Qt places over its
  // owner is placed so again next time.
  const bool moved = window.testAttribute(Qt::WA_Moved);
  window.move(window.pos() + shift);
  window.setAttribute(Qt::WA_Moved, moved);
}

// Sized, and moved in once it has its place: Qt places a dialog the program
// did not place over its owner, within the area, only as it shows.
void fit(QWidget& window, const QMargins& frame, bool placed) {
  const QRect area = opening_screen(window)->availableGeometry();
  const QSize room = area.size().shrunkBy(frame);
  if (ScrollingBody* body = body_of(window)) bound_body(window, *body, room.height());
  if (window.width() > room.width() || window.height() > room.height()) window.resize(window.size().boundedTo(room));
  if (placed) move_within(window, area, frame);
}

bool placed_before_it_shows(const QWidget& window) {
  return !qobject_cast<const QDialog*>(&window) || window.testAttribute(Qt::WA_Moved);
}

class ScreenFit : public QObject {
 public:
  explicit ScreenFit(QObject& owner) : QObject(&owner) { qApp->installEventFilter(this); }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) {
      auto* window = qobject_cast<QWidget*>(watched);
      if (window && is_framed_window(*window) && opens_the_window(*static_cast<QShowEvent*>(event))) opened(*window);
    } else if (event->type() == QEvent::Expose && !awaiting_frame_.empty()) {
      exposed(watched);
    }
    return false;
  }

 private:
  // A window not yet framed is fitted with the frame it is expected to get,
  // and again once the window manager has framed it (by the time it is
  // exposed) when its frame is another.
  struct Unframed {
    QPointer<QWidget> window;
    QMargins expected;
  };

  void opened(QWidget& window) {
    const QMargins expected = expected_frame(window);
    fit(window, expected, placed_before_it_shows(window));
    if (frame_margins(window).isNull()) awaiting_frame_.push_back({&window, expected});
  }

  void exposed(const QObject* handle) {
    std::erase_if(awaiting_frame_, [handle](const Unframed& unframed) {
      if (!unframed.window) return true;
      if (unframed.window->windowHandle() != handle) return false;
      const QMargins frame = frame_margins(*unframed.window);
      if (frame.isNull()) return false;
      if (frame != unframed.expected) fit(*unframed.window, frame, true);
      return true;
    });
  }

  std::vector<Unframed> awaiting_frame_;
};

}  // namespace

void keep_windows_within_screen(QObject& owner) { new ScreenFit(owner); }
