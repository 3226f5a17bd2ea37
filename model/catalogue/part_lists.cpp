#include "model/catalogue/part_lists.h"

#include <charconv>
#include <optional>

#include "model/base/string_utils.h"
#include "model/state/globals.h"

namespace {

// A catalogue number, "," or "." as its decimal mark; nothing unless the whole text is one.
std::optional<double> catalogue_number(const std::string& text) {
  const std::string digits = comma_to_point(text);
  double value = 0;
  auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (error != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return value;
}

}  // namespace

std::vector<double> crossbar_heights(double frame_height) {
  std::vector<double> heights;
  for (std::size_t k = 0; k < HeightList.size() && k < CrossbarLists.size(); ++k) {
    if (HeightList[k] != frame_height) continue;
    for (const std::string& text : CrossbarLists[k])
      if (std::optional<double> value = catalogue_number(text)) heights.push_back(*value);
  }
  return heights;
}

std::string panel_composition(double length) {
  std::string composition;
  for (std::size_t k = 0; k < LengthList.size() && k < Compositions.size(); ++k)
    if (LengthList[k] == length) composition = Compositions[k];
  return composition;
}
