#include "model/files/project_archive.h"

#include <filesystem>
#include <numeric>
#include <optional>

#include "model/base/case_folding.h"
#include "model/base/file_io.h"
#include "model/files/archive_list.h"
#include "model/files/project_file.h"
#include "model/files/project_save.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

std::string project_file_name(const Tarchive_entry& entry) { return "prv" + entry.number.substr(0, 5) + ".cel"; }

bool valid_entry(int entry) { return entry >= 0 && static_cast<std::size_t>(entry) < ArchiveList.size(); }

// The file in user/ an entry stands for: the name the archive gives it, or else
// a project file of the entry's number under another name (one copied from a
// disk that ignores case is "PRV00001.CEL"), as the index takes them in.
std::optional<std::string> existing_project_file(const Tarchive_entry& entry) {
  const std::string exact = project_file_name(entry);
  if (std::filesystem::exists(user_path(exact))) return exact;
  for (const std::string& file : list_project_files(user_folder()))
    if (project_number_of(file) == entry.number.substr(0, 5)) return file;
  return std::nullopt;
}

// Writes the index with ArchiveList changed by change; on a failed write the
// index in memory goes back to what the file still holds.
template <typename Change>
void change_archive_list(Change change) {
  std::vector<Tarchive_entry> before = ArchiveList;
  change();
  try {
    write_archive_list();
  } catch (...) {
    ArchiveList = std::move(before);
    throw;
  }
}

}  // namespace

ArchiveView full_archive_view() {
  ArchiveView view(ArchiveList.size());
  std::iota(view.begin(), view.end(), 0);
  return view;
}

ArchiveView narrow_archive_view(const ArchiveView& view, const std::string& text) {
  const std::string wanted = fold_case(text);
  ArchiveView narrowed;
  for (int index : view) {
    if (!valid_entry(index)) continue;
    for (const std::string& field : archive_row_texts(index)) {
      if (fold_case(field).find(wanted) == std::string::npos) continue;
      narrowed.push_back(index);
      break;
    }
  }
  return narrowed;
}

bool search_archive(ArchiveView& view) {
  std::string text;
  if (!ui().input_query(lang_text(text::search), lang_text(text::search_prompt), text)) return false;
  auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return false;
  auto last = text.find_last_not_of(" \t");
  view = narrow_archive_view(view, text.substr(first, last - first + 1));
  return true;
}

int archive_entry_at_row(const ArchiveView& view, int row) {
  if (row < 0 || static_cast<std::size_t>(row) >= view.size()) return -1;
  return view[view.size() - 1 - static_cast<std::size_t>(row)];
}

std::vector<std::string> archive_row_texts(int entry) {
  if (!valid_entry(entry)) return {};
  const Tarchive_entry& e = ArchiveList[static_cast<std::size_t>(entry)];
  return {e.number, e.date, e.customer, e.customer_ref, e.quote_number, e.drawing};
}

std::optional<std::string> archive_project_file(int entry) {
  if (!valid_entry(entry)) return std::nullopt;
  return existing_project_file(ArchiveList[static_cast<std::size_t>(entry)]);
}

bool delete_archive_entry(int entry, const std::function<void()>& show_change) {
  if (!valid_entry(entry) || !ui().ask_yes_no(lang_text(text::delete_project_question))) return false;
  const Tarchive_entry doomed = ArchiveList[static_cast<std::size_t>(entry)];
  const std::string path = user_path(existing_project_file(doomed).value_or(project_file_name(doomed)));
  try {
    // The index goes first: a project file left behind by a failed delete is
    // found again by rebuilding the list, an index entry without its file is not.
    change_archive_list([&] { ArchiveList.erase(ArchiveList.begin() + entry); });
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
  std::error_code failure;
  std::filesystem::remove(path, failure);
  if (failure) {
    try {
      change_archive_list([&] { ArchiveList.insert(ArchiveList.begin() + entry, doomed); });
    } catch (const FileError& error) {
      show_change();
      ui().show_message("The project file " + path + " could not be removed (" + failure.message() +
                        "), and the index could not be written with its entry again: " + error.what() +
                        "\r\nThe entry is out of the archive until the next start lists the file again.");
      return true;
    }
    ui().show_message("The project was not deleted: its file " + path + " could not be removed (" + failure.message() +
                      ").");
    return false;
  }
  show_change();
  ui().show_message(lang_text(text::project_deleted));
  return true;
}

bool duplicate_archive_entry(int entry, const std::function<void()>& show_change) {
  if (!valid_entry(entry) || !ui().ask_yes_no(lang_text(text::duplicate_project_question))) return false;
  try {
    Tarchive_entry copy = ArchiveList[static_cast<std::size_t>(entry)];
    std::string bytes = read_file_bytes(user_path(existing_project_file(copy).value_or(project_file_name(copy))));
    copy.number = next_project_number();
    const std::string target = user_path(project_file_name(copy));
    write_file_safely(target, bytes);
    try {
      change_archive_list([&] { ArchiveList.push_back(copy); });
    } catch (const FileError&) {
      std::error_code ignored;
      std::filesystem::remove(target, ignored);
      throw;
    }
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
  show_change();
  ui().show_message(lang_text(text::project_duplicated));
  return true;
}
