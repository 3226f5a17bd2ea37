#include "editor/main_window.h"

#include "model/state/globals.h"

TMain::TMain(QWidget* parent) : QMainWindow(parent) {
  setWindowTitle(QString::fromStdString(AppTitle));
  resize(1024, 720);
  AppState.debug = 0;
}
