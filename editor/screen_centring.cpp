#include "editor/screen_centring.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "editor/window_screen.h"

namespace {

class ScreenCentring : public QObject {
 public:
  ScreenCentring(QWidget& window, Centring when) : QObject(&window), window_(window), when_(when) {
    window.installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous() &&
        (when_ != Centring::first_show || !shown_)) {
      shown_ = true;
      awaiting_frame_ = frame_margins(window_).isNull();
      centre(expected_frame(window_));
      // The window manager has framed the window by the time it is exposed.
      if (awaiting_frame_) window_.windowHandle()->installEventFilter(this);
    } else if (watched == &window_ && event->type() == QEvent::Resize && !event->spontaneous() &&
               when_ == Centring::every_show_and_size && window_.isVisible()) {
      centre(centred_with_);
    } else if (event->type() == QEvent::Expose && awaiting_frame_) {
      frame_known(frame_margins(window_));
    }
    return false;
  }

 private:
  void frame_known(const QMargins& frame) {
    if (frame.isNull()) return;
    awaiting_frame_ = false;
    window_.windowHandle()->removeEventFilter(this);
    if (frame != centred_with_) centre(frame);
  }

  void centre(const QMargins& frame) {
    centred_with_ = frame;
    const QPoint client = centred_client_position(opening_screen(window_)->availableGeometry(), window_.size(), frame);
    // move() places the frame as Qt knows it so far.
    window_.move(client - (window_.geometry().topLeft() - window_.pos()));
  }

  QWidget& window_;
  const Centring when_;
  bool shown_ = false;
  bool awaiting_frame_ = false;
  QMargins centred_with_;
};

}  // namespace

void centre_on_screen_when_shown(QWidget& window, Centring when) { new ScreenCentring(window, when); }

QPoint centred_client_position(const QRect& area, const QSize& client, const QMargins& frame) {
  QRect outer(QPoint(), client.grownBy(frame));
  outer.moveCenter(area.center());
  return outer.topLeft() + QPoint(frame.left(), frame.top());
}
