// Answers the next modal window of a type as a user would: once the window
// is shown, the given steps run on it (typing, choosing, pressing OK).
#pragma once

#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <functional>
#include <string>

// Runs the steps once on the window shown() gives, as soon as it gives one.
inline void answer_once_shown(std::function<QWidget*()> shown, std::function<void(QWidget*)> steps) {
  auto* timer = new QTimer;
  QObject::connect(timer, &QTimer::timeout, [timer, shown, steps] {
    QWidget* window = shown();
    if (!window) return;
    timer->stop();
    timer->deleteLater();
    steps(window);
  });
  timer->start(5);
}

template <class Window>
void answer_next(std::function<void(Window*)> steps) {
  answer_once_shown(
      [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
          auto* window = qobject_cast<Window*>(widget);
          if (window && window->isVisible()) return widget;
        }
        return static_cast<QWidget*>(nullptr);
      },
      [steps](QWidget* window) { steps(static_cast<Window*>(window)); });
}

// Answers the given window as a user would once it is shown.
inline void answer_when_shown(QWidget* window, std::function<void()> steps) {
  answer_once_shown([window] { return window->isVisible() ? window : nullptr; }, [steps](QWidget*) { steps(); });
}

// Types text into the next input query and confirms it.
inline void answer_input(const std::string& text) {
  answer_next<QInputDialog>([text](QInputDialog* dialog) {
    dialog->setTextValue(QString::fromStdString(text));
    dialog->accept();
  });
}
