// Case folding of the user's words, for searches that ignore case.
#pragma once

#include <string>
#include <string_view>

// text with every capital of every script in its small form (Unicode's simple
// case folding, one letter for one), the same in every locale: "ŽĎÁR" and
// "žďár" fold alike, and so do "ŁÓDŹ" and "łódź". A text that is not UTF-8
// folds its letters a to z alone. File names keep the ASCII-only fold of
// string_utils.h: that one follows what the system matches.
std::string fold_case(std::string_view text);
