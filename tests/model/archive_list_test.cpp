#include "model/files/archive_list.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/base/file_io.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

class ArchiveList_ : public ::testing::Test {
 protected:
  void SetUp() override { ArchiveList.clear(); }

  // Saves a project file whose quote header is the sample's with its own
  // quote number and customer, and gives the index entry it should have.
  Tarchive_entry project_file(const std::string& number, const std::string& customer) const {
    Tprv header = sample_quote_header();
    header.number = "Q-" + number;
    header.customer.name = customer;
    write_scrambled_file(dir.file("user/prv" + number + ".cel"),
                         project_file_text(header, {sample_cell("C", 1, 1, 0)}, 0, true));
    return archive_entry_of(number, header);
  }
  std::vector<Tarchive_entry> stored_index() const {
    return parse_archive_list(read_file_bytes(dir.file("user/list.dat")));
  }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(ArchiveList_, RecordsAreFixedSizeWithALengthBytePerField) {
  std::string bytes = archive_list_bytes({{"00001", "06/12/2026", "Rossi", "R", "Q", "D"}});
  ASSERT_EQ(bytes.size(), 1536u);
  // Each field: its length byte, its bytes, zeros up to the next 256-byte field.
  EXPECT_EQ(bytes.substr(0, 7), std::string("\00500001\0", 7));
  EXPECT_EQ(bytes.substr(256, 11), "\01206/12/2026");
  EXPECT_EQ(bytes.substr(1280, 2), "\001D");
}

TEST_F(ArchiveList_, RoundTripCutsLongFieldsAndIgnoresAPartialRecord) {
  std::string accented;
  while (accented.size() < 300) accented += "\xC3\xA8";  // "è", two bytes
  ArchiveList = {{"00001", "01/01/2026", std::string(255, 'c'), "ref", "q", "d"},
                 {"00002", "", accented, "", "", std::string(400, 'x')}};
  write_archive_list();
  std::string bytes = dir.read("user/list.dat");
  ASSERT_EQ(bytes.size(), 2u * 1536u);
  write_file_safely(dir.file("user/list.dat"), bytes + std::string(700, 'z'));  // a record cut short

  ArchiveList.clear();
  read_archive_list();
  ASSERT_EQ(ArchiveList.size(), 2u);
  EXPECT_EQ(ArchiveList[0].customer, std::string(255, 'c'));
  EXPECT_EQ(ArchiveList[0].customer_ref, "ref");
  EXPECT_EQ(ArchiveList[1].customer.size(), 254u);  // no character split at byte 255
  EXPECT_EQ(ArchiveList[1].customer, accented.substr(0, 254));
  EXPECT_EQ(ArchiveList[1].drawing, std::string(255, 'x'));
}

TEST_F(ArchiveList_, MissingIndexIsAnErrorAndAnEmptyUserFolderRebuildsAnEmptyOne) {
  EXPECT_THROW(read_archive_list(), FileError);
  ArchiveList = {{"00001", "", "", "", "", ""}};
  rebuild_archive_list();
  EXPECT_TRUE(ArchiveList.empty());
  EXPECT_TRUE(std::filesystem::exists(dir.file("user/list.dat")));
  EXPECT_EQ(dir.read("user/list.dat"), "");
}

TEST_F(ArchiveList_, RebuildReadsEveryProjectHeadInNameOrder) {
  Tprv header = sample_quote_header();
  write_scrambled_file(dir.file("user/prv00002.cel"), project_file_text(header, {sample_cell("C", 1, 1, 1)}, 0, true));
  write_scrambled_file(dir.file("user/PRV00001.CEL"), "31/12/1999\r\nN-0\r\n");  // a legacy head cut short
  write_scrambled_file(dir.file("user/prv00003.cel"),
                       "28/02/2001\r\nN-3\r\nOLD\r\nVerdi\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nFrom\r\n\r\n\r\n"
                       "    1.00\r\n    0.00\r\nDRW\r\n\r\n\r\n3\r\n");  // a legacy head, without its cells
  dir.write("user/notes.txt", "x");
  std::string stored = dir.read("user/prv00002.cel");

  rebuild_archive_list();

  ASSERT_EQ(ArchiveList.size(), 3u);
  EXPECT_EQ(ArchiveList[0], (Tarchive_entry{"00001", "", "", "", "", ""}));
  EXPECT_EQ(ArchiveList[1], (Tarchive_entry{"00002", header.date, header.customer.name, header.customer_ref,
                                            header.number, header.drawing}));
  EXPECT_EQ(ArchiveList[2], (Tarchive_entry{"00003", "28/02/2001", "Verdi", "OLD", "N-3", "DRW"}));
  EXPECT_EQ(ui->messages, (std::vector<std::string>{read_error_text("PRV00001.CEL")}));
  EXPECT_EQ(ui->progress_maximum, 3);
  EXPECT_EQ(ui->progress_position, 3);
  EXPECT_EQ(dir.read("user/prv00002.cel"), stored);

  ArchiveList.clear();
  read_archive_list();
  EXPECT_EQ(ArchiveList.size(), 3u);
}

TEST_F(ArchiveList_, ProjectNumbersComeFromTheFileName) {
  for (auto [name, number] :
       {std::pair{"prv00042.cel", "00042"}, {"PRV12345.CEL", "12345"}, {"prv1.cel", "prv1"}, {".cel", ""}})
    EXPECT_EQ(project_number_of(name), number) << name;
}

// An index cut short is said to be damaged and kept as it was before it is
// written again; every project file's entry is brought back from its head.
TEST_F(ArchiveList_, ADamagedIndexIsReportedKeptAndEveryProjectComesBack) {
  const std::vector<Tarchive_entry> entries = {project_file("00001", "Rossi"), project_file("00002", "Bianchi"),
                                               project_file("00003", "Verdi")};
  ArchiveList = entries;
  write_archive_list();
  std::string damaged = dir.read("user/list.dat");
  damaged.resize(2 * 1536 + 700);
  write_file_safely(dir.file("user/list.dat"), damaged);

  ArchiveList.clear();
  read_archive_list();
  EXPECT_EQ(ArchiveList.size(), 2u);
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ui->messages[0].starts_with(read_error_text(dir.file("user/list.dat")))) << ui->messages[0];
  EXPECT_NE(ui->messages[0].find("list.dat.damaged"), std::string::npos) << ui->messages[0];

  reconcile_archive_list();
  EXPECT_EQ(ArchiveList, entries);
  EXPECT_EQ(stored_index(), entries);
  EXPECT_EQ(dir.read("user/list.dat.damaged"), damaged);
}

// A save killed between the project file and the index: the file lacks its
// entry, or its entry still holds the texts of the save before.
TEST_F(ArchiveList_, ProjectFilesTheIndexLacksOrDisagreesWithBringTheirOwnEntries) {
  const Tarchive_entry first = project_file("00001", "Rossi");
  const Tarchive_entry second = project_file("00002", "Bianchi");
  const Tarchive_entry third = project_file("00003", "Verdi");
  write_scrambled_file(dir.file("user/prv00004.cel"), "V002\r\n");  // a head that cannot be read
  Tarchive_entry stale = second;
  stale.customer = "Neri";
  stale.quote_number = "Q-old";
  const Tarchive_entry without_file{"00007", "01/01/2020", "Gialli", "", "", ""};
  ArchiveList = {first, stale, without_file};
  write_archive_list();

  reconcile_archive_list();
  const std::vector<Tarchive_entry> expected = {first, second, without_file, third, {"00004", "", "", "", "", ""}};
  EXPECT_EQ(ArchiveList, expected);
  EXPECT_EQ(stored_index(), expected);
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const char* name : {"prv00002.cel", "prv00003.cel", "prv00004.cel"})
    EXPECT_NE(ui->messages[0].find(name), std::string::npos) << name << " in " << ui->messages[0];
  EXPECT_EQ(ui->messages[0].find("prv00001.cel"), std::string::npos) << ui->messages[0];

  // In step now: nothing to say, nothing written.
  std::filesystem::remove(dir.file("user/list.dat"));
  reconcile_archive_list();
  EXPECT_EQ(ArchiveList, expected);
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/list.dat")));
}

// A mend the index file cannot take (a full disk, a read-only index) is said
// once, as not done and why; the index in memory lists every project still.
TEST_F(ArchiveList_, AMendThatCannotBeWrittenIsSaidOnceAsNotDone) {
  const Tarchive_entry first = project_file("00001", "Rossi");
  const Tarchive_entry second = project_file("00002", "Bianchi");
  ArchiveList = {first};
  write_archive_list();
  std::filesystem::permissions(dir.file("user/list.dat"), std::filesystem::perms::owner_read);

  ASSERT_NO_THROW(reconcile_archive_list());
  EXPECT_EQ(ArchiveList, (std::vector<Tarchive_entry>{first, second}));
  EXPECT_EQ(stored_index(), std::vector<Tarchive_entry>{first});
  ASSERT_EQ(ui->messages.size(), 1u);
  const std::string& box = ui->messages[0];
  for (const char* part : {"still does not match", "list.dat: the file is read-only", "prv00002.cel"})
    EXPECT_NE(box.find(part), std::string::npos) << part << " in " << box;
  EXPECT_EQ(box.find("it now does"), std::string::npos) << box;
}

// The index reads only the start of a large project file, unless its head runs past it.
TEST_F(ArchiveList_, HeadsOfLargeFilesAndLongHeadsReadAlike) {
  Tprv header = sample_quote_header();
  write_scrambled_file(dir.file("user/prv00001.cel"), project_file_text(header, large_project_cells(), 0, true));
  header.customer.notes.assign(3000, std::string(40, 'n'));  // a head of about 130 kB
  header.drawing = "after the notes";
  write_scrambled_file(dir.file("user/prv00002.cel"), project_file_text(header, {sample_cell("C", 1, 1, 0)}, 0, true));
  ASSERT_GT(std::filesystem::file_size(dir.file("user/prv00001.cel")), 200000u);
  for (const std::string number : {"00001", "00002"}) {
    const std::string path = dir.file("user/prv" + number + ".cel");
    EXPECT_EQ(read_project_head(path), parse_project_head(read_scrambled_file(path), path)) << number;
  }
  EXPECT_EQ(read_project_head(dir.file("user/prv00002.cel")).drawing, "after the notes");
}
