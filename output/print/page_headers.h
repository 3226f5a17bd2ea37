// The header at the top of every printed page: the frame, the company block
// with the logo, and the customer block (quote pages) or the title block of
// the drawings; and the second band of the quote pages with the title, the
// quote data and the price-table grid.
#pragma once

#include <QImage>
#include <optional>
#include <string>

#include "output/print/page_context.h"

// The quote header while the quote part is drawn, the drawing title block after.
void draw_page_header(PageContext& page, int w, int h);
void draw_quote_header(PageContext& page, int w, int h);
void draw_drawing_header(PageContext& page, int w, int h);
void draw_quote_table_header(PageContext& page, int w, int h);

// The decoded logo, or none when there is no file or it is no picture.
std::optional<QImage> load_logo(const std::string& logo_name);
