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

// Where a text stands in its box.
enum class BoxAlign { Left, Centre, Right };
// How small a text too wide for its box may get before its end is cut off:
// codes, amounts and total labels as small as they must (a cut one would be
// a wrong one), other texts down to half their height, so that they stay
// readable.
enum class TextFit { Whole, Readable };
// Sets the largest font, down to what fit allows, in which text fits room
// pixels, when the canvas font is too wide for it; gives back the font it replaced.
PageFont fit_font(PageCanvas& canvas, const std::string& text, int room, TextFit fit);
// Draws text with its top at y_mm in the box from left_mm to right_mm. A text
// that fits is drawn in the canvas font, as text_left, text_centred or
// text_right would draw it; a wider one in a smaller font; one still too wide
// from the box's left, cut at its right. The canvas font is left as it was.
void text_in_box(PageContext& page, double left_mm, double right_mm, double y_mm, const std::string& text,
                 BoxAlign align, TextFit fit);
// The right frame line as a column position of the price table, whose
// columns stand 1 mm further right than their positions (PageContext c0..c4).
inline constexpr double kPriceTableEnd = 208;
// Draws text with its top at y_mm in the price-table column between the
// positions column and next_column, as text_in_box does: a left-aligned text
// from 2 mm after the column's left line to 1 mm before its right one, a
// right-aligned one from 1 mm after its left line to 2 mm before its right one.
void text_in_column(PageContext& page, double column, double next_column, double y_mm, const std::string& text,
                    BoxAlign align, TextFit fit);
// A line between two points in page millimetres.
void line_mm(PageContext& page, double x1_mm, double y1_mm, double x2_mm, double y2_mm);
