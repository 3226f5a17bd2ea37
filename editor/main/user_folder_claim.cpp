#include "editor/main/user_folder_claim.h"

#include <QLockFile>
#include <filesystem>
#include <memory>

#include "editor/main/main_window.h"
#include "editor/main/windows.h"
#include "model/base/file_io.h"
#include "model/files/user_folder_place.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

// Held as long as the program's windows live.
std::unique_ptr<QLockFile> held_lock;

const std::string kWork = "Your work (projects, customers, prices and preferences)";

// An earlier start kept the work in the program folder's user/, where a
// rebuild or a clean deletes it. False, with the user told, when it stays there.
bool bring_over_earlier_work(FolderMove& move) {
  try {
    move = bring_over_user_folder(program_path("user"), user_folder());
  } catch (const FileError& failure) {
    ui().show_message(kWork + " could not be moved from " + program_path("user") + " to " + user_folder() + ": " +
                      failure.what() +
                      ". Nothing was changed, and Rackwright ends; start it again once that is put right.");
    return false;
  }
  return true;
}

void tell_where_the_work_went(const FolderMove& move) {
  const std::string from_to = " from " + program_path("user") + " to " + user_folder();
  if (move.outcome == FolderMove::moved)
    ui().show_message(
        kWork + " has been moved" + from_to +
        ", where Rackwright keeps it from now on, safe from a rebuild or a clean of the program's folder.");
  if (move.outcome == FolderMove::copied)
    ui().show_message(kWork + " has been copied" + from_to +
                      ", where Rackwright keeps it from now on. The old folder could not be removed (" +
                      move.left_because + "); it is no longer used.");
}

// Qt's stale-lock rule takes over the lock of a program that no longer runs
// (killed, crashed), never that of one still running, however old.
bool lock_user_folder() {
  std::error_code ignored;
  std::filesystem::create_directories(user_folder(), ignored);
  auto lock = std::make_unique<QLockFile>(QString::fromStdString(user_folder_lock_path()));
  if (lock->tryLock(0)) {
    held_lock = std::move(lock);
    QObject::connect(Main, &QObject::destroyed, [] { held_lock.reset(); });
    return true;
  }
  // A folder that cannot take a lock cannot take the user's files either:
  // the start goes on and reports that where it writes them.
  if (lock->error() != QLockFile::LockFailedError) return true;
  ui().show_message("Rackwright is already running: it keeps your work in " + user_folder() +
                    ", where only one program at a time may work, so that neither overwrites what the other "
                    "saves. Carry on in the window already open.");
  return false;
}

}  // namespace

bool claim_user_folder() {
  FolderMove move;
  if (!bring_over_earlier_work(move) || !lock_user_folder()) return false;
  tell_where_the_work_went(move);  // once the folder is this program's
  return true;
}

std::string user_folder_lock_path() { return user_path("rackwright.lock"); }
