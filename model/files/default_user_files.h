// The user files the program ships as defaults: the price and code table and
// the preferences (whose language is not chosen yet, so the first start asks
// for it). They are staged in defaults/user/ beside the program and copied into
// the user folder only where it lacks them, so a user's own file is never
// replaced.
#pragma once

#include <string>
#include <vector>

// The names of the default user files.
const std::vector<std::string>& default_user_file_names();

// Copies every default file that the user folder lacks (creating the folder
// when needed) and returns the names copied. A default that was not shipped is
// skipped. Raises FileError when a copy fails; a file is then either complete
// or absent.
std::vector<std::string> install_default_user_files();
