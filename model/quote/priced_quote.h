// The quote of the open project priced once: each cell's priced lines, its
// subtotal under the cascaded discounts and its multiplier, and the project's
// totals, with goods and services tax in the GST market. The printed quote
// draws these figures; the spreadsheet turns them into formulas whose results
// are the same figures.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/base/records.h"

// The goods and services tax of the GST market, on the net after discounts.
inline constexpr double kGstRate = 0.1;
// The fixed English captions of the GST market's closing rows: the net before
// tax, the tax, and the total with it.
inline constexpr std::array<const char*, 3> kGstRowLabels = {"Project Subtotal (Ex-GST)", "Project GST",
                                                             "Project Total"};

// A number as the user reads it; the pages' formatter follows the user's locale.
using NumberText = std::string (*)(double);

// A line of the bill of materials with a row in the price table.
struct PricedLine {
  const Tcodice* code = nullptr;  // the price table's row, alive while the table is unchanged
  Trec_prv bill;                  // the line as the bill of materials holds it
  bool by_length = false;         // kind "OV": priced per metre of its summed length
  double count = 0;               // the pieces, or the metres of a line priced by length
  double amount = 0;              // count x price
};

struct PricedCell {
  std::string name;
  int multiplier = 1;  // the "(xN)" of the name: the cell stands N times in the project
  std::vector<PricedLine> lines;
  double subtotal = 0;        // the amounts of the lines, once
  double discount = 0;        // subtotal - subtotal x factor
  double net = 0;             // subtotal x factor
  double multiplied_net = 0;  // net x multiplier
};

struct PricedQuote {
  std::vector<PricedCell> cells;  // one per cell of the bill of materials
  double discount_factor = 1;     // (1 - d1/100) x .. x (1 - d4/100)
  double gross = 0;               // every line's amount times its cell's multiplier
  double discount = 0;            // gross - gross x factor
  double net = 0;                 // gross x factor
  bool with_gst = false;          // the company quotes in the GST market
  double gst = 0;                 // net x kGstRate
  double total = 0;               // net with the tax
};

// Prices QuoteDetails against CodesTable, each entry under the name of its
// cell in Cells, with the discounts of QuoteHeader and the market of Company.
// A line without a row of the table is left out.
PricedQuote price_quote();

// (1 - d1/100) x .. x (1 - d4/100).
double discount_factor(const Tprv& header);
// The label of the discount rows: text::discounts, then the discounts above 0 in
// brackets, each by number_text with "%" after it; separator stands before
// each of discounts 2 to 4, so a list without the first begins with it.
std::string discount_label(const Tprv& header, const std::string& separator, NumberText number_text);

// The size or unit text of a quote line of this kind, its sizes with the
// user's decimal separator.
std::string quote_unit_text(const std::string& kind, const Tcodice& code, char decimal_separator);
