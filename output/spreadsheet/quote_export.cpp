#include "output/spreadsheet/quote_export.h"

#include <array>
#include <filesystem>

#include "model/base/text_io.h"
#include "model/quote/priced_quote.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"
#include "output/user_numbers.h"

namespace {

enum Column { kCode = 1, kUnit, kQuantity, kDescription, kPrice, kAmount };

// Template rows of sheet 2.
enum TemplateRow {
  kHeadingRow = 1,
  kSpacerRow = 2,
  kTitlesRow = 3,
  kSecondTitlesRow = 4,
  kSecondSpacerRow = 5,
  kItemRow = 6,
  kSubtotalRow = 8,
  kDiscountRow = 9,
  kTotalRow = 11
};

Formula formula(const std::string& text) { return Formula{text}; }
std::string f(int row) { return cell_name(kAmount, row); }

// The size the description of a line ends with: the printed quote's size,
// except that the kinds it gives a unit ("n", "m") end with none here.
std::string size_text(const std::string& kind, const Tcodice& code) {
  if (kind == "RG" || kind == "RGF" || kind == "OV" || kind == "PRG") return "";
  return quote_unit_text(kind, code, user_decimal_separator());
}

std::string structure_text(const Tcell& cell) {
  if (cell.structure_type < 0 || static_cast<std::size_t>(cell.structure_type) >= StructureTypes.size()) return "";
  return lang_text(StructureTypes[static_cast<std::size_t>(cell.structure_type)].long_text);
}

class QuoteSheetWriter {
 public:
  QuoteSheetWriter(SpreadsheetApp& sheet, const PricedQuote& quote) : sheet_(sheet), quote_(quote) {}

  void cell(std::size_t index);

 private:
  void row_from(int template_row) { sheet_.copy_row(template_row, r_); }
  void set(int column, CellValue value) { sheet_.set_cell(column, r_, std::move(value)); }
  void headings(const Tcell& cell);
  void item(const PricedLine& line);
  void totals();

  SpreadsheetApp& sheet_;
  const PricedQuote& quote_;
  int r_ = 1;
};

void QuoteSheetWriter::headings(const Tcell& cell) {
  row_from(kHeadingRow);
  set(kCode, cell.name + " : " + structure_text(cell));
  ++r_;
  row_from(kSpacerRow);
  ++r_;
  row_from(kTitlesRow);
  int column = kCode;
  for (int text : {text::sheet_code_title, text::sheet_unit_title, text::sheet_quantity_title,
                   text::sheet_description_title, text::sheet_price_title, text::sheet_amount_title})
    set(column++, lang_text(text));
  ++r_;
  row_from(kSecondTitlesRow);
  set(kPrice, lang_text(text::sheet_price_title_2));
  set(kAmount, lang_text(text::sheet_amount_title_2));
  ++r_;
  row_from(kSecondSpacerRow);
  ++r_;
}

void QuoteSheetWriter::item(const PricedLine& line) {
  const Tcodice& code = *line.code;
  row_from(kItemRow);
  set(kCode, code.alt_code);
  set(kUnit, std::string(line.by_length ? "m" : "n."));
  set(kQuantity, line.count);
  set(kDescription, lang_text(code.description_number) + " " + size_text(line.bill.kind, code));
  set(kPrice, code.price);
  set(kAmount, formula(cell_name(kQuantity, r_) + "*" + cell_name(kPrice, r_)));
  ++r_;
}

void QuoteSheetWriter::totals() {
  const std::string& currency = Company.currency;
  int subtotal = r_ - 1;
  row_from(kDiscountRow);
  set(kDescription, lang_text(text::sheet_discount));
  set(kPrice, 1 - quote_.discount_factor);
  set(kAmount, formula(f(r_ - 1) + "*" + cell_name(kPrice, r_)));
  r_ += 2;
  if (quote_.with_gst) {
    // The net before tax, the tax on it, the total with it.
    const std::array<std::string, 3> sums = {f(subtotal) + "-" + f(subtotal + 1),
                                             f(r_) + "*" + format_general(kGstRate), f(r_ + 1) + "+" + f(r_)};
    for (std::size_t i = 0; i < sums.size(); ++i) {
      if (i > 0) ++r_;
      row_from(kTotalRow);
      set(kDescription, std::string(kGstRowLabels[i]));
      set(kPrice, currency);
      set(kAmount, formula(sums[i]));
    }
  } else {
    row_from(kTotalRow);
    set(kDescription, lang_text(text::sheet_net_total));
    set(kPrice, currency);
    set(kAmount, formula(f(subtotal) + "-" + f(subtotal + 1)));
  }
  r_ += 3;
}

void QuoteSheetWriter::cell(std::size_t index) {
  headings(Cells[index]);
  // The subtotal sums from the first item row: skipped lines leave no row.
  int first_item = r_;
  if (index < quote_.cells.size())
    for (const PricedLine& line : quote_.cells[index].lines) item(line);
  ++r_;
  row_from(kSubtotalRow);
  set(kDescription, lang_text(text::sheet_cell_subtotal));
  set(kPrice, Company.currency);
  set(kAmount, formula("SUM(" + f(first_item) + ":" + f(r_ - 1) + ")"));
  ++r_;
  totals();
}

}  // namespace

void write_quote_sheet(SpreadsheetApp& sheet) {
  const PricedQuote quote = price_quote();
  QuoteSheetWriter writer(sheet, quote);
  for (std::size_t i = 0; i < Cells.size(); ++i) writer.cell(i);
}

std::string spreadsheet_export_path() {
  std::string path = user_path("preventivo.xlsx");
  for (int n = 1; std::filesystem::exists(path); ++n) path = user_path("preventivo_" + std::to_string(n) + ".xlsx");
  return path;
}

void export_quote_excel() {
  SpreadsheetApp sheet;
  sheet.open_template(program_path("data/quote_template.txt"));
  write_quote_sheet(sheet);
  sheet.make_visible(spreadsheet_export_path());
}
