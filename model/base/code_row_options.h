// The availability columns of a row of the price and code table, one per
// structure type by its place in the catalogue: how many a row holds, and how
// they follow a structure type added to or removed from the catalogue.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Every column of a row but its options: four keys before them, six after.
inline constexpr std::size_t kCodeRowKeyColumns = 4;
inline constexpr std::size_t kCodeRowFixedColumns = 10;

// The options a row of field_count columns holds, read with option_count
// structure types: up to option_count (a row written before a type was added
// lacks the last ones, read as empty: not available). Nothing when the row
// lacks a fixed column or has more options than there are types.
std::optional<std::size_t> row_option_columns(std::size_t field_count, std::size_t option_count);

// A structure type added at index (its option empty: not available) or the
// one at index removed.
struct OptionColumnChange {
  bool added = false;
  std::size_t index = 0;
};

// The options of a row read with option_count structure types, with the
// change made at its place. Options of a row that holds more than that are
// left as they are, for its reader to call damage.
void change_option_column(std::vector<std::string>& options, const OptionColumnChange& change,
                          std::size_t option_count);
