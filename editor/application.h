// The program's application object, in the program and in the window tests
// alike: an error that leaves an event handler is kept out of Qt's event loop
// and meets the program's failure policy (editor/guarded_connection.h).
#pragma once

#include <QApplication>

class Application : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override;
};
