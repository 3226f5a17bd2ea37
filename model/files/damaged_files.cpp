#include "model/files/damaged_files.h"

#include <filesystem>
#include <map>
#include <system_error>

#include "model/base/file_io.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFaultsShown = 5;

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

std::string listed_faults(const std::vector<std::string>& faults) {
  std::string text;
  for (std::size_t i = 0; i < faults.size() && i < kFaultsShown; ++i) text += "\r\n" + faults[i];
  if (faults.size() > kFaultsShown) text += "\r\n(and " + std::to_string(faults.size() - kFaultsShown) + " more)";
  return text;
}

}  // namespace

std::string note_damaged_file(const std::string& path, const std::vector<std::string>& faults) {
  const std::string copy = free_copy_name(path);
  pending_copies()[path] = copy;
  return read_error_text(path) + listed_faults(faults) +
         "\r\nWhat could be read is kept. Before the file is written again, the damaged file is kept as " + copy + ".";
}

void keep_damaged_copy(const std::string& path) {
  auto pending = pending_copies().find(path);
  if (pending == pending_copies().end()) return;
  std::error_code ignored;
  if (fs::exists(pending->second, ignored)) pending->second = free_copy_name(path);
  // copy_file refuses an existing target, so no earlier copy is ever replaced.
  std::error_code error;
  if (fs::exists(path, ignored)) fs::copy_file(path, pending->second, error);
  if (error)
    throw FileError("Cannot keep the damaged file " + path + " as " + pending->second + ": " + error.message() +
                    ". It was not written.");
  pending_copies().erase(pending);
}
