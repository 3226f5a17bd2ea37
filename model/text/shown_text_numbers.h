// The numbers of the texts the program shows: the list of the data set
// (data/text_numbers.txt), built into the program so that a translation file
// can be held against it.
#pragma once

#include <span>

std::span<const int> shown_text_numbers();
