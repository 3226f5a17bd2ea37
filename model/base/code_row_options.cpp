#include "model/base/code_row_options.h"

#include <iterator>

std::optional<std::size_t> row_option_columns(std::size_t field_count, std::size_t option_count) {
  if (field_count < kCodeRowFixedColumns || field_count - kCodeRowFixedColumns > option_count) return std::nullopt;
  return field_count - kCodeRowFixedColumns;
}

void change_option_column(std::vector<std::string>& options, const OptionColumnChange& change,
                          std::size_t option_count) {
  // A shorter row lacks the last options only: those before the place are where they were.
  if (options.size() > option_count) return;
  const auto at = [&] { return std::next(options.begin(), static_cast<std::ptrdiff_t>(change.index)); };
  if (change.added && change.index <= options.size()) options.insert(at(), std::string());
  if (!change.added && change.index < options.size()) options.erase(at());
}
