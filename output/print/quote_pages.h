// The priced quote: every cell's bill-of-materials lines with code,
// description, size, quantity, price and amount; a block per cell with the
// discounts and the cell's multiplier; the project totals (with goods and
// services tax when the currency is "A$") and the notes. Pages break when the
// table is full; the totals are also left in the page context's summary.
#pragma once

#include <string>

#include "model/base/records.h"
#include "output/print/page_context.h"

// Draws the quote from the current page on, leaving its last page open.
void draw_quote_pages(PageContext& page, int w, int h, int mode);

// The size or unit text of a quote line of this kind.
std::string quote_unit_text(const std::string& kind, const Tcodice& code);
// The discount label: text::discounts, then the non-zero discounts in brackets;
// separator between the discounts after the first (" + " or "+").
std::string discount_label(const Tprv& header, const std::string& separator);
// (1 - d1/100) x .. x (1 - d4/100).
double discount_factor(const Tprv& header);
