// What the pointer and the selection rubber band catch on the plan, in screen
// pixels. Each test costs the same whatever the zoom: walls are judged from
// the few pixel columns near the pointer, modules from their corners.
#pragma once

#include <QPoint>
#include <QRect>
#include <algorithm>
#include <array>

// A wall is hovered when the pointer lies within 8 pixels of one of the pixels
// the wall's line steps through column by column (rounded to the nearest row),
// or, for an upright wall, beside it strictly between its ends.
bool wall_hovered(QPoint p1, QPoint p2, QPoint pointer);
// A module is hovered when the pointer is at most 16 pixels from its centre.
bool module_hovered(QPoint centre, QPoint pointer);

// The rubber band as dragged: press point and current point. Dragged to the
// right it catches what lies wholly inside (window), otherwise what it
// touches (crossing).
struct RubberBand {
  QPoint press, current;
  bool window() const { return current.x() > press.x(); }
  int left() const { return std::min(press.x(), current.x()); }
  int right() const { return std::max(press.x(), current.x()); }
  int top() const { return std::min(press.y(), current.y()); }
  int bottom() const { return std::max(press.y(), current.y()); }
};

// A wall of the given orientation ('H' or 'V') caught by the band.
bool wall_caught(QPoint p1, QPoint p2, char orientation, const RubberBand& band);
// A module whose outline has these four screen corners, in order round it.
bool module_caught(const std::array<QPoint, 4>& corners, const RubberBand& band);
