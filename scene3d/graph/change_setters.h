// The one rule of the scene's property writers: an equal value changes
// nothing; a new one is stored and then reported.
#pragma once

#include <utility>

template <typename T, typename Report>
void StoreOnChange(T& field, T value, Report&& report) {
  if (field == value) return;
  field = std::move(value);
  std::forward<Report>(report)();
}
