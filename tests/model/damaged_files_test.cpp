#include "model/files/damaged_files.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>
#include <vector>

#include "model/base/file_io.h"
#include "support/temp_dir.h"

namespace {

// Writes past a size fail in this process while it lives, as on a full disk.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    saved_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, saved_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int) = nullptr;
};

}  // namespace

// The copy is written as every file is, so a failed or killed copy leaves
// nothing behind, a retry takes the same name, and one copy is all there is.
TEST(DamagedCopy, IsWrittenWholeOrNotAtAllAndOnlyOnce) {
  TempDir dir;
  const std::string damaged(100000, 'd');
  const std::string path = dir.write("clienti.dat", damaged);
  EXPECT_NE(note_damaged_file(path, {"line 3: bad"}).find(path + ".damaged."), std::string::npos);
  {
    FileSizeLimit full(4096);
    try {
      keep_damaged_copy(path);
      ADD_FAILURE() << "the copy cannot be written";
    } catch (const FileError& error) {
      const std::string what = error.what();
      EXPECT_TRUE(what.starts_with("Cannot write file " + path + ".damaged: " + std::strerror(EFBIG))) << what;
      EXPECT_NE(what.find("was not written"), std::string::npos) << what;
    }
  }
  EXPECT_EQ(dir.names_in("."), std::vector<std::string>{"clienti.dat"}) << "no part of a copy is left";
  keep_damaged_copy(path);
  EXPECT_TRUE(dir.read("clienti.dat.damaged") == damaged) << "the copy is whole";
  keep_damaged_copy(path);
  EXPECT_EQ(dir.names_in("."), (std::vector<std::string>{"clienti.dat", "clienti.dat.damaged"}));
}
