// The program's entry up to its message loop: the title, every window in
// order, the default user files and the start-up routine.
#pragma once

#include <string>

// False when the program cannot go on (see initialise_program); the windows
// exist either way, until destroy_windows().
bool start_program(const std::string& project_path);
