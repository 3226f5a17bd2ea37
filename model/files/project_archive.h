// The project archive as its dialog works it: which index entries the grid
// shows (newest first, narrowed by searches), the project files behind them,
// and deleting and duplicating them (opening and re-saving them are commands
// of their own, archive_commands.h). Every command reports its own failures
// to the user and leaves the files and the index consistent.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

// The entries the grid shows, as indices into ArchiveList in archive order.
using ArchiveView = std::vector<int>;

// Every entry: 0, 1, ..., ArchiveList.size() - 1.
ArchiveView full_archive_view();
// The entries of view whose number, date, customer, customer reference,
// quote number or drawing contains text, compared with the case of every letter folded.
ArchiveView narrow_archive_view(const ArchiveView& view, const std::string& text);
// Asks for a search text (text::search and text::search_prompt) and narrows view by it; false
// when the user cancels or types only blanks.
bool search_archive(ArchiveView& view);

// The ArchiveList index shown in data row `row` (0 = the top row, the newest
// entry), or -1 when the row shows nothing.
int archive_entry_at_row(const ArchiveView& view, int row);
// The six texts of an entry in grid column order; none for an index
// ArchiveList no longer has.
std::vector<std::string> archive_row_texts(int entry);

// The project file of an entry is "prv" + its number + ".cel", or, when no
// file has that name, the project file of its number under another case
// ("PRV00001.CEL"): open, delete and duplicate act on that file.

// The file name in user/ of an entry's project; none for an index ArchiveList
// no longer has or when no file of its number is there. Raises FileError
// when user/ cannot be listed.
std::optional<std::string> archive_project_file(int entry);
// After the question (text::delete_project_question): removes the entry from the index and the
// entry's project file from the disk (a missing file is no fault), has
// show_change show the index as it now is and says so (text::project_deleted). A file that
// cannot be removed keeps its entry: false, with one box saying the project
// was not deleted and why (or, when the index cannot take the entry back,
// that the file will be listed again at the next start). What shows the index
// must never show it out of step with ArchiveList, so no message comes before
// it.
bool delete_archive_entry(int entry, const std::function<void()>& show_change);
// After the question (text::duplicate_project_question): copies the entry's project file to a number
// free both in the index and on disk, appends the entry under that number,
// has show_change show the index and says so (text::project_duplicated).
bool duplicate_archive_entry(int entry, const std::function<void()>& show_change);
