#include "output/print/page_text.h"

#include <algorithm>

#include "model/base/rounding.h"

void set_font_mm(PageContext& page, double height_mm, bool bold) {
  int height = static_cast<int>(Round(height_mm * page.px_per_mm_y));
  page.canvas().set_font(PageFont{height < 1 ? 1 : height, bold});
}

namespace {

// Draws text with its top at pixel row top: from left_mm, centred between
// left_mm and right_mm, or ending at right_mm.
void text_aligned(PageContext& page, double left_mm, double right_mm, int top, const std::string& text,
                  BoxAlign align) {
  PageCanvas& canvas = page.canvas();
  const int width = canvas.text_width(text);
  const int left = align == BoxAlign::Left     ? page.px_x(left_mm)
                   : align == BoxAlign::Centre ? page.px_x((left_mm + right_mm) / 2) - width / 2
                                               : page.px_x(right_mm) - width;
  canvas.text_out(left, top, text);
}

}  // namespace

void text_left(PageContext& page, double x_mm, double y_mm, const std::string& text) {
  text_aligned(page, x_mm, x_mm, page.px_y(y_mm), text, BoxAlign::Left);
}

void text_right(PageContext& page, double right_mm, double y_mm, const std::string& text) {
  text_aligned(page, right_mm, right_mm, page.px_y(y_mm), text, BoxAlign::Right);
}

void text_centred(PageContext& page, double centre_mm, double y_mm, const std::string& text) {
  text_aligned(page, centre_mm, centre_mm, page.px_y(y_mm), text, BoxAlign::Centre);
}

PageFont fit_font(PageCanvas& canvas, const std::string& text, int room, TextFit fit) {
  const PageFont font = canvas.font();
  const int width = canvas.text_width(text);
  if (width <= room || room <= 0) return font;
  const int smallest = fit == TextFit::Whole ? 1 : std::max(font.height / 2, 1);
  // Text width does not scale exactly with the font: step down to the first that fits.
  int height = std::max(static_cast<int>(Round(static_cast<double>(font.height) * room / width)), smallest);
  canvas.set_font(PageFont{height, font.bold});
  while (height > smallest && canvas.text_width(text) > room) canvas.set_font(PageFont{--height, font.bold});
  return font;
}

void text_in_box(PageContext& page, double left_mm, double right_mm, double y_mm, const std::string& text,
                 BoxAlign align, TextFit fit) {
  // Nearly every text fits: it is measured once and drawn as ever, without a font change.
  PageCanvas& canvas = page.canvas();
  const int left = page.px_x(left_mm);
  const int room = page.px_x(right_mm) - left;
  const int top = page.px_y(y_mm);
  if (text.empty()) return;
  if (canvas.text_width(text) <= room) return text_aligned(page, left_mm, right_mm, top, text, align);
  const PageFont font = fit_font(canvas, text, room, fit);
  // A smaller text keeps the middle of the row, not its top, in line with its neighbours.
  const int middle_top = top + (font.height - canvas.font().height) / 2;
  if (canvas.text_width(text) > room)
    canvas.text_out_cut(left, middle_top, text, left + room);
  else
    text_aligned(page, left_mm, right_mm, middle_top, text, align);
  canvas.set_font(font);
}

void text_in_column(PageContext& page, double column, double next_column, double y_mm, const std::string& text,
                    BoxAlign align, TextFit fit) {
  // 2 mm from the line a text is aligned to, and 1 mm from the other.
  constexpr double shift = 1.0;
  const bool left = align == BoxAlign::Left;
  text_in_box(page, shift + column + (left ? 2 : 1), shift + next_column - (left ? 1 : 2), y_mm, text, align, fit);
}

void line_mm(PageContext& page, double x1_mm, double y1_mm, double x2_mm, double y2_mm) {
  page.canvas().line(page.px_x(x1_mm), page.px_y(y1_mm), page.px_x(x2_mm), page.px_y(y2_mm));
}
