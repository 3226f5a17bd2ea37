// The user's work at the start: brought over once from the program folder,
// where an earlier start kept it, with the user told where it went; and one
// program at a time on it, however long the first has run, while a program
// that was killed holds nothing.
#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QLockFile>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "editor/main/program_entry.h"
#include "editor/main/user_folder_claim.h"
#include "editor/message_boxes.h"
#include "editor/staged_program.h"
#include "editor/started_program.h"
#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "support/fresh_project.h"

namespace fs = std::filesystem;

namespace {

// The real program, started as a user starts it on the test's program folder
// (user/ holds the default files, so it asks the language and waits there).
class RunningProgram {
 public:
  explicit RunningProgram(const TempProgramDir& folder) {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("RACKWRIGHT_HOME", QString::fromStdString(folder.path().string()));
    environment.insert("RACKWRIGHT_USER_DIR", QString::fromStdString(folder.file("user")));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process_.setProcessEnvironment(environment);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.setStandardErrorFile(QProcess::nullDevice());
    const char* stage = std::getenv("RACKWRIGHT_STAGE_DIR");
    process_.start(QString::fromStdString((fs::path(stage ? stage : "") / "rackwright").string()));
  }
  ~RunningProgram() { kill(); }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  // Waits until the program has locked the user folder; false when it ended
  // or a generous minute passed first.
  bool holds_the_user_folder() {
    QLockFile lock(QString::fromStdString(user_folder_lock_path()));
    const QDeadlineTimer deadline(60000);
    while (process_.state() != QProcess::NotRunning && !deadline.hasExpired()) {
      qint64 holder = 0;
      QString host, name;
      if (lock.getLockInfo(&holder, &host, &name) && holder == process_.processId()) return true;
      QTest::qWait(10);
    }
    return false;
  }

  // As the system ends a program that hangs: it cannot let anything go.
  void kill() {
    process_.kill();
    process_.waitForFinished();
  }

 private:
  QProcess process_;
};

// Every file below a folder, with what tells a change: its content's hash and
// when it was last written.
std::map<std::string, std::string> files_in(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    files[entry.path().string()] = std::to_string(std::hash<std::string>{}(read_file_bytes(entry.path().string()))) +
                                   " written at " + std::to_string(entry.last_write_time().time_since_epoch().count());
  }
  return files;
}

bool start_answering_italian() {
  reset_open_project();  // nothing of an earlier test's program
  ItalianChosen answer;
  return start_program("");
}

class UserFolderAtStart : public ::testing::Test {
 protected:
  void TearDown() override {
    destroy_windows();
    reset_open_project();
    UserDir.clear();
  }
  StagedProgramDir program_;
  MessageBoxCloser boxes_;
};

}  // namespace

TEST_F(UserFolderAtStart, ASecondStartSaysTheProgramIsRunningAndChangesNoFile) {
  RunningProgram first(program_);
  ASSERT_TRUE(first.holds_the_user_folder());
  // The first may have run for an hour: it holds the folder all the same.
  fs::last_write_time(user_folder_lock_path(), fs::file_time_type::clock::now() - std::chrono::hours(1));
  const auto before = files_in(user_folder());

  EXPECT_FALSE(start_answering_italian());
  EXPECT_EQ(files_in(user_folder()), before);
  ASSERT_EQ(boxes_.texts.size(), 1u);
  EXPECT_NE(boxes_.texts[0].find("already running"), std::string::npos) << boxes_.texts[0];
  EXPECT_NE(boxes_.texts[0].find(user_folder()), std::string::npos) << boxes_.texts[0];
}

TEST_F(UserFolderAtStart, ALockLeftByAKilledProgramDoesNotBlockTheNextStart) {
  RunningProgram first(program_);
  ASSERT_TRUE(first.holds_the_user_folder());
  first.kill();
  ASSERT_TRUE(fs::exists(user_folder_lock_path()));  // the killed program could not let the folder go

  EXPECT_TRUE(start_answering_italian());
  EXPECT_TRUE(boxes_.texts.empty());
}

TEST_F(UserFolderAtStart, WorkKeptInTheProgramFolderMovesToTheUserFolderAndTheUserIsTold) {
  program_.write("user/logo.png", "the company's logo");
  const std::string earlier = program_.file("user");
  const std::string prices = program_.read("user/codici.dat");
  TempDir data;
  UserDir = data.file("share/rackwright");

  EXPECT_TRUE(start_answering_italian());
  EXPECT_FALSE(fs::exists(earlier));
  EXPECT_EQ(data.read("share/rackwright/codici.dat"), prices);
  EXPECT_EQ(data.read("share/rackwright/logo.png"), "the company's logo");
  ASSERT_EQ(boxes_.texts.size(), 1u);
  for (const std::string& folder : {earlier, UserDir})
    EXPECT_NE(boxes_.texts[0].find(folder), std::string::npos) << boxes_.texts[0];
}
