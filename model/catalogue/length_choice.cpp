#include "model/catalogue/length_choice.h"

#include <algorithm>

#include "model/state/globals.h"

Tlength_conversion LengthConversion;

int length_index_not_longer(const Tdimensioni& lengths, double length) {
  int found = -1;
  int shortest = 0;
  for (int i = 0; i < static_cast<int>(lengths.size()); ++i) {
    const double candidate = lengths[static_cast<std::size_t>(i)];
    if (candidate <= length && (found < 0 || candidate > lengths[static_cast<std::size_t>(found)])) found = i;
    if (candidate < lengths[static_cast<std::size_t>(shortest)]) shortest = i;
  }
  return found >= 0 ? found : shortest;
}

double length_at_index(const Tdimensioni& lengths, int index) {
  if (lengths.empty()) return 0.0;
  return lengths[static_cast<std::size_t>(std::clamp(index, 0, static_cast<int>(lengths.size()) - 1))];
}

int convert_length_choice(const Tdimensioni& old_lengths, int index, const Tdimensioni& new_lengths,
                          Tlength_conversion& conversion) {
  const double length = length_at_index(old_lengths, index);
  const auto back = std::find(new_lengths.begin(), new_lengths.end(), conversion.from);
  if (!old_lengths.empty() && length == conversion.to && back != new_lengths.end()) {
    conversion = {length, conversion.from};
    return static_cast<int>(back - new_lengths.begin());
  }
  const int converted = length_index_not_longer(new_lengths, length);
  const double new_length = length_at_index(new_lengths, converted);
  if (!old_lengths.empty() && !new_lengths.empty() && new_length != length) conversion = {length, new_length};
  return converted;
}

void follow_length_list(const Tdimensioni& old_lengths) {
  if (old_lengths.empty()) {
    clamp_max_length_index();
    return;
  }
  AppState.max_length_index =
      length_index_not_longer(LengthList, length_at_index(old_lengths, AppState.max_length_index));
}

void clamp_max_length_index() {
  // A choice read from the preferences file has no switch behind it to undo.
  LengthConversion = {};
  AppState.max_length_index =
      LengthList.empty() ? 0 : std::clamp(AppState.max_length_index, 0, static_cast<int>(LengthList.size()) - 1);
}
