// Where the company logo lives: a picture in the user folder, named in the
// preferences. The printed pages and the quote header dialog both look for it.
#pragma once

#include <string>

// The file of the company logo in the user folder: the exact name first, then
// a name that differs only in case. Only a regular file counts; an empty name
// is no logo. Empty when there is none.
std::string find_logo_file(const std::string& logo_name);
