#include "model/catalogue/compact_codes.h"

#include <limits>

#include "model/base/text_io.h"

bool is_fixed_compact_code(std::string_view code) { return code.starts_with(kFixedCompactPrefix); }

bool is_mobile_compact_code(std::string_view code) { return code.starts_with(kMobileCompactPrefix); }

bool is_compact_code(std::string_view code) { return is_fixed_compact_code(code) || is_mobile_compact_code(code); }

std::optional<int> compact_group_number(std::string_view code) {
  const std::size_t underscore = code.find('_');
  if (underscore == std::string_view::npos) return std::nullopt;
  long long number = 0;
  if (!parse_integer(code.substr(underscore + 1), number)) return std::nullopt;
  if (number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max()) return std::nullopt;
  return static_cast<int>(number);
}

std::string fixed_compact_code(int group_number) {
  return std::string(kFixedCompactPrefix) + std::to_string(group_number);
}

std::string mobile_compact_code(int group_number) {
  return std::string(kMobileCompactPrefix) + std::to_string(group_number);
}
