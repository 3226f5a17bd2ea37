// The driver of the page renderer: it sets up the page context for a page
// size (scales, pens, font, logo), draws the quote part and the cell-drawing
// part in order, and builds the preview pages.
#pragma once

#include "output/print/page_context.h"

// Pixel scales, pens and text font of a page of w + 1 by h + 1 pixels.
void set_page_scales(PageContext& page, int w, int h);
// Draws the whole document from the current page on; the caller made the
// first page and sends the last one (printer and PDF).
void render_document(PageContext& page, int w, int h, int mode);
// Renders the whole document again as preview pages.
void build_preview(PageContext& page);
// The number of preview pages of the last build.
int preview_page_count(const PageContext& page);
