// Program entry: initialises every unit and the application, creates the
// windows in order, runs the start-up routine and then the message loop until
// the main window closes.
#include <QApplication>
#include <QTimer>
#include <exception>
#include <filesystem>
#include <string>

#include "editor/main/main_window.h"
#include "editor/main/program_entry.h"
#include "editor/main/windows.h"
#include "model/files/user_folder_place.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"
#include "scene3d/graph/scene_initialization.h"

namespace {

// The program folder: RACKWRIGHT_HOME when set, else the executable's folder.
std::string find_program_dir(const char* argv0) {
  if (const char* home = std::getenv("RACKWRIGHT_HOME"); home && *home) return home;
  std::error_code error;
  auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) self = std::filesystem::absolute(argv0);
  return self.parent_path().string();
}

// Keeps an exception out of Qt's event loop: the user is told and the program goes on.
class Application : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      // A box opened inside a paint would paint over a painter still active.
      if (event->type() == QEvent::Paint)
        QTimer::singleShot(0, [text = std::string(error.what())] { ui().show_message(text); });
      else
        ui().show_message(error.what());
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  // Every unit starts before the application and its windows.
  InitializeScene3D();
  // The 3-D view draws through GLX, so Qt runs on X11 unless the user chose otherwise.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && !qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "xcb");
  Application application(argc, argv);
  QApplication::setApplicationName("Rackwright");
  QApplication::setWindowIcon(QIcon(":/icons/program.svg"));
  ProgramDir = find_program_dir(argv[0]);
  UserDir = find_user_folder();

  int result = 1;  // the program could not start
  if (start_program(argc > 1 ? argv[1] : "")) {
    Main->show();
    result = QApplication::exec();
  }
  destroy_windows();
  FinalizeScene3D();
  return result;
}
