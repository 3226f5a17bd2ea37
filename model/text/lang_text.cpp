#include "model/text/lang_text.h"

#include "model/state/globals.h"

const std::string& lang_text(int number) {
  static const std::string empty;
  if (number < 0 || static_cast<std::size_t>(number) >= LangTable.size()) return empty;
  return LangTable[static_cast<std::size_t>(number)];
}
