#include "model/base/file_io.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <string_view>

namespace fs = std::filesystem;

void scramble_bytes(std::string& bytes) {
  for (char& c : bytes) c = static_cast<char>(static_cast<unsigned char>(256 - static_cast<unsigned char>(c)));
}

namespace {

// The file's bytes up to limit; raises FileError saying why it cannot be read.
std::string read_bytes_up_to(const std::string& path, std::size_t limit) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw FileError("Cannot open file " + path + ": " + std::strerror(errno));
  std::string content;
  char buffer[65536];
  while (content.size() < limit) {
    const ssize_t count = ::read(fd, buffer, std::min(sizeof buffer, limit - content.size()));
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) {
      // A folder opens but does not read: the user is told why.
      const std::string failure = std::strerror(errno);
      ::close(fd);
      throw FileError("Cannot read file " + path + ": " + failure);
    }
    if (count == 0) break;
    content.append(buffer, static_cast<std::size_t>(count));
  }
  ::close(fd);
  return content;
}

}  // namespace

std::string read_file_bytes(const std::string& path) { return read_bytes_up_to(path, std::string().max_size()); }

std::string read_file_start(const std::string& path, std::size_t max_bytes) {
  return read_bytes_up_to(path, max_bytes);
}

std::string read_scrambled_file(const std::string& path) {
  std::string bytes = read_file_bytes(path);
  scramble_bytes(bytes);
  return bytes;
}

namespace {

std::string system_error_text() { return std::strerror(errno); }

// Writes everything or fails; short writes are retried, never reported as success.
bool write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

fs::path folder_of(const fs::path& target) { return target.has_parent_path() ? target.parent_path() : fs::path("."); }

// Temporaries are named "." + target name + "." + digits + ".tmp".
std::string unique_temporary_name(const fs::path& target) {
  // One engine per thread: two threads saving at once must not share its state.
  thread_local std::mt19937_64 generator{std::random_device{}()};
  return (folder_of(target) /
          ("." + target.filename().string() + "." + std::to_string(generator() % 1000000000) + ".tmp"))
      .string();
}

// The name of the file a temporary was written for, or nothing when the name is
// not one of ours: "." + target name + "." + up to nine digits + ".tmp".
std::optional<std::string> temporary_target(const std::string& name) {
  const std::string suffix = ".tmp";
  if (!name.starts_with('.') || !name.ends_with(suffix)) return std::nullopt;
  const std::string_view middle(name.data() + 1, name.size() - 1 - suffix.size());
  const std::size_t dot = middle.rfind('.');
  if (dot == std::string_view::npos || dot == 0) return std::nullopt;
  const std::string_view digits = middle.substr(dot + 1);
  if (digits.empty() || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return std::nullopt;
  return std::string(middle.substr(0, dot));
}

// A save that was killed leaves its temporary behind. A recent one may belong
// to a save still running elsewhere, so only those older than ten minutes go.
void remove_stale_temporaries(const fs::path& folder, const std::function<bool(const std::string&)>& for_target) {
  constexpr auto kStaleAfter = std::chrono::minutes(10);
  const auto now = fs::file_time_type::clock::now();
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
    std::error_code ignored;
    const std::optional<std::string> target = temporary_target(entry.path().filename().string());
    if (!target || !for_target(*target) || !entry.is_regular_file(ignored) || entry.is_symlink(ignored)) continue;
    const auto written = entry.last_write_time(ignored);
    if (!ignored && now - written > kStaleAfter) fs::remove(entry.path(), ignored);
  }
}

// The rename is on disk only once its folder is: without this a power cut can
// bring back the old file after the save was reported done.
void sync_folder_of(const fs::path& target) {
  const int fd = ::open(folder_of(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  bool ok = fd >= 0 && ::fsync(fd) == 0;
  // Some file systems cannot sync a folder at all; there the rename is all there is.
  if (!ok && errno == EINVAL) ok = true;
  const std::string failure = ok ? std::string() : system_error_text();
  if (fd >= 0) ::close(fd);
  if (!ok)
    throw FileError("The file " + target.string() +
                    " was written, but its folder could not be flushed to disk: " + failure);
}

// A new content written and flushed beside its target, not yet in its place.
struct StagedFile {
  std::string target;
  std::string temporary;
};

// Writes bytes to a unique temporary in the target's folder, flushed to disk
// and with the target's permissions. Raises FileError, leaving no temporary.
StagedFile stage_file(const std::string& path, std::string_view bytes) {
  fs::path target(path);
  // A file the user marked read-only stays as it is, even for a user the system lets write it.
  std::error_code status_error;
  auto existing = fs::status(target, status_error);
  if (fs::is_regular_file(existing) && (existing.permissions() & fs::perms::owner_write) == fs::perms::none)
    throw FileError("Cannot write file " + path + ": the file is read-only");
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    temporary = unique_temporary_name(target);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) throw FileError("Cannot write file " + path + ": " + system_error_text());
  // The next save of a file clears what killed saves of it left.
  const std::string target_name = target.filename().string();
  remove_stale_temporaries(folder_of(target), [&](const std::string& name) { return name == target_name; });

  bool ok = write_all(fd, bytes) && ::fsync(fd) == 0;
  std::string failure = ok ? std::string() : system_error_text();
  if (::close(fd) != 0 && ok) {
    ok = false;
    failure = system_error_text();
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    throw FileError("Cannot write file " + path + ": " + failure);
  }
  // Keep the permissions of the file being replaced.
  std::error_code ignored;
  if (fs::exists(existing)) fs::permissions(temporary, existing.permissions(), ignored);
  return {path, temporary};
}

// Renames the temporary over its target; false, with the temporary removed, when it cannot.
bool put_in_place(const StagedFile& staged, std::string& failure) {
  if (::rename(staged.temporary.c_str(), staged.target.c_str()) == 0) return true;
  failure = system_error_text();
  ::unlink(staged.temporary.c_str());
  return false;
}

// Puts back the first count files after a later rename failed: each with its
// bytes from before the save, or removed when it had none. The names of those
// that could not be put back, for the message.
std::string put_back(const std::vector<FileContent>& files, const std::vector<std::optional<std::string>>& before,
                     std::size_t count) {
  std::string unrestored;
  for (std::size_t i = 0; i < count; ++i) {
    const std::string& path = files[i].path;
    bool restored = false;
    try {
      std::error_code error;
      if (before[i]) write_file_safely(path, *before[i]);
      restored = before[i].has_value() || (fs::remove(path, error) && !error);
    } catch (const FileError&) {
    }
    if (!restored) unrestored += " " + path;
  }
  return unrestored;
}

}  // namespace

void write_file_safely(const std::string& path, std::string_view bytes) {
  const StagedFile staged = stage_file(path, bytes);
  std::string failure;
  if (!put_in_place(staged, failure)) throw FileError("Cannot write file " + path + ": " + failure);
  sync_folder_of(staged.target);
}

void write_files_together(const std::vector<FileContent>& files) {
  std::vector<std::optional<std::string>> before;
  std::vector<StagedFile> staged;
  try {
    for (const FileContent& file : files) {
      before.push_back(fs::exists(file.path) ? std::optional(read_file_bytes(file.path)) : std::nullopt);
      staged.push_back(stage_file(file.path, file.bytes));
    }
  } catch (const FileError&) {
    for (const StagedFile& file : staged) ::unlink(file.temporary.c_str());
    throw;
  }
  for (std::size_t i = 0; i < staged.size(); ++i) {
    std::string failure;
    if (put_in_place(staged[i], failure)) continue;
    for (std::size_t j = i + 1; j < staged.size(); ++j) ::unlink(staged[j].temporary.c_str());
    const std::string unrestored = put_back(files, before, i);
    throw FileError("Cannot write file " + staged[i].target + ": " + failure +
                    (unrestored.empty() ? "; no file was changed"
                                        : "; these files were written and could not be put back:" + unrestored));
  }
  for (const StagedFile& file : staged) sync_folder_of(file.target);
}

FileContent scrambled_content(std::string path, std::string plain) {
  scramble_bytes(plain);
  return {std::move(path), std::move(plain)};
}

void remove_stale_temporaries_in(const std::string& folder) {
  remove_stale_temporaries(folder, [](const std::string&) { return true; });
}

void write_scrambled_file(const std::string& path, std::string plain) {
  scramble_bytes(plain);
  write_file_safely(path, plain);
}

void toggle_file_scramble(const std::string& path) {
  std::string bytes = read_file_bytes(path);
  scramble_bytes(bytes);
  write_file_safely(path, bytes);
}

std::string read_error_text(const std::string& path) { return "Error reading file. \r\n" + path; }
