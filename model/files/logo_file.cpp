#include "model/files/logo_file.h"

#include <filesystem>

#include "model/base/string_utils.h"
#include "model/state/globals.h"

namespace fs = std::filesystem;

namespace {

bool regular_file_exists(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

}  // namespace

std::string find_logo_file(const std::string& logo_name) {
  if (logo_name.empty()) return {};
  fs::path folder = user_folder();
  fs::path exact = folder / logo_name;
  if (regular_file_exists(exact)) return exact.string();
  std::string wanted = ascii_upper(logo_name);
  std::error_code error;
  for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
    if (ascii_upper(entry->path().filename().string()) == wanted && regular_file_exists(entry->path()))
      return entry->path().string();
  }
  return {};
}
