#include "model/files/archive_form.h"

#include <algorithm>
#include <array>

#include "model/base/file_io.h"
#include "model/files/archive_list.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

// Number, date, customer, customer reference, quote number, drawing.
constexpr std::array<int, 6> kDefaultColumnWidths = {60, 80, 220, 140, 110, 140};

bool is_grid_column(int column) {
  return column >= 0 && static_cast<std::size_t>(column) < AppState.archive_col_widths.size();
}

// Runs a file command that reports nothing itself, showing its failure.
template <typename Command>
void reporting_file_errors(Command command) {
  try {
    command();
  } catch (const FileError& error) {
    ui().show_message(error.what());
  }
}

}  // namespace

void reset_archive_view(ArchiveForm& form) { form.view = full_archive_view(); }

void show_all_archive_form(ArchiveForm& form) { form = {full_archive_view(), false}; }

int archive_column_width(int column, int heading_width) {
  if (!is_grid_column(column)) return heading_width;
  const auto at = static_cast<std::size_t>(column);
  const int width = AppState.archive_col_widths[at];
  return width >= ArchiveMinimumColumnWidth ? width : std::max(kDefaultColumnWidths[at], heading_width);
}

void store_archive_column_width(int column, int width) {
  if (is_grid_column(column)) AppState.archive_col_widths[static_cast<std::size_t>(column)] = width;
}

bool search_archive_form(ArchiveForm& form) {
  if (!search_archive(form.view)) return false;
  form.show_all_offered = true;
  return true;
}

bool delete_archive_form_entry(ArchiveForm& form, int entry, const std::function<void()>& show_form) {
  return delete_archive_entry(entry, [&] {
    reset_archive_view(form);
    show_form();
  });
}

bool duplicate_archive_form_entry(ArchiveForm& form, int entry, const std::function<void()>& show_form) {
  return duplicate_archive_entry(entry, [&] {
    reset_archive_view(form);
    show_form();
  });
}

void rebuild_archive_form(ArchiveForm& form) {
  reporting_file_errors(rebuild_archive_list);
  reset_archive_view(form);
}

void save_archive_column_widths() { reporting_file_errors(write_preferences); }
