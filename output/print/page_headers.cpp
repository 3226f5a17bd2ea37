#include "output/print/page_headers.h"

#include <QPolygon>

#include "model/base/string_utils.h"
#include "model/files/logo_file.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"
#include "output/print/page_size.h"
#include "output/print/page_text.h"

namespace {

constexpr double kMargin = 1.0;
constexpr double kHeaderBottom = 45.0;

// The frame, the company block and the logo, the same on every page.
void draw_common_header(PageContext& page, int w, int h) {
  PageCanvas& canvas = page.canvas();
  int mx = page.px_x(kMargin);
  int my = page.px_y(kMargin);
  canvas.polyline(QPolygon({{mx, my}, {w - mx, my}, {w - mx, h - my}, {mx, h - my}, {mx, my}}));
  canvas.line(mx, page.px_y(kHeaderBottom), w - mx, page.px_y(kHeaderBottom));
  canvas.line(page.px_x(115), my, page.px_x(115), page.px_y(kHeaderBottom));

  if (page.logo && page.logo->height() > 0) {
    int left = page.px_x(2 * kMargin);
    int top = page.px_y(2 * kMargin);
    int bottom = page.px_y(30 - kMargin);
    int width = static_cast<int>(static_cast<long long>(page.logo->width()) * (bottom - top) / page.logo->height());
    canvas.stretch_draw(QRect(left, top, width, bottom - top), *page.logo);
  }

  // Header line i shares its row with more line 6 + i: it ends 1 mm before
  // that line when the line holds text, else 1 mm before the line at 115 mm,
  // like the more lines. A line of blanks shows nothing, so it is not drawn:
  // its opaque box would blank the header line under it.
  set_font_mm(page, 3, false);
  auto holds_text = [](const std::string& line) { return line.find_first_not_of(' ') != std::string::npos; };
  for (std::size_t i = 0; i < 4; ++i)
    text_in_box(page, 2, holds_text(Company.more_lines[6 + i]) ? 49 : 114, kMargin + 30 + 3 * i,
                Company.header_lines[i], BoxAlign::Left, TextFit::Readable);
  for (std::size_t i = 0; i < 10; ++i)
    if (holds_text(Company.more_lines[i]))
      text_in_box(page, 50, 114, 13 + 3 * i, Company.more_lines[i], BoxAlign::Left, TextFit::Readable);
}

// A text of the right-hand box from x_mm on, ending 1 mm before the page frame.
void right_box_text(PageContext& page, double x_mm, double y_mm, const std::string& text,
                    TextFit fit = TextFit::Readable) {
  text_in_box(page, x_mm, kPageWidthMm - kMargin - 1, y_mm, text, BoxAlign::Left, fit);
}

// A value of the quote data, centred in its box between two lines and kept
// 1 mm clear of them, so that a long one never runs into its neighbour.
void value_in_box(PageContext& page, double left_line, double right_line, double y, const std::string& value,
                  TextFit fit) {
  text_in_box(page, left_line + 1, right_line - 1, y, value, BoxAlign::Centre, fit);
}

}  // namespace

std::optional<QImage> load_logo(const std::string& logo_name) {
  std::string path = find_logo_file(logo_name);
  if (path.empty()) return std::nullopt;
  QImage picture(QString::fromStdString(path));
  if (picture.isNull()) return std::nullopt;
  return picture;
}

void draw_page_header(PageContext& page, int w, int h) {
  if (page.drawing_part)
    draw_drawing_header(page, w, h);
  else
    draw_quote_header(page, w, h);
}

void draw_quote_header(PageContext& page, int w, int h) {
  draw_common_header(page, w, h);
  set_font_mm(page, 5, false);
  right_box_text(page, 120, 10, lang_text(text::addressee));
  if (!page.print_customer_block) return;
  const Tcliente& customer = QuoteHeader.customer;
  right_box_text(page, 125, 15, customer.name);
  right_box_text(page, 125, 20, customer.address);
  right_box_text(page, 125, 25, customer.postcode + " " + customer.city + " " + customer.province);
  right_box_text(page, 125, 30, customer.country);
}

void draw_drawing_header(PageContext& page, int w, int h) {
  draw_common_header(page, w, h);
  constexpr double band = (kHeaderBottom - kMargin) / 4;
  int frame_right = w - page.px_x(kMargin);
  for (int k = 1; k <= 3; ++k) {
    int y = page.px_y(kMargin + k * band);
    page.canvas().line(page.px_x(115), y, frame_right, y);
  }
  const int captions[4] = {text::customer, text::customer_reference, text::drawing, text::quote_number};
  set_font_mm(page, 3, false);
  for (int k = 0; k < 4; ++k) text_left(page, 116, kMargin + 1 + k * band, lang_text(captions[k]));
  const std::string values[4] = {page.print_customer_block ? QuoteHeader.customer.name : std::string(),
                                 QuoteHeader.customer_ref, QuoteHeader.drawing, QuoteHeader.number};
  set_font_mm(page, 5, false);
  for (int k = 0; k < 4; ++k)
    right_box_text(page, 120, kMargin + 5 + k * band, values[k], k == 3 ? TextFit::Whole : TextFit::Readable);
}

void draw_quote_table_header(PageContext& page, int w, int /*h*/) {
  PageCanvas& canvas = page.canvas();
  canvas.set_font(page.print_font);
  canvas.set_pen_width(page.px_y(0.3));
  int mx = page.px_x(kMargin);
  canvas.line(mx, page.px_y(55), w - mx, page.px_y(55));

  set_font_mm(page, 8, true);
  std::string title = ascii_upper(lang_text(text::quote));
  canvas.text_out(w / 2 - canvas.text_width(title) / 2, page.px_y(46), title);
  canvas.line(mx, page.px_y(65), w - mx, page.px_y(65));

  constexpr double box = (kPageWidthMm - 2 * kMargin) / 4;
  const int captions[4] = {114, 113, 115, 133};
  const std::string values[4] = {QuoteHeader.number, QuoteHeader.date, QuoteHeader.from, QuoteHeader.drawing};
  for (int k = 0; k < 4; ++k) {
    double left = kMargin + k * box;
    set_font_mm(page, 3, true);
    text_left(page, left + 3, 55.5, lang_text(captions[k]));
    set_font_mm(page, 5, false);
    value_in_box(page, left, left + box, 58.5, values[k], k == 0 ? TextFit::Whole : TextFit::Readable);
    line_mm(page, left + box, 55, left + box, 65);
  }

  set_font_mm(page, 3, true);
  text_left(page, kMargin + 3, 65.5, lang_text(text::customer_reference));
  set_font_mm(page, 5, false);
  value_in_box(page, kMargin, kPageWidthMm - kMargin, 68.5, QuoteHeader.customer_ref, TextFit::Readable);

  int top = page.px_y(75);
  int bottom = page.px_y(262);
  canvas.line(mx, top, w - mx, top);
  canvas.line(mx, bottom, w - mx, bottom);
  for (double column : {page.c0, page.c1, page.c2, page.c3})
    canvas.line(page.px_x(kMargin + column), top, page.px_x(kMargin + column), bottom);
  canvas.line(page.px_x(kMargin + page.c4), top, page.px_x(kMargin + page.c4), page.px_y(kPageHeightMm - kMargin));

  // Each heading in its column, as the item rows below it: a long translation
  // or currency would cross the column's line and blank its neighbour.
  set_font_mm(page, 4, true);
  const double lines[] = {0, page.c0, page.c1, page.c2, page.c3, page.c4, kPriceTableEnd};
  const std::string headings[] = {lang_text(text::code_heading),       lang_text(text::description_heading),
                                  lang_text(text::size_heading),       lang_text(text::quantity_heading),
                                  lang_text(text::unit_price_heading), lang_text(text::total) + " " + Company.currency};
  for (int k = 0; k < 6; ++k)
    text_in_column(page, lines[k], lines[k + 1], 76, headings[k], k < 3 ? BoxAlign::Left : BoxAlign::Right,
                   TextFit::Readable);
}
