// Texts and lines placed in page millimetres, the unit of the page layouts.
// A text's y is its top; x is its left end, its right end or its centre.
#pragma once

#include <string>

#include "output/print/page_context.h"

// Sets the canvas font to a cell height in page millimetres (at least 1 pixel).
void set_font_mm(PageContext& page, double height_mm, bool bold);
void text_left(PageContext& page, double x_mm, double y_mm, const std::string& text);
void text_right(PageContext& page, double right_mm, double y_mm, const std::string& text);
void text_centred(PageContext& page, double centre_mm, double y_mm, const std::string& text);
// A line between two points in page millimetres.
void line_mm(PageContext& page, double x1_mm, double y1_mm, double x2_mm, double y2_mm);
