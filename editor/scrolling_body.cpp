#include "editor/scrolling_body.h"

#include <QScrollBar>
#include <algorithm>

namespace {

// The sizes a layout would give the content: its own least and most sizes,
// where set, before its hints.
QSize wanted(const QWidget& content) {
  return content.sizeHint().expandedTo(content.minimumSize()).boundedTo(content.maximumSize());
}

QSize least(const QWidget& content) {
  QSize size = content.minimumSizeHint();
  if (content.minimumWidth() > 0) size.setWidth(content.minimumWidth());
  if (content.minimumHeight() > 0) size.setHeight(content.minimumHeight());
  return size.boundedTo(content.maximumSize());
}

}  // namespace

ScrollingBody::ScrollingBody(QWidget* content) {
  setFrameShape(QFrame::NoFrame);
  // The keys go to the controls in it.
  setFocusPolicy(Qt::NoFocus);
  // Only downwards: the window is as wide as its content.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setWidgetResizable(true);
  // A content of a fixed size stands in the middle, as in a layout.
  setAlignment(Qt::AlignCenter);
  setWidget(content);
}

void ScrollingBody::set_most_height(int height) {
  most_height_ = std::max(height, 0);
  // Also when unchanged: a content sized anew while the window was hidden
  // told nobody, as it has no layout around it.
  updateGeometry();
}

QSize ScrollingBody::around(QSize content) const {
  const int frame = 2 * frameWidth();
  QSize size(content.width() + frame, std::min(content.height() + frame, most_height_));
  if (content.height() + frame > size.height()) size.rwidth() += verticalScrollBar()->sizeHint().width();
  return size;
}

QSize ScrollingBody::sizeHint() const { return around(wanted(*widget())); }

QSize ScrollingBody::minimumSizeHint() const { return around(least(*widget())); }
