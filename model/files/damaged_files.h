// A user file that did not load whole (the customer register, the price and
// code table) is never written back silently: its reader reports what could
// not be read and notes the file, and the first write after keeps a copy of
// the damaged file beside it, so the records that could not be read are not
// lost with it.
#pragma once

#include <string>
#include <vector>

// Notes that the file at path loaded with the faults given (each naming its
// line) and returns the message for the user: the reading error, the faults
// and the name the damaged file will be kept under.
std::string note_damaged_file(const std::string& path, const std::vector<std::string>& faults);

// Before a write of path: when it loaded damaged, copies it to the name the
// message gave (the next free one should that be taken meanwhile); once. An
// earlier copy is never replaced. Raises FileError when no copy can be made:
// the file must then not be written.
void keep_damaged_copy(const std::string& path);
