// The archive dialog's commands that make one of its projects the open one.
#pragma once

// Opens the project of an entry as open_project does: false when nothing was
// opened (cancelled, no file, or a file that cannot be loaded; then the open
// project stays as it was, still modified when it was).
bool open_archive_project(int entry);
// Re-saves every project file of user/ in the current format, after the save
// question; says "files convertiti!" and which could not be. The last file
// converted stays open.
void resave_all_projects();
// OK: writes the preferences file (the column widths are in it; a failure is
// reported and the opening goes on), then opens the entry's project when one
// is chosen (-1: none).
void apply_archive_form(int entry);
