#include "model/text/lang_text.h"

const std::string& lang_text(const std::vector<std::string>& table, int number) {
  static const std::string empty;
  if (number < 0 || static_cast<std::size_t>(number) >= table.size()) return empty;
  return table[static_cast<std::size_t>(number)];
}
