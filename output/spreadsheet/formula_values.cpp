#include "output/spreadsheet/formula_values.h"

#include <cctype>
#include <set>
#include <stdexcept>
#include <string>

#include "model/base/text_io.h"

namespace {

struct CellRef {
  int column = 0;
  int row = 0;
};

class Calculator {
 public:
  explicit Calculator(const Worksheet& sheet) : sheet_(sheet) {}

  double cell_value(const CellRef& ref, bool for_sum);
  std::map<std::pair<int, int>, double> results;

 private:
  double formula_value(const CellRef& ref, const std::string& text);

  const Worksheet& sheet_;
  std::set<std::pair<int, int>> in_progress_;
};

// Recursive descent over one formula: sum := product (("+" | "-") product)*;
// product := atom ("*" atom)*; atom := number | reference | SUM(reference:reference).
class FormulaParser {
 public:
  FormulaParser(Calculator& calculator, const std::string& text) : calculator_(calculator), text_(text) {}

  double whole() {
    double value = sum();
    if (at_ < text_.size()) fail();
    return value;
  }

 private:
  [[noreturn]] void fail() const { throw std::invalid_argument("formula not understood: " + text_); }
  bool accept(char c) {
    if (at_ < text_.size() && text_[at_] == c) return ++at_, true;
    return false;
  }
  double sum() {
    double value = product();
    for (;;) {
      if (accept('+'))
        value += product();
      else if (accept('-'))
        value -= product();
      else
        return value;
    }
  }
  double product() {
    double value = atom();
    while (accept('*')) value *= atom();
    return value;
  }
  CellRef reference();
  double range_sum();
  double atom();

  Calculator& calculator_;
  const std::string& text_;
  std::size_t at_ = 0;
};

CellRef FormulaParser::reference() {
  CellRef ref;
  while (at_ < text_.size() && std::isupper(static_cast<unsigned char>(text_[at_])) && ref.column < 1000)
    ref.column = ref.column * 26 + (text_[at_++] - 'A' + 1);
  std::size_t digits = at_;
  while (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_])) && ref.row < 10000000)
    ref.row = ref.row * 10 + (text_[at_++] - '0');
  if (ref.column == 0 || at_ == digits || ref.row == 0) fail();
  return ref;
}

double FormulaParser::range_sum() {
  CellRef first = reference();
  if (!accept(':')) fail();
  CellRef last = reference();
  if (!accept(')') || last.row < first.row || last.column < first.column) fail();
  double total = 0;
  for (int row = first.row; row <= last.row; ++row)
    for (int column = first.column; column <= last.column; ++column)
      total += calculator_.cell_value({column, row}, true);
  return total;
}

double FormulaParser::atom() {
  if (text_.compare(at_, 4, "SUM(") == 0) {
    at_ += 4;
    return range_sum();
  }
  if (at_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[at_]))) {
    std::size_t end = text_.find_first_not_of("0123456789.", at_);
    double value = 0;
    if (!parse_double(std::string_view(text_).substr(at_, end - at_), value)) fail();
    at_ = end == std::string::npos ? text_.size() : end;
    return value;
  }
  CellRef ref = reference();
  return calculator_.cell_value(ref, false);
}

double Calculator::formula_value(const CellRef& ref, const std::string& text) {
  std::pair<int, int> key{ref.row, ref.column};
  if (auto done = results.find(key); done != results.end()) return done->second;
  if (!in_progress_.insert(key).second) throw std::invalid_argument("formula refers to itself: " + text);
  double value = FormulaParser(*this, text).whole();
  in_progress_.erase(key);
  results[key] = value;
  return value;
}

double Calculator::cell_value(const CellRef& ref, bool for_sum) {
  const SheetCell* cell = sheet_.cell(ref.column, ref.row);
  if (cell == nullptr) return 0;
  if (const auto* number = std::get_if<double>(&cell->value)) return *number;
  if (const auto* formula = std::get_if<Formula>(&cell->value)) return formula_value(ref, formula->text);
  if (std::holds_alternative<std::string>(cell->value) && !for_sum)
    throw std::invalid_argument("a text in arithmetic at " + cell_name(ref.column, ref.row));
  return 0;
}

}  // namespace

std::map<std::pair<int, int>, double> formula_results(const Worksheet& sheet) {
  Calculator calculator(sheet);
  for (const auto& [row, cells] : sheet.rows)
    for (const auto& [column, cell] : cells.cells)
      if (std::holds_alternative<Formula>(cell.value)) calculator.cell_value({column, row}, false);
  return std::move(calculator.results);
}
