// A project file can hold a room outline that fails the geometry check (one
// damaged digit of a wall's normal does it). Such a project opens as it was
// saved, its header and cells together, so nothing of it is lost and the room
// can be drawn again; every way of opening a project says so once.
#pragma once

#include <string>

// When a cell of the open project, just loaded from path, has a closed
// outline that fails the geometry check: one message (text::invalid_value) naming the file
// and those cells.
void say_invalid_outlines(const std::string& path);
