#include "model/files/archive_list.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

constexpr std::size_t kFieldBytes = 256;
constexpr std::size_t kRecordBytes = 6 * kFieldBytes;

std::string archive_path() { return program_path("user/list.dat"); }

std::array<std::string*, 6> entry_fields(Tarchive_entry& e) {
  return {&e.number, &e.date, &e.customer, &e.customer_ref, &e.quote_number, &e.drawing};
}

std::array<const std::string*, 6> entry_fields(const Tarchive_entry& e) {
  return {&e.number, &e.date, &e.customer, &e.customer_ref, &e.quote_number, &e.drawing};
}

std::string lower_case(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool is_project_file_name(const std::string& name) {
  std::string lower = lower_case(name);
  return lower.size() >= 7 && lower.starts_with("prv") && lower.ends_with(".cel");
}

}  // namespace

std::vector<Tarchive_entry> parse_archive_list(std::string_view bytes) {
  std::vector<Tarchive_entry> entries;
  for (std::size_t record = 0; record + kRecordBytes <= bytes.size(); record += kRecordBytes) {
    Tarchive_entry entry;
    std::size_t offset = record;
    for (std::string* field : entry_fields(entry)) {
      std::size_t length = static_cast<unsigned char>(bytes[offset]);
      *field = std::string(bytes.substr(offset + 1, length));
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

void read_archive_list() { ArchiveList = parse_archive_list(read_file_bytes(archive_path())); }

void write_archive_list() { write_file_safely(archive_path(), archive_list_bytes(ArchiveList)); }

std::vector<std::string> list_project_files(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    std::string name = item.path().filename().string();
    if (is_project_file_name(name) && item.is_regular_file(error)) names.push_back(name);
  }
  // Case-blind order, so PRV00002.CEL sorts beside prv00001.cel; exact names break ties.
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    std::string la = lower_case(a), lb = lower_case(b);
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
  entry = archive_entry_of(project_number_of(file_name), read_project_head(program_path("user/" + file_name)));
}

void rebuild_archive_list() {
  std::vector<std::string> files = list_project_files(program_path("user"));
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
