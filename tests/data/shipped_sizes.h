// Every size the shipped catalogues offer, optional sizes included, read by
// the program's own catalogue loader from both staged files.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "data/staged_data.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/catalogue/catalogue.h"
#include "model/state/text_table.h"

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

// The kits of the compact line: their module length and the depths of their units.
struct ShippedKits {
  std::vector<double> module_lengths, unit_depths, rail_classes;
};

inline ShippedKits shipped_kits() {
  ShippedKits kits;
  Tres table, widths;
  load_text_table(stage_dir() + "/data/CV_kits.txt", table);
  load_text_table(stage_dir() + "/data/CV_kits_larg.txt", widths);
  auto value = [](const std::string& text) {
    double number = 0.0;
    EXPECT_TRUE(parse_double(text, number)) << text;
    return number;
  };
  for (std::size_t row = 1; row < widths.size(); ++row) add_unique(kits.module_lengths, {value(widths[row][0])});
  for (std::size_t row = 1; row < table.size(); ++row) {
    add_unique(kits.rail_classes, {value(table[row][1])});
    for (const std::string& depth : split_to_string_list(table[row][3], " "))
      add_unique(kits.unit_depths, {value(depth)});
  }
  return kits;
}

// Tests over every shipped size and kit, with the default code table read.
class ShippedDataTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sizes_ = shipped_sizes();
    kits_ = shipped_kits();
    load_staged_code_table();
    ASSERT_FALSE(CodesTable.empty());
  }

  ShippedSizes sizes_;
  ShippedKits kits_;
};
