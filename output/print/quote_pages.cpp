#include "output/print/quote_pages.h"

#include <array>

#include "model/quote/priced_quote.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"
#include "output/print/page_headers.h"
#include "output/print/page_numbers.h"
#include "output/print/page_pipeline.h"
#include "output/print/page_text.h"
#include "output/user_numbers.h"

namespace {

constexpr double kShift = 1.0;  // added to every column position
constexpr double kRow = 5.5;
constexpr double kFirstRow = 76 + kRow;
constexpr double kPageBreak = 250;
constexpr double kFooter = 264;

// Walks down the price table of the quote pages.
class QuoteWriter {
 public:
  QuoteWriter(PageContext& page, int w, int h, int mode) : page_(page), w_(w), h_(h), mode_(mode) {}

  void run();

 private:
  void set_columns();
  void style(bool bold) { page_.canvas().set_bold(bold); }
  void left_in_column(double column, double next_column, const std::string& text, TextFit fit);
  void right_in_column(double column, double next_column, const std::string& text);
  void amount(const std::string& text);
  void page_break();
  void next_row(double rows, bool may_break);
  void label(const std::string& text);
  void left_of_labels(const std::string& text, BoxAlign align);
  void draw_line(const PricedLine& line);
  void draw_cell(const PricedCell& cell, bool last_cell);
  void draw_cell_block(const PricedCell& cell, bool last_cell);
  void draw_totals();
  void draw_notes();

  PageContext& page_;
  int w_, h_, mode_;
  double y_ = kFirstRow;
  PricedQuote quote_;
};

void QuoteWriter::set_columns() {
  page_.c0 = quote_.with_gst ? 30 : 25;
  page_.c1 = page_.c0 + (quote_.with_gst ? 100 : 105);
  page_.c2 = page_.c1 + 25;
  page_.c3 = page_.c2 + 10;
  page_.c4 = page_.c3 + 20;
}

void QuoteWriter::page_break() {
  y_ = kFooter;
  style(false);
  label(lang_text(text::continued));
  start_new_page(page_, w_, h_, mode_, page_.print_font);
  draw_quote_table_header(page_, w_, h_);
  style(false);
  y_ = kFirstRow;
}

void QuoteWriter::next_row(double rows, bool may_break) {
  y_ += rows * kRow;
  if (may_break && y_ >= kPageBreak) page_break();
}

// A text of an item row wider than its column would run into the next one: it
// is drawn in a font small enough to end 1 mm before the column's right line.
void QuoteWriter::left_in_column(double column, double next_column, const std::string& text, TextFit fit) {
  text_in_column(page_, column, next_column, y_, text, BoxAlign::Left, fit);
}

// Likewise a number right-aligned in its column keeps 1 mm clear of its left line.
void QuoteWriter::right_in_column(double column, double next_column, const std::string& text) {
  text_in_column(page_, column, next_column, y_, text, BoxAlign::Right, TextFit::Whole);
}

void QuoteWriter::label(const std::string& text) {
  // The labels of the subtotal and total rows end at the price column and may
  // reach back to the size column's line, no further (the cell name and the
  // notes stand left of it): a longer one is drawn in a smaller font.
  text_in_box(page_, kShift + page_.c1 + 2, kShift + page_.c4 - 2, y_, text, BoxAlign::Right, TextFit::Whole);
}

void QuoteWriter::amount(const std::string& text) {
  // A large total is drawn in a smaller font, 1 mm clear of the column line.
  right_in_column(page_.c4, kPriceTableEnd, text);
}

void QuoteWriter::left_of_labels(const std::string& text, BoxAlign align) {
  // The name of a cell and the notes end 2 mm before the size column's line,
  // left of the labels of their rows.
  text_in_box(page_, kShift + 2, kShift + page_.c1 - 2, y_, text, align, TextFit::Readable);
}

void QuoteWriter::draw_line(const PricedLine& line) {
  const Tcodice& code = *line.code;
  left_in_column(0, page_.c0, code.alt_code, TextFit::Whole);
  left_in_column(page_.c0, page_.c1, lang_text(code.description_number), TextFit::Readable);
  left_in_column(page_.c1, page_.c2, quote_unit_text(line.bill.kind, code, user_decimal_separator()), TextFit::Whole);
  right_in_column(page_.c2, page_.c3,
                  line.by_length ? general_number_text(line.count) : std::to_string(line.bill.quantity));
  right_in_column(page_.c3, page_.c4, money_text(code.price));
  amount(money_text(line.amount));
}

void QuoteWriter::draw_cell(const PricedCell& cell, bool last_cell) {
  style(false);
  // The Australian layout lists each cell in the smaller text font.
  if (quote_.with_gst) page_.canvas().set_font(page_.print_font);
  for (std::size_t j = 0; j < cell.lines.size(); ++j) {
    draw_line(cell.lines[j]);
    next_row(1, j + 1 != cell.lines.size());
  }
  if (quote_.cells.size() > 1 || cell.multiplier > 1) draw_cell_block(cell, last_cell);
}

void QuoteWriter::draw_cell_block(const PricedCell& cell, bool last_cell) {
  style(true);
  left_of_labels(cell.name, BoxAlign::Right);
  label(lang_text(text::total));
  amount(money_text(cell.subtotal));
  next_row(1, true);

  label(discount_label(QuoteHeader, " + ", general_number_text));
  if (cell.discount > 0) amount("-" + money_text(cell.discount));
  next_row(1, true);

  label(lang_text(text::net_total) + (cell.multiplier > 1 ? " ( x1 )" : ""));
  amount(money_text(cell.net));
  next_row(cell.multiplier > 1 ? 1 : 2, !last_cell);
  if (cell.multiplier <= 1) return;

  label(lang_text(text::net_total) + " ( x" + std::to_string(cell.multiplier) + " )");
  amount(money_text(cell.multiplied_net));
  next_row(2, !last_cell);
}

void QuoteWriter::draw_totals() {
  QuoteSummary& summary = page_.summary;
  summary = {};
  const std::string& currency = Company.currency;
  style(true);
  y_ = kFooter;
  auto total_row = [&](int row, const std::string& caption, const std::string& value) {
    label(caption);
    amount(value);
    summary[static_cast<std::size_t>(2 * row)] = caption;
    summary[static_cast<std::size_t>(2 * row + 1)] = value;
  };
  total_row(0, lang_text(text::total) + " " + currency, money_text(quote_.gross));
  y_ += kRow;
  total_row(1, discount_label(QuoteHeader, "+", general_number_text),
            quote_.discount > 0 ? "-" + money_text(quote_.discount) : "");
  y_ += kRow;
  if (!quote_.with_gst) {
    total_row(2, lang_text(text::net_total) + " " + currency, money_text(quote_.net));
    return;
  }
  const std::array<double, 3> closing = {quote_.net, quote_.gst, quote_.total};
  for (std::size_t i = 0; i < closing.size(); ++i) {
    if (i > 0) y_ += kRow;
    total_row(static_cast<int>(i) + 2, kGstRowLabels[i] + (" " + currency), money_text(closing[i]));
  }
}

void QuoteWriter::draw_notes() {
  y_ = kFooter;
  style(true);
  left_of_labels(lang_text(text::quote_notes), BoxAlign::Left);
  style(false);
  y_ += kRow;
  left_of_labels(QuoteHeader.note1, BoxAlign::Left);
  y_ += kRow;
  left_of_labels(QuoteHeader.note2, BoxAlign::Left);
}

void QuoteWriter::run() {
  quote_ = price_quote();
  page_.canvas().set_font(page_.print_font);
  page_.canvas().set_pen_width(page_.px_y(0.3));
  set_columns();
  draw_page_header(page_, w_, h_);
  draw_quote_table_header(page_, w_, h_);
  style(false);
  y_ = kFirstRow;
  for (std::size_t c = 0; c < quote_.cells.size(); ++c) draw_cell(quote_.cells[c], c + 1 == quote_.cells.size());
  draw_totals();
  draw_notes();
}

}  // namespace

void draw_quote_pages(PageContext& page, int w, int h, int mode) { QuoteWriter(page, w, h, mode).run(); }
