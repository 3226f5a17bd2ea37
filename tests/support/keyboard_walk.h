// A keyboard user's walk through a window: real key presses on whatever
// widget has the focus.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <vector>

// Shows the window and waits until it has the keyboard.
inline bool show_active(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// Presses the key on the focused widget until `target` has the focus; false
// when a whole round of the window's widgets passes without reaching it.
inline bool key_reaches(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  const auto most = target->window()->findChildren<QWidget*>().size() + 1;
  for (qsizetype i = 0; i < most && QApplication::focusWidget() != target; ++i) {
    if (!QApplication::focusWidget()) return false;
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
  }
  return QApplication::focusWidget() == target;
}

// Tab from the focused field reaches `last`, and Shift+Tab brings the focus
// back to where it started.
inline bool tab_walks_to(QWidget* last) {
  QWidget* first = QApplication::focusWidget();
  return first && key_reaches(last, Qt::Key_Tab) && key_reaches(first, Qt::Key_Backtab);
}

// Enter on the focused widget.
inline void press_enter() { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); }

// The widgets Tab stops on from the focused one, that one first; a radio
// button stands for the group that holds it.
inline std::vector<QWidget*> tab_stops(int count) {
  std::vector<QWidget*> stops;
  for (int i = 0; i < count && QApplication::focusWidget(); ++i) {
    QWidget* focus = QApplication::focusWidget();
    stops.push_back(focus->inherits("QRadioButton") ? focus->parentWidget() : focus);
    QTest::keyClick(focus, Qt::Key_Tab);
  }
  return stops;
}
