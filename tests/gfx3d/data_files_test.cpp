#include "gfx3d/persistence/data_files.h"

#include <sys/stat.h>

#include <cfenv>
#include <filesystem>

#include "gfx3d/core/initialization.h"
#include "gfx3d/core/library_errors.h"
#include "gfx3d_fixture.h"
#include "support/temp_dir.h"

namespace {

using DataFiles = Gfx3DTest;

// A format that reads its whole file and writes it back.
class TTextFile : public TDataFile {
 public:
  using TDataFile::TDataFile;
  std::string ClassName() const override { return "TTextFile"; }
  std::unique_ptr<TDataFile> NewOfSameClass(TPersistent* owner) const override {
    return std::make_unique<TTextFile>(owner);
  }
  void LoadFromStream(TStream& stream) override {
    text.assign(static_cast<std::size_t>(stream.Size()), '\0');
    stream.ReadBuffer(text.data(), text.size());
  }
  void SaveToStream(TStream& stream) override {
    if (failSave) throw ELibraryError("disk full");
    stream.WriteBuffer(text.data(), text.size());
  }
  std::string text;
  bool failSave = false;
};

// A format that can only read.
class TReadOnlyFile : public TDataFile {
 public:
  using TDataFile::TDataFile;
  std::string ClassName() const override { return "TReadOnlyFile"; }
  std::unique_ptr<TDataFile> NewOfSameClass(TPersistent* owner) const override {
    return std::make_unique<TReadOnlyFile>(owner);
  }
  void LoadFromStream(TStream&) override {}
};

TEST_F(DataFiles, LoadingNotesTheBareFileName) {
  TempDir dir;
  const std::string path = dir.write("parts/shelf.stl", "solid");
  TTextFile file(nullptr);
  file.LoadFromFile(path);
  EXPECT_EQ(file.ResourceName(), "shelf.stl");
  EXPECT_EQ(file.text, "solid");
  auto other = file.NewOfSameClass(&file);
  EXPECT_EQ(other->GetOwner(), &file);
  EXPECT_EQ(other->ClassName(), "TTextFile");
}

TEST_F(DataFiles, AMissingFileIsReportedWithItsNameInQuotes) {
  TempDir dir;
  const std::string path = dir.file("missing.stl");
  try {
    OpenFileStream(path, fmOpenRead | fmShareDenyNone);
    FAIL() << "no error";
  } catch (const ELibraryError& error) {
    EXPECT_EQ(std::string(error.what()), "File not found: \"" + path + "\"");
  }
  auto stream = OpenFileStream(path, fmCreate);
  stream->WriteBuffer("abc", 3);
  stream->Commit();
  EXPECT_EQ(dir.read("missing.stl"), "abc");
  EXPECT_THROW(OpenFileStream(dir.path().string(), fmOpenRead), EFOpenError);  // a folder
}

TEST_F(DataFiles, AFailedSaveLeavesTheOldFileAndNoLeftovers) {
  TempDir dir;
  const std::string path = dir.write("part.stl", "old");
  TTextFile file(nullptr);
  file.text = "new";
  file.failSave = true;
  EXPECT_THROW(file.SaveToFile(path), ELibraryError);
  EXPECT_EQ(dir.read("part.stl"), "old");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
  file.failSave = false;
  file.SaveToFile(path);
  EXPECT_EQ(dir.read("part.stl"), "new");
  EXPECT_EQ(file.ResourceName(), "part.stl");
}

TEST_F(DataFiles, ASaveKeepsThePermissionsAndSparesReadOnlyFiles) {
  namespace fs = std::filesystem;
  TempDir dir;
  TTextFile file(nullptr);
  file.text = "new";
  const std::string privatePath = dir.write("private.stl", "old");
  fs::permissions(privatePath, fs::perms::owner_read | fs::perms::owner_write);
  file.SaveToFile(privatePath);
  EXPECT_EQ(dir.read("private.stl"), "new");
  EXPECT_EQ(fs::status(privatePath).permissions(), fs::perms::owner_read | fs::perms::owner_write);

  const mode_t mask = ::umask(027);  // a new file follows the process's mask, which stays as it was
  file.SaveToFile((dir.path() / "new.stl").string());
  EXPECT_EQ(::umask(mask), 027u);
  EXPECT_EQ(fs::status(dir.path() / "new.stl").permissions(), fs::perms(0640));

  const std::string lockedPath = dir.write("locked.stl", "old");
  fs::permissions(lockedPath, fs::perms::owner_read | fs::perms::group_read);
  EXPECT_THROW(file.SaveToFile(lockedPath), EFOpenError);
  EXPECT_EQ(dir.read("locked.stl"), "old");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 3);
}

TEST_F(DataFiles, AFormatWithoutExportRefusesToSave) {
  TempDir dir;
  TReadOnlyFile file(nullptr);
  EXPECT_EQ(TReadOnlyFile::SupportedOperations(), dfcRead);
  try {
    file.SaveToFile(dir.file("out.stl"));
    FAIL() << "no error";
  } catch (const EAssertionFailed& error) {
    EXPECT_NE(std::string(error.what()).find("Export for TReadOnlyFile to TFileStream not available."),
              std::string::npos);
  }
  EXPECT_FALSE(std::filesystem::exists(dir.file("out.stl")));
}

TEST_F(DataFiles, StreamsRefuseToReadPastTheirEnd) {
  TStringStream stream("abc");
  char buffer[4];
  EXPECT_THROW(stream.ReadBuffer(buffer, 4), EReadError);
  stream.ReadBuffer(buffer, 3);
  EXPECT_EQ(stream.Remaining(), 0u);
  stream.SetPosition(10);
  EXPECT_EQ(stream.Remaining(), 0u);
  EXPECT_THROW(stream.ReadBuffer(buffer, 1), EReadError);
}

TEST_F(DataFiles, InitialisationRestoresTheFloatingPointEnvironment) {
  std::fesetround(FE_UPWARD);
  EXPECT_FALSE(FloatingPointEnvironmentIsDefault());
  InitializeGfx3D();
  EXPECT_TRUE(FloatingPointEnvironmentIsDefault());
  EXPECT_EQ(std::fegetround(), FE_TONEAREST);
}

}  // namespace
