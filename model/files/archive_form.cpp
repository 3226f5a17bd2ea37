#include "model/files/archive_form.h"

#include "model/base/file_io.h"
#include "model/files/archive_list.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

constexpr int kDefaultColumnWidth = 110;

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

int archive_column_width(int column) {
  const int width = is_grid_column(column) ? AppState.archive_col_widths[static_cast<std::size_t>(column)] : 0;
  return width >= ArchiveMinimumColumnWidth ? width : kDefaultColumnWidth;
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

void apply_archive_form(int entry) {
  reporting_file_errors(write_preferences);
  if (entry >= 0) open_archive_project(entry);
}
