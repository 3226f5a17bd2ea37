#include "model/files/archive_list.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <optional>

#include "model/base/code_page.h"
#include "model/base/file_io.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/files/damaged_files.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"

namespace {

constexpr std::size_t kFieldBytes = 256;
constexpr std::size_t kRecordBytes = 6 * kFieldBytes;

std::string archive_path() { return user_path("list.dat"); }

std::array<std::string*, 6> entry_fields(Tarchive_entry& e) {
  return {&e.number, &e.date, &e.customer, &e.customer_ref, &e.quote_number, &e.drawing};
}

std::array<const std::string*, 6> entry_fields(const Tarchive_entry& e) {
  return {&e.number, &e.date, &e.customer, &e.customer_ref, &e.quote_number, &e.drawing};
}

bool is_project_file_name(const std::string& name) {
  const std::string lower = ascii_lower(name);
  return lower.size() >= 7 && lower.starts_with("prv") && lower.ends_with(".cel");
}

// Brings the entries of one project file in step with its head: added when
// the index lacks it, given the file's texts when they differ. Says what
// changed, or nothing.
std::string reconcile_entry(const std::string& file) {
  const std::string number = project_number_of(file);
  std::optional<Tarchive_entry> head;
  try {
    read_project_header(file, head.emplace());
  } catch (const FileError&) {
    head.reset();
  }
  auto listed = [&](const Tarchive_entry& entry) { return entry.number == number; };
  if (std::none_of(ArchiveList.begin(), ArchiveList.end(), listed)) {
    Tarchive_entry entry;
    entry.number = number;
    ArchiveList.push_back(head.value_or(entry));
    return head ? "its entry was missing and is brought back from the file"
                : "its entry was missing; its head cannot be read, so it is listed by its number";
  }
  bool refreshed = false;
  for (Tarchive_entry& entry : ArchiveList) {
    if (!head || !listed(entry) || entry == *head) continue;
    entry = *head;
    refreshed = true;
  }
  return refreshed ? "its entry held other texts than the file and now holds the file's" : "";
}

}  // namespace

std::vector<Tarchive_entry> parse_archive_list(std::string_view bytes) {
  const CodePage code_page = legacy_code_page();
  std::vector<Tarchive_entry> entries;
  for (std::size_t record = 0; record + kRecordBytes <= bytes.size(); record += kRecordBytes) {
    Tarchive_entry entry;
    std::size_t offset = record;
    for (std::string* field : entry_fields(entry)) {
      std::size_t length = static_cast<unsigned char>(bytes[offset]);
      // An old index holds single-byte texts: as UTF-8 they may outgrow the field.
      *field = cut_short_string(text_as_utf8(bytes.substr(offset + 1, length), code_page));
      offset += kFieldBytes;
    }
    entries.push_back(std::move(entry));
  }
  return entries;
}

std::string archive_list_bytes(const std::vector<Tarchive_entry>& entries) {
  std::string bytes;
  bytes.reserve(entries.size() * kRecordBytes);
  for (const Tarchive_entry& entry : entries) {
    for (const std::string* field : entry_fields(entry)) {
      std::string text = cut_short_string(*field);
      bytes.push_back(static_cast<char>(text.size()));
      bytes += text;
      bytes.append(kFieldBytes - 1 - text.size(), '\0');
    }
  }
  return bytes;
}

void read_archive_list() {
  const std::string path = archive_path();
  const std::string bytes = read_file_bytes(path);
  ArchiveList = parse_archive_list(bytes);
  if (const std::size_t rest = bytes.size() % kRecordBytes; rest != 0)
    ui().show_message(note_damaged_file(
        path, {"byte " + std::to_string(bytes.size() - rest + 1) + ": the last record is cut short (" +
               std::to_string(rest) + " of " + std::to_string(kRecordBytes) + " bytes)"}));
}

void write_archive_list() {
  keep_damaged_copy(archive_path());
  write_file_safely(archive_path(), archive_list_bytes(ArchiveList));
}

std::vector<std::string> list_project_files(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    std::string name = item.path().filename().string();
    if (is_project_file_name(name) && item.is_regular_file(error)) names.push_back(name);
  }
  // Case-blind order, so PRV00002.CEL sorts beside prv00001.cel; exact names break ties.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string la = ascii_lower(a), lb = ascii_lower(b);
    return la != lb ? la < lb : a < b;
  });
  return names;
}

std::string project_number_of(const std::string& file_name) {
  if (file_name.size() < 4) return {};
  std::size_t end = file_name.size() - 4;
  std::size_t start = end >= 5 ? end - 5 : 0;
  return file_name.substr(start, end - start);
}

Tarchive_entry archive_entry_of(const std::string& number, const Tprv& header) {
  Tarchive_entry entry;
  entry.number = number;
  entry.date = header.date;
  entry.customer = header.customer.name;
  entry.customer_ref = header.customer_ref;
  entry.quote_number = header.number;
  entry.drawing = header.drawing;
  for (std::string* field : entry_fields(entry)) *field = cut_short_string(*field);
  return entry;
}

void read_project_header(const std::string& file_name, Tarchive_entry& entry) {
  entry = archive_entry_of(project_number_of(file_name), read_project_head(user_path(file_name)));
}

void rebuild_archive_list() {
  std::vector<std::string> files = list_project_files(user_folder());
  ui().progress_begin(static_cast<int>(files.size()));
  std::vector<Tarchive_entry> entries(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    entries[i].number = project_number_of(files[i]);
    try {
      read_project_header(files[i], entries[i]);
    } catch (const FileError&) {
      ui().show_message(read_error_text(files[i]));
    }
    ui().progress_step(static_cast<int>(i + 1));
  }
  ui().progress_end();
  ArchiveList = std::move(entries);
  write_archive_list();
}

void reconcile_archive_list() {
  std::vector<std::string> changes;
  for (const std::string& file : list_project_files(user_folder())) {
    std::string change = reconcile_entry(file);
    if (!change.empty()) changes.push_back(file + ": " + change);
  }
  if (changes.empty()) return;
  // Only a written index is mended; ArchiveList lists every project either way.
  try {
    write_archive_list();
  } catch (const FileError& error) {
    ui().show_message(
        "The project index " + archive_path() +
        " still does not match the project files in the folder, because it could not be written: " + error.what() +
        "\r\nFor this session the archive lists them as they are:" + listed_lines(changes));
    return;
  }
  ui().show_message("The project index " + archive_path() +
                    " did not match the project files in the folder; it now does:" + listed_lines(changes));
}
