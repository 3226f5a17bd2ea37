// The one bound on the prices of the price and code table, kept alike by the
// price table window, the codes file reader and the catalogue editor's codes
// page, each saying why a price is refused.
#pragma once

#include <string>
#include <string_view>

// The largest price either way a price list holds: a thousand million less a
// cent, far above any real article in any currency of the program's languages
// (a kit priced in koruna at 1,234,567.89 is a thousandth of it).
// - A price has at most 11 significant digits: a double holds it to the cent,
//   and the codes file's 15-digit general form writes it back unchanged.
// - Every total of any project stays finite: a quote line is at most an int
//   quantity (below 2^31) times this price, times the int multiplier (below
//   2^31) of its cell, under 5e27; a million such lines stay far below the
//   largest double (1.8e308).
// - A total prints every digit right to the cent while it stays below 1e13
//   (15 significant digits; a double holds such a number within about a
//   thousandth): ten thousand pieces of the dearest possible article. Real
//   quotes, of real prices, stay far below that. The prices and amounts on
//   the pages shrink to stay whole, so no column width bounds a price.
inline constexpr double kLargestPrice = 999'999'999.99;

// True for a price within kLargestPrice either way (NaN is not).
bool is_storable_price(double price);

// Why a price as written, with decimal_separator as its decimal mark, is no
// price a price list holds: not a number, or beyond kLargestPrice, said with
// the bound. Empty when it is one, and value then holds it.
std::string price_refusal(std::string_view text, char decimal_separator, double& value);
