#include "model/quote/priced_quote.h"

#include "model/base/gst_market.h"
#include "model/base/string_utils.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/text_numbers.h"

namespace {

// A line whose row the price table does not hold (a bill older than the
// table) is no line of the quote.
bool is_priced(const Trec_prv& line) {
  return line.code_row >= 0 && static_cast<std::size_t>(line.code_row) < CodesTable.size();
}

PricedLine priced_line(const Trec_prv& line) {
  PricedLine priced;
  priced.code = &CodesTable[static_cast<std::size_t>(line.code_row)];
  priced.bill = line;
  priced.by_length = line.kind == "OV";
  priced.count = priced.by_length ? line.length_sum : line.quantity;
  priced.amount = priced.count * priced.code->price;
  return priced;
}

// Adds the cell's lines to the project's gross as it goes, line by line, so
// the sum keeps one order on every page and export.
PricedCell priced_cell(const std::string& name, const Tdett_prv& lines, double factor, double& gross) {
  PricedCell cell;
  cell.name = name;
  cell.multiplier = parse_multiplier(name);
  for (const Trec_prv& line : lines) {
    if (!is_priced(line)) continue;
    cell.lines.push_back(priced_line(line));
    const double amount = cell.lines.back().amount;
    gross += cell.multiplier * amount;
    cell.subtotal += amount;
  }
  cell.discount = cell.subtotal - cell.subtotal * factor;
  cell.net = cell.subtotal * factor;
  cell.multiplied_net = cell.multiplier * cell.subtotal * factor;
  return cell;
}

}  // namespace

PricedQuote price_quote() {
  PricedQuote quote;
  quote.discount_factor = discount_factor(QuoteHeader);
  for (std::size_t c = 0; c < QuoteDetails.size(); ++c) {
    const std::string name = c < Cells.size() ? Cells[c].name : std::string();
    quote.cells.push_back(priced_cell(name, QuoteDetails[c], quote.discount_factor, quote.gross));
  }
  quote.discount = quote.gross - quote.gross * quote.discount_factor;
  quote.net = quote.gross * quote.discount_factor;
  quote.with_gst = is_gst_market(Company);
  quote.gst = quote.net * kGstRate;
  quote.total = quote.net * (1 + kGstRate);
  return quote;
}

double discount_factor(const Tprv& header) {
  return (1 - header.discount1 / 100) * (1 - header.discount2 / 100) * (1 - header.discount3 / 100) *
         (1 - header.discount4 / 100);
}

std::string discount_label(const Tprv& header, const std::string& separator, NumberText number_text) {
  std::string list;
  if (header.discount1 > 0) list = number_text(header.discount1) + "%";
  for (double discount : {header.discount2, header.discount3, header.discount4})
    if (discount > 0) list += separator + number_text(discount) + "%";
  std::string label = lang_text(text::discounts);
  if (!list.empty()) label += " (" + list + ")";
  return label;
}

std::string quote_unit_text(const std::string& kind, const Tcodice& code, char decimal_separator) {
  const auto size = [decimal_separator](const std::string& key) { return shown_size(key, decimal_separator); };
  std::string unit;
  if (kind.starts_with('T')) unit = size(code.lar) + " x " + size(code.alt);
  if (kind.starts_with('G')) unit = size(code.lar);
  if (kind.starts_with('R')) unit = size(code.lar) + " x " + size(code.lung);
  if (kind == "KG") unit = size(code.lung);
  if (kind == "RG" || kind == "RGF" || kind == "PRG") unit = "n";
  if (kind == "OV") unit = "m";
  return unit;
}
