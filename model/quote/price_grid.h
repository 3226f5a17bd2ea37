// The price and code table as its editing grid shows it: one row per article
// whose sizes exist in the loaded catalogue, and the store of the edited rows
// back into CodesTable and user/codici.dat.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "model/base/records.h"

// One article row of the grid, with the CodesTable row it shows.
struct PriceGridRow {
  std::size_t table_row = 0;
  std::string code;         // CODICE, read-only
  std::string description;  // read-only
  std::string alt_code;     // CODICE ALT., the printed code
  std::string price;        // in the user's decimal separator

  bool operator==(const PriceGridRow&) const = default;
};

// The articles of CodesTable whose ALT, LAR and LUNG are "-" or the size text
// of a value of HeightList, WidthList and LengthList, in table order.
std::vector<PriceGridRow> price_grid_rows(char decimal_separator);

// A price as the grid shows it: the shortest general form, in the user's decimal separator.
std::string price_grid_text(double price, char decimal_separator);

// The description of an article: its language text, then its sizes by type
// with decimal_separator as their decimal mark.
std::string article_description(const Tcodice& row, char decimal_separator);

// Stores the rows the user changed (edited against shown, row by row) into
// every CodesTable row of the same CODICE and writes user/codici.dat. Every
// price is checked first: the first that is not a number shows text::invalid_value, one
// beyond kLargestPrice (model/base/prices.h) text::invalid_value and why; nothing is then
// stored and the index of its row is returned. -1 when stored. A failed write raises FileError and leaves
// CodesTable as it was.
int store_price_grid(const std::vector<PriceGridRow>& shown, const std::vector<PriceGridRow>& edited,
                     char decimal_separator);
