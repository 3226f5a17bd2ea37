// Every size the shipped catalogues offer, optional sizes included, read by
// the program's own catalogue loader from both staged files.
#pragma once

#include <algorithm>
#include <vector>

#include "data/staged_data.h"
#include "model/catalogue.h"

struct ShippedSizes {
  std::vector<double> heights, widths, lengths;
};

inline void add_unique(std::vector<double>& into, const std::vector<double>& values) {
  for (double value : values)
    if (std::find(into.begin(), into.end(), value) == into.end()) into.push_back(value);
}

inline ShippedSizes shipped_sizes() {
  ShippedSizes sizes;
  for (bool inches : {false, true}) {
    use_staged_program(inches);
    load_data_file(1);
    add_unique(sizes.heights, HeightList);
    add_unique(sizes.widths, WidthList);
    add_unique(sizes.lengths, LengthList);
  }
  use_staged_program();
  return sizes;
}
