#include "output/print/page_text.h"

#include "model/base/rounding.h"

void set_font_mm(PageContext& page, double height_mm, bool bold) {
  int height = static_cast<int>(Round(height_mm * page.px_per_mm_y));
  page.canvas().set_font(PageFont{height < 1 ? 1 : height, bold});
}

void text_left(PageContext& page, double x_mm, double y_mm, const std::string& text) {
  page.canvas().text_out(page.px_x(x_mm), page.px_y(y_mm), text);
}

void text_right(PageContext& page, double right_mm, double y_mm, const std::string& text) {
  page.canvas().text_out(page.px_x(right_mm) - page.canvas().text_width(text), page.px_y(y_mm), text);
}

void text_centred(PageContext& page, double centre_mm, double y_mm, const std::string& text) {
  page.canvas().text_out(page.px_x(centre_mm) - page.canvas().text_width(text) / 2, page.px_y(y_mm), text);
}

void line_mm(PageContext& page, double x1_mm, double y1_mm, double x2_mm, double y2_mm) {
  page.canvas().line(page.px_x(x1_mm), page.px_y(y1_mm), page.px_x(x2_mm), page.px_y(y2_mm));
}
