// A save is durable only once the folder entry of its rename is on disk: the
// folder is synced after the rename. fsync is watched here by standing in for
// the C library's own, which it then calls.
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "model/base/file_io.h"
#include "support/temp_dir.h"

namespace {

// Called with the folder each time a folder is synced, while a test watches.
std::function<void(const std::string&)> folder_synced;

std::string path_of_descriptor(int fd) {
  std::error_code error;
  return std::filesystem::read_symlink("/proc/self/fd/" + std::to_string(fd), error).string();
}

}  // namespace

extern "C" int fsync(int fd) {
  using Fsync = int (*)(int);
  static const auto real_fsync = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
  struct stat status {};
  if (folder_synced && ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode)) folder_synced(path_of_descriptor(fd));
  return real_fsync(fd);
}

TEST(SafeWrite, TheFolderIsSyncedAfterTheRename) {
  TempDir dir;
  const std::string path = dir.write("a.txt", "old");
  std::vector<std::pair<std::string, std::string>> syncs;  // folder, content of the target then
  folder_synced = [&](const std::string& folder) { syncs.emplace_back(folder, dir.read("a.txt")); };
  write_file_safely(path, "new");
  folder_synced = nullptr;
  const std::string folder = std::filesystem::canonical(dir.path()).string();
  ASSERT_FALSE(syncs.empty()) << "the folder was never synced";
  EXPECT_EQ(syncs[0], (std::pair<std::string, std::string>(folder, "new"))) << "synced after the rename";
}
