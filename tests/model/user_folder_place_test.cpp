#include "model/files/user_folder_place.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <utility>
#include <vector>

#include "model/base/file_io.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

// Environment variables set for one test, put back as they were afterwards.
class ScopedEnvironment {
 public:
  ~ScopedEnvironment() {
    for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
      put(it->first, it->second ? it->second->c_str() : nullptr);
  }
  void set(const std::string& name, const char* value) {
    const char* old = std::getenv(name.c_str());
    saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    put(name, value);
  }

 private:
  static void put(const std::string& name, const char* value) {
    if (value)
      setenv(name.c_str(), value, 1);
    else
      unsetenv(name.c_str());
  }
  std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};

}  // namespace

TEST(UserFolderPlace, IsTheUsersDataFolderByTheXdgRule) {
  ScopedEnvironment environment;
  environment.set("RACKWRIGHT_USER_DIR", nullptr);
  environment.set("HOME", "/home/ada");
  environment.set("XDG_DATA_HOME", "/data/ada/");
  EXPECT_EQ(find_user_folder(), "/data/ada/rackwright");
  for (const char* unusable : {static_cast<const char*>(nullptr), "", "relative/share"}) {
    environment.set("XDG_DATA_HOME", unusable);
    EXPECT_EQ(find_user_folder(), "/home/ada/.local/share/rackwright") << (unusable ? unusable : "unset");
  }
  // A folder named for this run (the tests name their own) comes first.
  environment.set("RACKWRIGHT_USER_DIR", "/tmp/work/");
  EXPECT_EQ(find_user_folder(), "/tmp/work");
}

namespace {

class BringingOver : public ::testing::Test {
 protected:
  void SetUp() override {
    program_.write("bin/user/prv00001.cel", "project one");
    program_.write("bin/user/clienti.dat", "customers");
    program_.write("bin/user/logos/logo.png", "picture");
  }
  std::string earlier() const { return program_.file("bin/user"); }
  static std::string read(const fs::path& file) { return read_file_bytes(file.string()); }
  void expect_work_in(const fs::path& folder) const {
    EXPECT_EQ(read(folder / "prv00001.cel"), "project one");
    EXPECT_EQ(read(folder / "clienti.dat"), "customers");
    EXPECT_EQ(read(folder / "logos/logo.png"), "picture");
  }
  TempDir program_;
};

}  // namespace

TEST_F(BringingOver, TheEarlierFolderMovesOnceWithAllItHolds) {
  TempDir data;
  const fs::path user_folder = data.path() / "share/rackwright";
  EXPECT_EQ(bring_over_user_folder(earlier(), user_folder.string()).outcome, FolderMove::moved);
  expect_work_in(user_folder);
  EXPECT_FALSE(fs::exists(earlier()));
  // Once there, the user folder is the user's: a folder that turns up in the program folder again stays out of it.
  program_.write("bin/user/prv00001.cel", "an old copy");
  EXPECT_EQ(bring_over_user_folder(earlier(), user_folder.string()).outcome, FolderMove::none);
  expect_work_in(user_folder);
  EXPECT_EQ(program_.read("bin/user/prv00001.cel"), "an old copy");
}

namespace {

// A folder on another file system than the temporary folder, where a rename
// cannot reach: the shared memory's, where it is one.
std::optional<fs::path> other_file_system() {
  struct stat temporary {
  }, shared{};
  if (::stat(fs::temp_directory_path().c_str(), &temporary) != 0 || ::stat("/dev/shm", &shared) != 0 ||
      temporary.st_dev == shared.st_dev || ::access("/dev/shm", W_OK) != 0)
    return std::nullopt;
  return fs::path("/dev/shm");
}

}  // namespace

TEST_F(BringingOver, AcrossFileSystemsTheWorkIsCopiedWholeAndTheEarlierFolderRemoved) {
  const auto other = other_file_system();
  if (!other) GTEST_SKIP() << "no second file system to move to";
  TempDir data(*other);
  const fs::path user_folder = data.path() / "rackwright";
  EXPECT_EQ(bring_over_user_folder(earlier(), user_folder.string()).outcome, FolderMove::moved);
  expect_work_in(user_folder);
  EXPECT_FALSE(fs::exists(earlier()));
  EXPECT_EQ(data.names_in(""), std::vector<std::string>{"rackwright"});
}

// A copy that stops half-way (here at a file no copy can take) loses nothing:
// the earlier folder stays whole, and no half user folder is left to be taken
// for the real one at the next start.
TEST_F(BringingOver, ACopyCutShortLeavesTheEarlierFolderWholeAndNoUserFolder) {
  const auto other = other_file_system();
  if (!other) GTEST_SKIP() << "no second file system to move to";
  ASSERT_EQ(::mkfifo(program_.file("bin/user/zz-pipe").c_str(), 0600), 0);
  TempDir data(*other);
  const fs::path user_folder = data.path() / "rackwright";
  EXPECT_THROW(bring_over_user_folder(earlier(), user_folder.string()), FileError);
  expect_work_in(earlier());
  EXPECT_TRUE(data.names_in("").empty());
}
