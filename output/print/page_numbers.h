// Numbers as the printed pages show them, in the user's locale.
#pragma once

#include <string>

// Money: two decimals, the integer part grouped in threes with the locale's
// separators ("1,234,567.89", "1.234.567,89"); a four-digit one stays
// ungrouped where the locale says so ("1234,50" in Spanish and Polish).
std::string money_text(double value);
// The shortest general form, up to 15 significant digits, no grouping ("4.2", "1000").
std::string general_number_text(double value);
// Fixed notation with the given decimals, no grouping.
std::string fixed_number_text(double value, int decimals);
