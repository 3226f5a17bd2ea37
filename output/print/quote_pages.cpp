#include "output/print/quote_pages.h"

#include "model/base/string_utils.h"
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

bool starts_with(const std::string& text, char c) { return !text.empty() && text[0] == c; }

// A line without a row of the price table leaves no trace on the page.
bool is_priced(const Trec_prv& line) {
  return line.code_row >= 0 && static_cast<std::size_t>(line.code_row) < CodesTable.size();
}

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
  void draw_line(const Trec_prv& line, double multiplier, double& cell_sum);
  void draw_cell_block(const std::string& name, int multiplier, double cell_sum, bool last_cell);
  void draw_totals();
  void draw_notes();

  PageContext& page_;
  int w_, h_, mode_;
  double y_ = kFirstRow;
  double grand_total_ = 0;
};

void QuoteWriter::set_columns() {
  bool australian = Company.currency == "A$";
  page_.c0 = australian ? 30 : 25;
  page_.c1 = page_.c0 + (australian ? 100 : 105);
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

void QuoteWriter::draw_line(const Trec_prv& line, double multiplier, double& cell_sum) {
  const Tcodice& code = CodesTable[static_cast<std::size_t>(line.code_row)];
  bool by_length = line.kind == "OV";
  double line_amount = by_length ? code.price * line.length_sum : line.quantity * code.price;
  grand_total_ += multiplier * line_amount;
  cell_sum += line_amount;

  left_in_column(0, page_.c0, code.alt_code, TextFit::Whole);
  left_in_column(page_.c0, page_.c1, lang_text(code.description_number), TextFit::Readable);
  left_in_column(page_.c1, page_.c2, quote_unit_text(line.kind, code), TextFit::Whole);
  right_in_column(page_.c2, page_.c3, by_length ? general_number_text(line.length_sum) : std::to_string(line.quantity));
  right_in_column(page_.c3, page_.c4, money_text(code.price));
  amount(money_text(line_amount));
}

void QuoteWriter::draw_cell_block(const std::string& name, int multiplier, double cell_sum, bool last_cell) {
  double factor = discount_factor(QuoteHeader);
  style(true);
  left_of_labels(name, BoxAlign::Right);
  label(lang_text(text::total));
  amount(money_text(cell_sum));
  next_row(1, true);

  label(discount_label(QuoteHeader, " + "));
  if (cell_sum - cell_sum * factor > 0) amount("-" + money_text(cell_sum - cell_sum * factor));
  next_row(1, true);

  label(lang_text(text::net_total) + (multiplier > 1 ? " ( x1 )" : ""));
  amount(money_text(cell_sum * factor));
  next_row(multiplier > 1 ? 1 : 2, !last_cell);
  if (multiplier <= 1) return;

  label(lang_text(text::net_total) + " ( x" + std::to_string(multiplier) + " )");
  amount(money_text(multiplier * cell_sum * factor));
  next_row(2, !last_cell);
}

void QuoteWriter::draw_totals() {
  QuoteSummary& summary = page_.summary;
  summary = {};
  double factor = discount_factor(QuoteHeader);
  const std::string& currency = Company.currency;
  style(true);
  y_ = kFooter;
  auto total_row = [&](int row, const std::string& caption, const std::string& value) {
    label(caption);
    amount(value);
    summary[static_cast<std::size_t>(2 * row)] = caption;
    summary[static_cast<std::size_t>(2 * row + 1)] = value;
  };
  total_row(0, lang_text(text::total) + " " + currency, money_text(grand_total_));
  y_ += kRow;
  double discount = grand_total_ - grand_total_ * factor;
  total_row(1, discount_label(QuoteHeader, "+"), discount > 0 ? "-" + money_text(discount) : "");
  double net = grand_total_ * factor;
  y_ += kRow;
  if (currency == "A$") {
    total_row(2, "Project Subtotal (Ex-GST) " + currency, money_text(net));
    y_ += kRow;
    total_row(3, "Project GST " + currency, money_text(net * 0.1));
    y_ += kRow;
    total_row(4, "Project Total " + currency, money_text(net * 1.1));
  } else {
    total_row(2, lang_text(text::net_total) + " " + currency, money_text(net));
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
  page_.canvas().set_font(page_.print_font);
  page_.canvas().set_pen_width(page_.px_y(0.3));
  set_columns();
  draw_page_header(page_, w_, h_);
  draw_quote_table_header(page_, w_, h_);
  style(false);
  y_ = kFirstRow;
  grand_total_ = 0;

  std::size_t cell_count = QuoteDetails.size();
  for (std::size_t c = 0; c < cell_count; ++c) {
    std::string name = c < Cells.size() ? Cells[c].name : std::string();
    int multiplier = parse_multiplier(name);
    style(false);
    // The Australian layout lists each cell in the smaller text font.
    if (Company.currency == "A$") page_.canvas().set_font(page_.print_font);
    double cell_sum = 0;
    const Tdett_prv& lines = QuoteDetails[c];
    std::size_t last_priced = lines.size();
    for (std::size_t j = 0; j < lines.size(); ++j)
      if (is_priced(lines[j])) last_priced = j;
    for (std::size_t j = 0; j < lines.size(); ++j) {
      if (!is_priced(lines[j])) continue;
      draw_line(lines[j], multiplier, cell_sum);
      next_row(1, j != last_priced);
    }
    if (cell_count > 1 || multiplier > 1) draw_cell_block(name, multiplier, cell_sum, c + 1 == cell_count);
  }
  draw_totals();
  draw_notes();
}

}  // namespace

std::string quote_unit_text(const std::string& kind, const Tcodice& code) {
  const auto size = [](const std::string& key) { return shown_size(key, user_decimal_separator()); };
  std::string unit;
  if (starts_with(kind, 'T')) unit = size(code.lar) + " x " + size(code.alt);
  if (starts_with(kind, 'G')) unit = size(code.lar);
  if (starts_with(kind, 'R')) unit = size(code.lar) + " x " + size(code.lung);
  if (kind == "KG") unit = size(code.lung);
  if (kind == "RG" || kind == "RGF" || kind == "PRG") unit = "n";
  if (kind == "OV") unit = "m";
  return unit;
}

std::string discount_label(const Tprv& header, const std::string& separator) {
  std::string list;
  if (header.discount1 > 0) list = general_number_text(header.discount1) + "%";
  for (double discount : {header.discount2, header.discount3, header.discount4})
    if (discount > 0) list += separator + general_number_text(discount) + "%";
  std::string label = lang_text(text::discounts);
  if (!list.empty()) label += " (" + list + ")";
  return label;
}

double discount_factor(const Tprv& header) {
  return (1 - header.discount1 / 100) * (1 - header.discount2 / 100) * (1 - header.discount3 / 100) *
         (1 - header.discount4 / 100);
}

void draw_quote_pages(PageContext& page, int w, int h, int mode) { QuoteWriter(page, w, h, mode).run(); }
