#include "model/files/damaged_files.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "model/base/file_io.h"
#include "model/state/ui_seam.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLinesShown = 5;

// The damaged files not yet copied, each with the name its copy will take.
std::map<std::string, std::string>& pending_copies() {
  static std::map<std::string, std::string> copies;
  return copies;
}

// path + ".damaged", or + ".damaged-2", -3, ... when that is taken.
std::string free_copy_name(const std::string& path) {
  std::error_code error;
  std::string name = path + ".damaged";
  for (int n = 2; fs::exists(name, error); ++n) name = path + ".damaged-" + std::to_string(n);
  return name;
}

}  // namespace

std::string listed_lines(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size() && i < kLinesShown; ++i) text += "\r\n" + lines[i];
  if (lines.size() > kLinesShown) text += "\r\n(and " + std::to_string(lines.size() - kLinesShown) + " more)";
  return text;
}

std::string note_damaged_file(const std::string& path, const std::vector<std::string>& faults) {
  const std::string copy = free_copy_name(path);
  pending_copies()[path] = copy;
  return read_error_text(path) + listed_lines(faults) +
         "\r\nWhat could be read is kept. Before the file is written again, the damaged file is kept as " + copy + ".";
}

std::string note_unreadable_file(const std::string& path, const std::string& error) {
  pending_copies()[path] = free_copy_name(path);
  return read_error_text(path) + "\r\n" + error;
}

std::optional<std::string> read_user_file(const std::string& path) {
  try {
    return read_scrambled_file(path);
  } catch (const FileError& error) {
    ui().show_message(note_unreadable_file(path, error.what()));
    return std::nullopt;
  }
}

void keep_damaged_copy(const std::string& path) {
  auto pending = pending_copies().find(path);
  if (pending == pending_copies().end()) return;
  std::error_code ignored;
  if (fs::exists(path, ignored)) {
    if (fs::exists(pending->second, ignored)) pending->second = free_copy_name(path);
    try {
      write_file_safely(pending->second, read_file_bytes(path));
    } catch (const FileError& error) {
      throw FileError(std::string(error.what()) + "\r\nThe damaged file " + path +
                      " could not be kept, so it was not written.");
    }
  }
  pending_copies().erase(pending);
}
