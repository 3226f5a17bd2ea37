// The start-up routine: from the moment every window exists to the moment the
// user can work. It reads the preferences (asking the language on the first
// run), the project index, the catalogue, the translations, the customers and
// the price table, prepares the windows that depend on them, creates the first
// cell, opens the project named on the command line and draws the plan.
#pragma once

#include <string>

// False when the program cannot go on (no preferences file, no catalogue, no
// translation file); the user has been told why. A project that cannot be
// opened is reported and the program goes on with its first cell.
bool initialise_program(const std::string& project_path);
