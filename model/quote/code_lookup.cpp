#include "model/quote/code_lookup.h"

#include <algorithm>

#include "model/base/rounding.h"
#include "model/base/string_utils.h"
#include "model/state/globals.h"

namespace {

// Bits of a key combination: which of LAR, LUNG and ALT are compared.
constexpr int kLar = 1;
constexpr int kLung = 2;
constexpr int kAlt = 4;

int mask_of(const CodeKey& key) { return (key.lar ? kLar : 0) | (key.lung ? kLung : 0) | (key.alt ? kAlt : 0); }

// The compared keys joined into one text, each led by its length so that no
// two different key sets give the same text whatever they contain; "," and
// "." are made alike, so that texts equal for keys_equal group together.
std::string joined_key(const std::string& tipo, const std::string& lar, const std::string& lung, const std::string& alt,
                       int mask) {
  std::string text;
  auto append = [&text](const std::string& part) {
    text += std::to_string(part.size());
    text += ':';
    text += part;
  };
  append(tipo);
  if (mask & kLar) append(lar);
  if (mask & kLung) append(lung);
  if (mask & kAlt) append(alt);
  return comma_to_point(std::move(text));
}

std::string joined_key(const CodeKey& key) {
  return joined_key(key.tipo, key.lar.value_or(""), key.lung.value_or(""), key.alt.value_or(""), mask_of(key));
}

}  // namespace

const std::string& row_option(const Tcodice& row, int structure_type) {
  static const std::string empty;
  if (structure_type < 0 || static_cast<std::size_t>(structure_type) >= row.options.size()) return empty;
  return row.options[static_cast<std::size_t>(structure_type)];
}

bool code_option_available(const std::string& tipo, const std::string& lar, const std::string& lung,
                           const std::string& alt, int structure_type) {
  return std::any_of(CodesTable.begin(), CodesTable.end(), [&](const Tcodice& row) {
    return keys_equal(row.tipo, tipo) && keys_equal(row.lar, lar) && keys_equal(row.lung, lung) &&
           keys_equal(row.alt, alt) && row_option(row, structure_type) == "SI";
  });
}

int CodeIndex::last_match(const CodeKey& key, int structure_type, bool available_only) {
  const RowsByKey& rows = rows_for(mask_of(key));
  auto found = rows.find(joined_key(key));
  if (found == rows.end()) return -1;
  // Rows are kept in table order, so the first usable one from the back is the last match.
  for (auto row = found->second.rbegin(); row != found->second.rend(); ++row)
    if (!available_only || row_option(table_[static_cast<std::size_t>(*row)], structure_type) != "-") return *row;
  return -1;
}

bool CodeIndex::option_available(const CodeKey& key, int structure_type) {
  const RowsByKey& rows = rows_for(mask_of(key));
  auto found = rows.find(joined_key(key));
  return found != rows.end() && std::any_of(found->second.begin(), found->second.end(), [&](int row) {
           return row_option(table_[static_cast<std::size_t>(row)], structure_type) == "SI";
         });
}

const CodeIndex::RowsByKey& CodeIndex::rows_for(int mask) {
  std::optional<RowsByKey>& grouping = groupings_[static_cast<std::size_t>(mask)];
  if (!grouping) {
    grouping.emplace();
    for (std::size_t r = 0; r < table_.size(); ++r) {
      const Tcodice& row = table_[r];
      (*grouping)[joined_key(row.tipo, row.lar, row.lung, row.alt, mask)].push_back(static_cast<int>(r));
    }
  }
  return *grouping;
}
