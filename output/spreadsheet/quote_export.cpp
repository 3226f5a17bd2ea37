#include "output/spreadsheet/quote_export.h"

#include <filesystem>

#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"
#include "output/print/quote_pages.h"

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
  return quote_unit_text(kind, code);
}

std::string structure_text(const Tcell& cell) {
  if (cell.structure_type < 0 || static_cast<std::size_t>(cell.structure_type) >= StructureTypes.size()) return "";
  return lang_text(StructureTypes[static_cast<std::size_t>(cell.structure_type)].long_text);
}

class QuoteSheetWriter {
 public:
  explicit QuoteSheetWriter(SpreadsheetApp& sheet) : sheet_(sheet) {}

  void cell(std::size_t index);

 private:
  void row_from(int template_row) { sheet_.copy_row(template_row, r_); }
  void set(int column, CellValue value) { sheet_.set_cell(column, r_, std::move(value)); }
  void headings(const Tcell& cell);
  void item(const Trec_prv& line);
  void totals();

  SpreadsheetApp& sheet_;
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

void QuoteSheetWriter::item(const Trec_prv& line) {
  const Tcodice& code = CodesTable[static_cast<std::size_t>(line.code_row)];
  bool by_length = line.kind == "OV";
  row_from(kItemRow);
  set(kCode, code.alt_code);
  set(kUnit, std::string(by_length ? "m" : "n."));
  set(kQuantity, by_length ? line.length_sum : static_cast<double>(line.quantity));
  set(kDescription, lang_text(code.description_number) + " " + size_text(line.kind, code));
  set(kPrice, code.price);
  set(kAmount, formula(cell_name(kQuantity, r_) + "*" + cell_name(kPrice, r_)));
  ++r_;
}

void QuoteSheetWriter::totals() {
  const std::string& currency = Company.currency;
  int subtotal = r_ - 1;
  row_from(kDiscountRow);
  set(kDescription, lang_text(text::sheet_discount));
  set(kPrice, 1 - discount_factor(QuoteHeader));
  set(kAmount, formula(f(r_ - 1) + "*" + cell_name(kPrice, r_)));
  r_ += 2;
  if (currency == "A$") {
    const char* labels[3] = {"Project Subtotal (Ex-GST)", "Project GST", "Project Total"};
    std::string sums[3] = {f(subtotal) + "-" + f(subtotal + 1), f(r_) + "*0.1", f(r_ + 1) + "+" + f(r_)};
    for (int i = 0; i < 3; ++i) {
      if (i > 0) ++r_;
      row_from(kTotalRow);
      set(kDescription, std::string(labels[i]));
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
  if (index < QuoteDetails.size())
    for (const Trec_prv& line : QuoteDetails[index])
      if (line.code_row >= 0 && static_cast<std::size_t>(line.code_row) < CodesTable.size()) item(line);
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
  QuoteSheetWriter writer(sheet);
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
