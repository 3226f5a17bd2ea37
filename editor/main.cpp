// Program entry: initialises every unit and the application, creates the
// windows in order, runs the start-up routine and then the message loop until
// the main window closes.
#include <QIcon>
#include <filesystem>
#include <string>

#include "editor/application.h"
#include "editor/main/main_window.h"
#include "editor/main/program_entry.h"
#include "editor/main/windows.h"
#include "model/files/user_folder_place.h"
#include "model/state/globals.h"
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
