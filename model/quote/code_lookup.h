// Finding the row of the price and code table that describes a component.
// A component is named by its type (TIPO) and some of the width, length and
// height keys; keys compare as texts, with "," and "." alike.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/base/records.h"

// The keys a lookup compares; a key left unset is not compared.
struct CodeKey {
  std::string tipo;
  std::optional<std::string> lar;
  std::optional<std::string> lung;
  std::optional<std::string> alt;
};

// The row's option for a structure type; a type beyond the row's options has the empty option.
const std::string& row_option(const Tcodice& row, int structure_type);

// True when some row has exactly these four keys and the option "SI" for the structure type.
bool code_option_available(const std::string& tipo, const std::string& lar, const std::string& lung,
                           const std::string& alt, int structure_type);

// The rows of a table grouped by their keys, so that the bill of materials
// need not scan the whole table for every component. Valid while the table
// it was made from is unchanged.
class CodeIndex {
 public:
  explicit CodeIndex(const Tdb_codici& table) : table_(table) {}

  // The last row that matches the key and, when asked, whose option for the
  // structure type is not "-"; -1 when there is none.
  int last_match(const CodeKey& key, int structure_type, bool available_only);
  // What code_option_available answers, without a scan of the table.
  bool option_available(const CodeKey& key, int structure_type);

 private:
  using RowsByKey = std::unordered_map<std::string, std::vector<int>>;
  // One grouping per combination of compared keys, made when first needed.
  const RowsByKey& rows_for(int mask);

  const Tdb_codici& table_;
  std::array<std::optional<RowsByKey>, 8> groupings_;
};
