// A user file that did not load whole (the preferences, the customer
// register, the price and code table, the project index) is never written
// back silently: its reader reports what could
// not be read and notes the file, and the first write after keeps a copy of
// the damaged file beside it, so the records that could not be read are not
// lost with it.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Lines for a message, each on a line of its own after a line break: the
// first five, then how many more there are.
std::string listed_lines(const std::vector<std::string>& lines);

// Notes that the file at path loaded with the faults given (each naming its
// line) and returns the message for the user: the reading error, the faults
// and the name the damaged file will be kept under.
std::string note_damaged_file(const std::string& path, const std::vector<std::string>& faults);

// Notes that the file at path exists but could not be read at all (error says
// why) and returns the message for the user. No copy is named, since none may
// be possible; the file is still not written over before one is kept.
std::string note_unreadable_file(const std::string& path, const std::string& error);

// The plain content of the scrambled user file at path, or nothing after the
// user was shown why it cannot be read (as note_unreadable_file says).
std::optional<std::string> read_user_file(const std::string& path);

// Before a write of path: when it loaded damaged or unreadable, copies it to
// the name the message gave (the next free one should that be taken
// meanwhile), written as every file is, so a failed or killed copy leaves
// none; once. An earlier copy is never replaced. Raises FileError when no copy
// can be made: the file must then not be written.
void keep_damaged_copy(const std::string& path);
