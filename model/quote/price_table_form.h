// The price table window as plain data: the article rows as loaded, to tell
// the edited ones, and the rows as the grid holds them. Loaded on showing,
// checked and stored on OK.
#pragma once

#include <vector>

#include "model/quote/price_grid.h"

struct PriceTableForm {
  std::vector<PriceGridRow> shown;  // as loaded
  std::vector<PriceGridRow> rows;   // as edited: printed code and price
};

// The articles of the current catalogue, prices with the given separator.
PriceTableForm load_price_table_form(char decimal_separator);

// Stores the edited rows (store_price_grid): -1 when stored, else the index of
// the first row whose price is not a number or too large, with nothing stored.
int apply_price_table_form(const PriceTableForm& form, char decimal_separator);
