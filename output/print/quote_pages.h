// The priced quote on the pages: every cell's bill-of-materials lines with
// code, description, size, quantity, price and amount; a block per cell with
// the discounts and the cell's multiplier; the project totals (with goods and
// services tax in the GST market) and the notes, all figures as the priced
// quote gives them. Pages break when the table is full; the totals are also
// left in the page context's summary.
#pragma once

#include "output/print/page_context.h"

// Draws the quote from the current page on, leaving its last page open.
void draw_quote_pages(PageContext& page, int w, int h, int mode);
