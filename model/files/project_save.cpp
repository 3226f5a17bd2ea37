#include "model/files/project_save.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/archive_list.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

constexpr long long kLastProjectNumber = 99999;

std::string five_digits(long long number) {
  std::string text = "00000" + std::to_string(number);
  return text.substr(text.size() - 5);
}

// A number field of the index or a file name as a number; -1 when it is not one.
long long number_value(const std::string& text) {
  long long value = -1;
  return parse_integer(text, value) && value >= 0 ? value : -1;
}

// "prv" + five digits + ".cel": only such a name carries a number a save can reuse.
bool is_numbered_file_name(const std::string& name) {
  if (name.size() != 12 || !name.starts_with("prv") || !name.ends_with(".cel")) return false;
  for (std::size_t i = 3; i < 8; ++i)
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

std::set<long long> numbers_in_use() {
  std::set<long long> used;
  for (const Tarchive_entry& entry : ArchiveList) used.insert(number_value(entry.number));
  for (const std::string& file : list_project_files(user_folder())) used.insert(number_value(project_number_of(file)));
  return used;
}

// Refreshes the index entries of number from the quote header, or appends one when none has it.
void record_in_archive(const std::string& number) {
  Tarchive_entry entry = archive_entry_of(number, QuoteHeader);
  bool found = false;
  for (Tarchive_entry& existing : ArchiveList) {
    if (existing.number != number) continue;
    existing = entry;
    found = true;
  }
  if (!found) ArchiveList.push_back(entry);
}

}  // namespace

std::string next_project_number() {
  long long last = ArchiveList.empty() ? 0 : std::max(0LL, number_value(ArchiveList.back().number));
  std::set<long long> used = numbers_in_use();
  for (long long number = last + 1; number <= kLastProjectNumber; ++number)
    if (!used.contains(number)) return five_digits(number);
  throw FileError("No project number is left after " + five_digits(std::min(last, kLastProjectNumber)) +
                  ": the project was not saved");
}

void save_project(bool new_number) {
  const std::string& current = AppState.file_name;
  std::string number = new_number || !is_numbered_file_name(current) ? next_project_number() : current.substr(3, 5);
  std::string file_name = "prv" + number + ".cel";
  write_project_file(user_path(file_name), true);

  // The project file is saved under its number from here on, so the state says
  // so before the index is written, even if that write fails.
  record_in_archive(number);
  AppState.modified = 0;
  AppState.file_name = file_name;
  ui().set_caption(project_caption(file_name));
  const std::string saved = lang_text(text::data_saved) + " (" + file_name + ")";
  try {
    write_archive_list();
  } catch (const FileError& error) {
    // Said as a failed save, it would have the user save again under yet another number.
    ui().show_message(saved + "\r\nThe project is saved as " + file_name +
                      "; only the project index could not be written, and the next start lists the project "
                      "again from its file:\r\n" +
                      error.what());
    return;
  }
  ui().show_message(saved);
}

bool save_project_reported(bool new_number) {
  try {
    save_project(new_number);
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return false;
  }
  return true;
}

bool settle_modified_project() {
  if (!AppState.modified) return true;
  Answer answer = ui().ask_yes_no_cancel(lang_text(text::save_question));
  if (answer == Answer::Cancel) return false;
  // A project that could not be saved keeps the program open, so nothing is lost.
  return answer == Answer::No || save_project_reported(false);
}

std::string project_caption(const std::string& file_name) {
  return AppTitle + " - " + file_name + " - " + QuoteHeader.customer.name + " (" + QuoteHeader.customer_ref + ")";
}
