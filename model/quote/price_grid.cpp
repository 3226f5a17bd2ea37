#include "model/quote/price_grid.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "model/base/prices.h"
#include "model/base/rounding.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

// The size texts of a catalogue list, "," and "." alike, for a lookup per article.
class SizeKeys {
 public:
  explicit SizeKeys(const Tdimensioni& sizes) {
    for (double size : sizes) keys_.insert(size_key(size));
  }
  bool admits(const std::string& text) const { return text == "-" || keys_.contains(comma_to_point(text)); }

 private:
  std::unordered_set<std::string> keys_;
};

std::string capitalised(std::string text) {
  return text.empty() ? text : ascii_upper(text.substr(0, 1)) + text.substr(1);
}

bool changed(const PriceGridRow& shown, const PriceGridRow& edited) {
  return shown.alt_code != edited.alt_code || shown.price != edited.price;
}

}  // namespace

std::string price_grid_text(double price, char decimal_separator) { return format_general(price, decimal_separator); }

std::string article_description(const Tcodice& row, char decimal_separator) {
  const auto size = [&](const std::string& key) { return shown_size(key, decimal_separator); };
  std::string text = lang_text(row.description_number) + " ";
  if (row.tipo == "TE" || row.tipo == "TI") return text + size(row.lar) + " x " + size(row.alt);
  if (row.tipo == "G") return text + size(row.lar);
  if (row.tipo == "R") return text + size(row.lar) + " x " + size(row.lung);
  if (row.tipo == "KG") return text + size(row.lung);
  return text;
}

std::vector<PriceGridRow> price_grid_rows(char decimal_separator) {
  const SizeKeys heights(HeightList), widths(WidthList), lengths(LengthList);
  std::vector<PriceGridRow> rows;
  for (std::size_t i = 0; i < CodesTable.size(); ++i) {
    const Tcodice& row = CodesTable[i];
    if (!heights.admits(row.alt) || !widths.admits(row.lar) || !lengths.admits(row.lung)) continue;
    rows.push_back({i, row.code, article_description(row, decimal_separator), row.alt_code,
                    price_grid_text(row.price, decimal_separator)});
  }
  return rows;
}

int store_price_grid(const std::vector<PriceGridRow>& shown, const std::vector<PriceGridRow>& edited,
                     char decimal_separator) {
  std::vector<double> prices(edited.size());
  for (std::size_t r = 0; r < edited.size(); ++r) {
    if (!parse_double(edited[r].price, prices[r], decimal_separator)) {
      ui().show_message(lang_text(text::invalid_value));
      return static_cast<int>(r);
    }
    // A number no price list holds: text::invalid_value alone would not say why.
    if (std::string refusal = price_refusal(edited[r].price, decimal_separator, prices[r]); !refusal.empty()) {
      ui().show_message(lang_text(text::invalid_value) + "\r\n" + capitalised(refusal) + ".");
      return static_cast<int>(r);
    }
  }
  Tdb_codici updated = CodesTable;
  std::unordered_map<std::string, std::vector<std::size_t>> rows_of_code;
  for (std::size_t i = 0; i < updated.size(); ++i) rows_of_code[updated[i].code].push_back(i);
  for (std::size_t r = 0; r < edited.size() && r < shown.size(); ++r) {
    // Only edited rows are stored, so an untouched row of the same code
    // cannot undo the edit of an earlier one.
    if (!changed(shown[r], edited[r])) continue;
    // An untouched price keeps its exact stored value rather than its shown text's.
    const double price = shown[r].price == edited[r].price && shown[r].table_row < CodesTable.size()
                             ? CodesTable[shown[r].table_row].price
                             : prices[r];
    // The table file cuts its columns at tabs: one pasted with the code would
    // shift the row's columns, and the next start would call the row damage.
    std::string alt_code = edited[r].alt_code;
    std::replace(alt_code.begin(), alt_code.end(), '\t', ' ');
    for (std::size_t i : rows_of_code[edited[r].code]) {
      updated[i].alt_code = alt_code;
      updated[i].price = price;
    }
  }
  std::swap(CodesTable, updated);
  try {
    write_codes_table();
  } catch (...) {
    std::swap(CodesTable, updated);  // the table in memory stays what the file holds
    throw;
  }
  return -1;
}
