// Numbers as the printed pages show them, in the user's locale.
#pragma once

#include <string>

// Money: thousands separators and two decimals ("1,234.50", "1.234,50").
std::string money_text(double value);
// The shortest general form, up to 15 significant digits, no grouping ("4.2", "1000").
std::string general_number_text(double value);
// Fixed notation with the given decimals, no grouping.
std::string fixed_number_text(double value, int decimals);
