// Other programs the tests start: an X server, a window manager, another
// program with a window of its own.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// Runs a program found on PATH with its output thrown away; fd, when not -1,
// is handed to it as descriptor 3. 0 when it cannot be run.
pid_t spawn(std::vector<std::string> arguments, int fd = -1);

// Ends a program that spawn started and waits for it.
void stop(pid_t child);
