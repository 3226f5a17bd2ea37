#include "model/files/archive_list.h"

#include <gtest/gtest.h>

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
                       "    1.00\r\nnone\r\nDRW\r\n");  // the index passes over the discounts and stops at the drawing
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
