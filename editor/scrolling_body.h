// The part of a window that scrolls when the screen is too low for the whole
// window, while the rest (its buttons above all) stays in sight. It asks for
// its content's whole size unless a height has been set that it may ask for
// at most (screen_fit.h sets it as the window opens).
#pragma once

#include <QScrollArea>

class ScrollingBody : public QScrollArea {
  Q_OBJECT

 public:
  explicit ScrollingBody(QWidget* content);

  // The most height the body asks for, its content scrolling within it; the
  // body asks its content's size anew.
  void set_most_height(int height);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 private:
  // The body's size for the content's size: the frame added, the height
  // bounded and, when the content is then taller, room for the scroll bar.
  QSize around(QSize content) const;

  int most_height_ = QWIDGETSIZE_MAX;
};
