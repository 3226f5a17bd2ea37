// Lets Qt deliver events (paints above all) until a condition holds, for the
// tests of widgets that draw on their own schedule.
#pragma once

#include <QApplication>
#include <QElapsedTimer>

// True once done() holds; false when it still does not after timeout_ms.
template <typename Done>
bool process_events_until(Done done, int timeout_ms = 5000) {
  QElapsedTimer timer;
  timer.start();
  while (!done() && timer.elapsed() < timeout_ms) QApplication::processEvents(QEventLoop::AllEvents, 50);
  return done();
}
