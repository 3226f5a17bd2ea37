// The user folder made this program's before anything in it is read or
// written: the work an earlier start kept in the program folder is brought
// over (and the user told where it went), and the folder is locked for as long
// as the program runs, since two programs on it would each write their whole
// files from memory over the other's.
#pragma once

#include <string>

// False, with the user told why, when the program must end: another program
// works on the user folder, or the earlier work could not be brought over.
bool claim_user_folder();

// The file whose lock tells a later start that the user folder is taken.
std::string user_folder_lock_path();
