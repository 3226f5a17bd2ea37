// What the archive dialog keeps between its commands and its openings: the
// entries the grid shows and whether show all is offered, which a search
// offers and only show all withdraws. The grid's column widths live in
// AppState from the moment they change, so the preferences file keeps them
// however the dialog is closed.
#pragma once

#include <functional>

#include "model/files/project_archive.h"

struct ArchiveForm {
  ArchiveView view;
  bool show_all_offered = false;
};

// Narrower columns could not be seen, let alone dragged wider.
inline constexpr int ArchiveMinimumColumnWidth = 24;

// Every entry; whether show all is offered stays as it is.
void reset_archive_view(ArchiveForm& form);
// Show all: every entry, and show all no longer offered.
void show_all_archive_form(ArchiveForm& form);

// The width a grid column opens with: the stored one, the user's, or, when
// that is too narrow to be seen (a first start stores 0), the column's default
// widened to heading_width, so that the heading of any language fits.
int archive_column_width(int column, int heading_width);
// Stores a column width the user dragged; other columns are not the grid's.
void store_archive_column_width(int column, int width);

// Each of these is false, and the form is as it was, when nothing changed:
// the search asks for a text, narrows the view by it and offers show all;
// deleting and duplicating ask first, then have show_form show every entry
// again before they say what they did.
bool search_archive_form(ArchiveForm& form);
bool delete_archive_form_entry(ArchiveForm& form, int entry, const std::function<void()>& show_form);
bool duplicate_archive_form_entry(ArchiveForm& form, int entry, const std::function<void()>& show_form);
// Rebuilds the index from the project files, reporting a failure, and shows
// every entry of what it holds then.
void rebuild_archive_form(ArchiveForm& form);
// Writes the preferences file, which holds the column widths; a failure is
// reported.
void save_archive_column_widths();
