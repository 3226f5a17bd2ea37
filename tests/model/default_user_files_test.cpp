#include "model/files/default_user_files.h"

#include <gtest/gtest.h>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "support/temp_dir.h"

namespace {

class DefaultUserFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = program_.path().string();
    program_.write("defaults/user/codici.dat", "default codes");
    program_.write("defaults/user/preferenze.dat", "default preferences");
  }
  TempDir program_;
};

TEST_F(DefaultUserFiles, FirstStartGetsEveryDefaultInANewUserFolder) {
  EXPECT_EQ(install_default_user_files(), default_user_file_names());
  EXPECT_EQ(program_.read("user/codici.dat"), "default codes");
  EXPECT_EQ(program_.read("user/preferenze.dat"), "default preferences");
}

TEST_F(DefaultUserFiles, AUsersOwnFileIsNeverReplaced) {
  program_.write("user/codici.dat", "my prices");
  EXPECT_EQ(install_default_user_files(), std::vector<std::string>{"preferenze.dat"});
  EXPECT_EQ(program_.read("user/codici.dat"), "my prices");
  EXPECT_TRUE(install_default_user_files().empty());
  EXPECT_EQ(program_.read("user/preferenze.dat"), "default preferences");
}

TEST_F(DefaultUserFiles, ADefaultThatWasNotShippedIsSkipped) {
  std::filesystem::remove(program_.path() / "defaults/user/codici.dat");
  EXPECT_EQ(install_default_user_files(), std::vector<std::string>{"preferenze.dat"});
  EXPECT_FALSE(std::filesystem::exists(program_.path() / "user/codici.dat"));
}

TEST_F(DefaultUserFiles, AUserFolderThatCannotBeMadeIsReported) {
  program_.write("user", "a file where the folder should be");
  EXPECT_THROW(install_default_user_files(), FileError);
}

}  // namespace
