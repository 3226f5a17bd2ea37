#include "model/files/user_folder_place.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <system_error>

#include "model/base/file_io.h"

namespace fs = std::filesystem;

namespace {

std::string environment_value(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

// A folder named with the trailing separator a variable may end with, without it.
std::string folder_name(const fs::path& folder) {
  fs::path normal = folder.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return normal.string();
}

// $HOME, or the system's record of the user where it is not set.
fs::path home_folder() {
  if (fs::path home = environment_value("HOME"); home.is_absolute()) return home;
  const passwd* user = ::getpwuid(::getuid());
  return user && user->pw_dir ? fs::path(user->pw_dir) : fs::path();
}

// The user's data folder by the XDG rule: a relative XDG_DATA_HOME is ignored.
fs::path data_home() {
  if (fs::path data = environment_value("XDG_DATA_HOME"); data.is_absolute()) return data;
  const fs::path home = home_folder();
  return home.empty() ? home : home / ".local/share";
}

bool anything_at(const fs::path& path) {
  std::error_code ignored;
  return fs::exists(fs::symlink_status(path, ignored));
}

// Where a rename cannot reach: a copy beside the target, on the target's file
// system and on its disk before it is renamed into place, so that no half
// folder is ever taken for the user's. Named for this process, so that two
// starts at once never copy into one folder.
void copy_into_place(const fs::path& from, const fs::path& to) {
  const fs::path staging = to.parent_path() / ("." + to.filename().string() + ".moving-" + std::to_string(::getpid()));
  std::error_code error, ignored;
  fs::remove_all(staging, ignored);
  fs::copy(from, staging, fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
  if (!error) {
    ::sync();
    fs::rename(staging, to, error);
  }
  if (error) {
    fs::remove_all(staging, ignored);
    throw FileError(error.message());
  }
}

}  // namespace

std::string find_user_folder() {
  if (std::string named = environment_value("RACKWRIGHT_USER_DIR"); !named.empty()) {
    std::error_code no_working_folder;
    const fs::path absolute = fs::absolute(named, no_working_folder);
    return folder_name(no_working_folder ? fs::path(named) : absolute);
  }
  const fs::path data = data_home();
  return data.empty() ? std::string() : folder_name(data / "rackwright");
}

FolderMove bring_over_user_folder(const std::string& from_name, const std::string& to_name) {
  const fs::path from(from_name), to(to_name);
  std::error_code error;
  if (!fs::is_directory(from, error) || anything_at(to)) return {};
  try {
    fs::create_directories(to.parent_path());
    if (::rename(from.c_str(), to.c_str()) == 0) return {FolderMove::moved, {}};
    copy_into_place(from, to);
    ::sync();  // the work is on disk in its new place before the old one goes
  } catch (const std::exception& failure) {
    if (anything_at(to)) return {};  // another start brought it over meanwhile
    throw FileError(failure.what());
  }
  fs::remove_all(from, error);
  if (error) return {FolderMove::copied, error.message()};
  return {FolderMove::moved, {}};
}
