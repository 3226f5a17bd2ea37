#include "model/base/file_io.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace fs = std::filesystem;

TEST(Scrambling, NegatesEveryByteAndIsItsOwnInverse) {
  const std::string plain("\x00\x80\x41\xFF\x01", 5);  // 0, 128, 'A', 255, 1
  std::string bytes = plain;
  scramble_bytes(bytes);
  EXPECT_EQ(bytes, std::string("\x00\x80\xBF\x01\xFF", 5));  // 0, 128, 191, 1, 255
  scramble_bytes(bytes);
  EXPECT_EQ(bytes, plain);
}

TEST(Scrambling, ToggleTwiceRestoresTheFileOfAnyLength) {
  TempDir dir;
  for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{1024}, std::size_t{2048}, std::size_t{3000}}) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7);
    std::string path = dir.write("f.dat", bytes);
    toggle_file_scramble(path);
    std::string once = dir.read("f.dat");
    ASSERT_EQ(once.size(), size);
    std::string expected = bytes;
    scramble_bytes(expected);
    EXPECT_EQ(once, expected);
    toggle_file_scramble(path);
    EXPECT_EQ(dir.read("f.dat"), bytes);
  }
  // No temporary files are left behind.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(Scrambling, ReadingNeverChangesTheFile) {
  TempDir dir;
  std::string plain = "1\r\n2\r\n";
  std::string scrambled = plain;
  scramble_bytes(scrambled);
  std::string path = dir.write("p.dat", scrambled);
  auto before = fs::last_write_time(path);
  EXPECT_EQ(read_scrambled_file(path), plain);
  EXPECT_EQ(dir.read("p.dat"), scrambled);
  EXPECT_EQ(fs::last_write_time(path), before);
}

TEST(SafeWrite, ReplacesTheFileWhole) {
  TempDir dir;
  std::string path = dir.write("a.txt", "old content that is longer");
  write_file_safely(path, "new");
  EXPECT_EQ(dir.read("a.txt"), "new");
  write_scrambled_file(path, "A");
  EXPECT_EQ(dir.read("a.txt"), std::string(1, static_cast<char>(191)));
}

TEST(SafeWrite, StaleTemporariesOfTheTargetAreRemovedAndNothingElse) {
  TempDir dir;
  const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  std::vector<std::string> stale = {dir.write(".a.txt.123456.tmp", "crashed save"),
                                    dir.write(".a.txt.7.tmp", "another")};
  std::vector<std::string> kept = {dir.write(".a.txt.12x4.tmp", "not ours"), dir.write(".b.txt.123456.tmp", "b's"),
                                   dir.write("a.txt.123456.tmp", "visible"), dir.write(".a.txt.99.bak", "backup")};
  for (const std::string& path : stale) fs::last_write_time(path, an_hour_ago);
  for (const std::string& path : kept) fs::last_write_time(path, an_hour_ago);
  // A temporary just made may belong to a save still running.
  std::string recent = dir.write(".a.txt.555.tmp", "in progress");
  write_file_safely(dir.file("a.txt"), "new");
  for (const std::string& path : stale) EXPECT_FALSE(fs::exists(path)) << path;
  for (const std::string& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_TRUE(fs::exists(recent));
  EXPECT_EQ(dir.read("a.txt"), "new");
}

TEST(SafeWrite, AFolderSweepRemovesOnlyStaleTemporariesOfTheProgram) {
  TempDir dir;
  const auto an_hour_ago = fs::file_time_type::clock::now() - std::chrono::hours(1);
  std::vector<std::string> stale = {dir.write(".a.txt.123456.tmp", "crashed save"),
                                    dir.write(".prv00001.cel.7.tmp", "another")};
  std::vector<std::string> kept = {dir.write(".a.txt.12x4.tmp", "not ours"), dir.write("..1.tmp", "no name"),
                                   dir.write("a.txt.123456.tmp", "visible"), dir.write(".a.txt.99.bak", "backup"),
                                   dir.write(".a.txt.1234567890.tmp", "more digits than ours")};
  fs::create_directory(dir.file(".b.txt.5.tmp"));
  kept.push_back(dir.file(".b.txt.5.tmp"));
  for (const std::string& path : stale) fs::last_write_time(path, an_hour_ago);
  for (const std::string& path : kept) fs::last_write_time(path, an_hour_ago);
  std::string recent = dir.write(".c.txt.555.tmp", "in progress");
  remove_stale_temporaries_in(dir.path().string());
  for (const std::string& path : stale) EXPECT_FALSE(fs::exists(path)) << path;
  for (const std::string& path : kept) EXPECT_TRUE(fs::exists(path)) << path;
  EXPECT_TRUE(fs::exists(recent));
  remove_stale_temporaries_in(dir.file("missing"));  // a missing folder is no error
}

TEST(SafeWrite, ReadOnlyFileIsRefusedAndKept) {
  TempDir dir;
  std::string path = dir.write("ro.txt", "keep me");
  fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_THROW(write_file_safely(path, "lost"), FileError);
  EXPECT_EQ(dir.read("ro.txt"), "keep me");
  EXPECT_THROW(toggle_file_scramble(path), FileError);
  EXPECT_EQ(dir.read("ro.txt"), "keep me");
}

TEST(SafeWrite, UnwritableFolderRaises) {
  TempDir dir;
  EXPECT_THROW(write_file_safely(dir.file("missing/sub/a.txt"), "x"), FileError);
  if (geteuid() != 0) {  // root writes into read-only folders anyway
    fs::create_directories(dir.path() / "ro");
    std::string path = dir.write("ro/a.txt", "keep");
    fs::permissions(dir.path() / "ro", fs::perms::owner_read | fs::perms::owner_exec);
    EXPECT_THROW(write_file_safely(path, "lost"), FileError);
    EXPECT_EQ(dir.read("ro/a.txt"), "keep");
  }
}

TEST(SafeWrite, MissingFileRaisesOnRead) {
  TempDir dir;
  EXPECT_THROW(read_file_bytes(dir.file("none.dat")), FileError);
  EXPECT_THROW(toggle_file_scramble(dir.file("none.dat")), FileError);
  EXPECT_FALSE(fs::exists(dir.file("none.dat")));
}

TEST(SafeWrite, AFileThatCannotBeReadSaysWhy) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "folder.dat");
  for (const std::string name : {"none.dat", "folder.dat"}) {
    try {
      read_file_bytes(dir.file(name));
      ADD_FAILURE() << name << " was read";
    } catch (const FileError& error) {
      const std::string reason = std::strerror(name == "none.dat" ? ENOENT : EISDIR);  // in the user's language
      EXPECT_NE(std::string(error.what()).find(dir.file(name) + ": " + reason), std::string::npos) << error.what();
    }
  }
}

// Files saved together are written all or none: one that cannot be written
// leaves every other as it was, new ones unmade, and no temporary behind.
TEST(SafeWrite, FilesWrittenTogetherChangeAllOrNone) {
  TempDir dir;
  const std::string kept = dir.write("a/kept.dat", "old");
  const std::string read_only = dir.write("b/ro.dat", "keep me");
  fs::permissions(read_only, fs::perms::owner_read);
  EXPECT_THROW(write_files_together({{kept, "new"}, {dir.file("a/made.dat"), "new"}, {read_only, "lost"}}), FileError);
  EXPECT_EQ(dir.read("a/kept.dat"), "old");
  EXPECT_EQ(dir.read("b/ro.dat"), "keep me");
  for (const char* folder : {"a", "b"})
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / folder), fs::directory_iterator()), 1) << folder;

  write_files_together({{kept, "new"}, {dir.file("a/made.dat"), "made"}});
  EXPECT_EQ(dir.read("a/kept.dat"), "new");
  EXPECT_EQ(dir.read("a/made.dat"), "made");
}
