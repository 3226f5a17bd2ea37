// Other programs the tests start: an X server, a window manager, another
// program with a window of its own.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Runs a program found on PATH with its output thrown away; fd, when not -1,
// is handed to it as descriptor 3. 0 when it cannot be run.
pid_t spawn(std::vector<std::string> arguments, int fd = -1);

// Runs a program that writes a line on descriptor 3 once it is ready (its
// display number, its window's id); line holds it, empty when the program
// ended or closed the descriptor first.
pid_t spawn_until_ready(std::vector<std::string> arguments, std::string& line);

// Ends a program that spawn started and waits for it.
void stop(pid_t child);
