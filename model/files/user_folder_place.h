// Where the user's own files are kept: in the user's data folder, not in the
// program's, which a rebuild or a clean of the build tree deletes and an
// installed program cannot write. A user folder that an earlier start kept in
// the program folder is brought over once.
#pragma once

#include <string>

// The user folder of whoever runs the program: RACKWRIGHT_USER_DIR when set,
// else $XDG_DATA_HOME/rackwright, else ~/.local/share/rackwright (an
// XDG_DATA_HOME that is empty or relative counts as unset). Empty when no home
// folder is known either.
std::string find_user_folder();

struct FolderMove {
  enum Outcome {
    none,    // nothing to bring over, or the user folder is there already
    moved,   // the earlier folder is now the user folder
    copied,  // the work is in the user folder; the earlier folder could not be removed
  } outcome = none;
  std::string left_because;  // why the earlier folder is still there (copied)
};

// Brings the earlier folder `from` over to `to` when `from` is a folder and
// `to` does not exist: renamed where both are on one file system, else copied
// beside `to`, renamed into place and then removed. Raises FileError when the
// work could not be brought over: `from` is then as it was and `to` absent.
FolderMove bring_over_user_folder(const std::string& from, const std::string& to);
