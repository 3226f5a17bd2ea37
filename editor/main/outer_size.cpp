#include "editor/main/outer_size.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace {

// What the frame adds to the client area; nothing while the window is not framed.
QSize frame_size(const QWidget& window) { return window.frameGeometry().size() - window.size(); }

class OuterSize : public QObject {
 public:
  OuterSize(QWidget& window, QSize outer, std::function<void()> sized)
      : QObject(&window), window_(window), outer_(outer), sized_(std::move(sized)) {
    window.installEventFilter(this);
    fit(QSize());
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Show && !event->spontaneous()) {
      // The window manager has framed the window by the time it is exposed.
      if (!settle()) window_.windowHandle()->installEventFilter(this);
    } else if (watched != &window_ && event->type() == QEvent::Expose && !frame_size(window_).isNull()) {
      window_.windowHandle()->removeEventFilter(this);
      settle();
    }
    return false;
  }

 private:
  // Sizes the window by its frame; false while it has none yet.
  bool settle() {
    const QSize frame = frame_size(window_);
    fit(frame);
    if (frame.isNull()) return false;
    sized_();
    return true;
  }

  void fit(QSize frame) {
    QRect client = window_.geometry();
    const QPoint centre = client.center();
    client.setSize(client_size_within(window_.screen()->availableGeometry(), outer_, frame));
    client.moveCenter(centre);
    window_.setGeometry(client);
  }

  QWidget& window_;
  const QSize outer_;
  const std::function<void()> sized_;
};

}  // namespace

void open_at_outer_size(QWidget& window, QSize outer, std::function<void()> sized) {
  new OuterSize(window, outer, std::move(sized));
}

QSize client_size_within(const QRect& area, QSize outer, QSize frame) { return outer.boundedTo(area.size()) - frame; }
