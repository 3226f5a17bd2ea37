#include "model/quote/price_table_form.h"

PriceTableForm load_price_table_form(char decimal_separator) {
  PriceTableForm form;
  form.shown = price_grid_rows(decimal_separator);
  form.rows = form.shown;
  return form;
}

int apply_price_table_form(const PriceTableForm& form, char decimal_separator) {
  return store_price_grid(form.shown, form.rows, decimal_separator);
}
