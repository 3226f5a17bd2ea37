#include "model/files/codes_table.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <clocale>
#include <cstring>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

const std::string kHeader =
    "TIPO\tLAR\tLUNG\tALT\t0\t1\t2\t3\t4\tCODICE\tDESCRIZIONE (NON USATA)\t(DESCR_L)\tCODICE ALT.\tPREZZO\tPESO\r\n";

class CodesTable_ : public ::testing::Test {
 protected:
  void SetUp() override { StructureTypes.assign(2, Tstructure_type{}); }
  void write_table(const std::string& rows) { write_scrambled_file(path(), kHeader + rows); }
  std::string path() const { return dir.file("user/codici.dat"); }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(CodesTable_, ReadsRowsWithCommaDecimals) {
  write_table("R\t475\t974\t\tSI\t-\tR475974\tRipiano\t301\tALT-R\t12,5\t3,75\r\n");
  read_codes_table();
  EXPECT_EQ(CodesTable,
            (Tdb_codici{{"R", "475", "974", "", {"SI", "-"}, "R475974", "ALT-R", "Ripiano", 301, 12.5, 3.75}}));
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(CodesTable_, BlankAndControlCharacterLinesAreSkippedAndOptionsFollowTheStructureTypes) {
  StructureTypes.assign(6, Tstructure_type{});  // more types than the header names
  write_table(" \t \t\r\n\r\n\r\r\n\f\r\nTE\t475\t\t2000\tSI\tSI\tSI\tSI\tSI\tSI\tTE1\t\t0\t\t1\t2\r\n");
  read_codes_table();
  ASSERT_EQ(CodesTable.size(), 1u);
  EXPECT_EQ(CodesTable[0].options.size(), 6u);
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(CodesTable_, APointDecimalIsDamageAndEarlierRowsAreKept) {
  write_table("G\t475\t\t\tSI\tSI\tG1\t\t0\t\t1,5\t0\r\nG\t577\t\t\tSI\tSI\tG2\t\t0\t\t1.5\t0\r\n");
  read_codes_table();
  ASSERT_EQ(CodesTable.size(), 1u);
  EXPECT_EQ(CodesTable[0].code, "G1");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ui->messages[0].starts_with(read_error_text(path()))) << ui->messages[0];
}

TEST_F(CodesTable_, EveryReadableRowIsKeptAndTheDamagedTableIsCopiedBeforeItIsWritten) {
  write_table("G\t475\t\t\tSI\tSI\tG1\t\t0\t\t1,5\t0\r\nG\t577\tSI\tG2\r\nG\t600\t\t\tSI\tSI\tG3\t\t0\t\t2\t0\r\n");
  const std::string damaged = dir.read("user/codici.dat");
  read_codes_table();
  ASSERT_EQ(CodesTable.size(), 2u);
  EXPECT_EQ(CodesTable[1].code, "G3") << "the row after the damaged one is kept";
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("line 3"), std::string::npos) << ui->messages[0];
  EXPECT_NE(ui->messages[0].find("codici.dat.damaged"), std::string::npos) << ui->messages[0];
  write_codes_table();
  EXPECT_EQ(dir.read("user/codici.dat.damaged"), damaged);
}

// The writer always opens the table with its header: an empty file, one cut
// inside its header or one stored unscrambled is damaged, not an empty table.
TEST_F(CodesTable_, ATableWithoutItsHeaderIsDamagedAndKeptBeforeItIsWritten) {
  const std::string row = "G\t475\t\t\tSI\tSI\tG1\t\t0\t\t1,5\t0\r\n";
  const std::string tables[] = {"", "TIPO\tLAR\tLU", "TIPO\tLAR\tLUNG\r\n" + row};
  for (const std::string& table : tables) {
    write_scrambled_file(path(), table);
    const std::string damaged = dir.read("user/codici.dat");
    read_codes_table();
    ASSERT_EQ(ui->messages.size(), 1u) << table;
    EXPECT_TRUE(ui->messages[0].starts_with(read_error_text(path()))) << ui->messages[0];
    EXPECT_NE(ui->messages[0].find("line 1: "), std::string::npos) << ui->messages[0];
    EXPECT_NE(ui->messages[0].find("codici.dat.damaged"), std::string::npos) << ui->messages[0];
    write_codes_table();
    EXPECT_EQ(dir.read("user/codici.dat.damaged"), damaged) << table;
    std::filesystem::remove(path() + ".damaged");
    ui->messages.clear();
  }
  write_file_safely(path(), kHeader + row);  // stored unscrambled
  read_codes_table();
  EXPECT_TRUE(CodesTable.empty());
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("codici.dat.damaged"), std::string::npos) << ui->messages[0];
}

// Every real price is kept and written back, a kit priced in koruna at
// 1,234,567.89 too; only one no price list holds is damage, said so.
TEST_F(CodesTable_, APriceBeyondTheLargestIsDamage) {
  write_table(
      "G\t475\t\t\tSI\tSI\tG1\t\t0\t\t1e308\t0\r\nG\t577\t\t\tSI\tSI\tG2\t\t0\t\t-99999,99\t0\r\n"
      "G\t600\t\t\tSI\tSI\tG3\t\t0\t\t1234567,89\t0\r\nG\t700\t\t\tSI\tSI\tG4\t\t0\t\t1000000000\t0\r\n"
      "G\t800\t\t\tSI\tSI\tG5\t\t0\t\t-999999999,99\t0\r\n");
  read_codes_table();
  ASSERT_EQ(CodesTable.size(), 3u);
  EXPECT_EQ((std::array{CodesTable[0].price, CodesTable[1].price, CodesTable[2].price}),
            (std::array{-99999.99, 1234567.89, -kLargestPrice}));
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const char* fault : {"line 2: the price \"1e308\" is beyond the largest a price list holds, 999999999,99 either "
                            "way; up to it every total of a quote keeps its cents",
                            "line 5: the price \"1000000000\" is beyond"})
    EXPECT_NE(ui->messages[0].find(fault), std::string::npos) << ui->messages[0];
  const Tdb_codici read = CodesTable;
  write_codes_table();
  read_codes_table();
  EXPECT_EQ(CodesTable, read);
}

TEST_F(CodesTable_, RowsWithTheWrongColumnCountAreDamage) {
  // Three options for two structure types, and a row without its weight.
  write_table("G\t475\t\t\tSI\tSI\tSI\tG1\t\t0\t\t1\t0\r\nG\t475\t\t\tG1\t\t0\t\t1\r\n");
  read_codes_table();
  EXPECT_TRUE(CodesTable.empty());
  EXPECT_EQ(ui->messages.size(), 1u);
}

// A table written before structure types were added to the catalogue lacks
// their options: every row is read, with them not available, and the user is
// told once, as no damage; the next write gives every row all its options.
TEST_F(CodesTable_, RowsWrittenBeforeATypeWasAddedReadTheirMissingOptionsAsNotAvailable) {
  StructureTypes.assign(3, Tstructure_type{});
  write_table(
      "G\t475\t\t\tSI\tG1\t\t0\t\t1,5\t0\r\nG\t577\t\t\tSI\t-\tG2\t\t0\t\t2\t0\r\n"
      "G\t600\t\t\t-\tSI\tSI\tG3\t\t0\t\t3\t0\r\n");
  read_codes_table();
  EXPECT_EQ(CodesTable, (Tdb_codici{{"G", "475", "", "", {"SI", "", ""}, "G1", "", "", 0, 1.5, 0},
                                    {"G", "577", "", "", {"SI", "-", ""}, "G2", "", "", 0, 2, 0},
                                    {"G", "600", "", "", {"-", "SI", "SI"}, "G3", "", "", 0, 3, 0}}));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0], "The price and code table " + path() +
                                 " has 2 rows written before structure types were added to the catalogue: they name "
                                 "the availability of fewer than its 3 types. The types a row does not name are read "
                                 "as not available until the price table is saved again.");
  write_codes_table();
  EXPECT_EQ(dir.names_in("user"), std::vector<std::string>{"codici.dat"}) << "no damaged copy";
  const Tdb_codici read = CodesTable;
  read_codes_table();
  EXPECT_EQ(CodesTable, read);
  EXPECT_EQ(ui->messages.size(), 1u);
}

TEST_F(CodesTable_, WriterUsesCommasWhateverTheLocaleAndReadsBack) {
  const char* previous = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved_locale = previous ? previous : "C";
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");  // where installed, the separator would be ","
  Tcodice row{"KG", "577", "2245", "", {"SI", "-"}, "KG1", "KG1-ALT", "Kit", 412, 1234.25, 0.1};
  CodesTable = {row, Tcodice{"R", "", "", "", {"", ""}, "", "", "", -3, 0, 1e20}};
  std::string text = codes_table_text(CodesTable);
  EXPECT_EQ(
      text,
      kHeader + "KG\t577\t2245\t\tSI\t-\tKG1\tKit\t412\tKG1-ALT\t1234,25\t0,1\r\nR\t\t\t\t\t\t\t\t-3\t\t0\t1e+20\r\n");
  Tdb_codici saved = CodesTable;
  write_codes_table();
  CodesTable.clear();
  read_codes_table();
  std::setlocale(LC_NUMERIC, saved_locale.c_str());
  EXPECT_EQ(CodesTable, saved);
  EXPECT_TRUE(ui->messages.empty());
}

// A table that is missing or cannot be read is said to be so; no copy of it
// is promised, and a missing one is simply written anew.
TEST_F(CodesTable_, AMissingOrUnreadableTableIsCalledSoAndNoCopyIsNamed) {
  read_codes_table();
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ui->messages[0].starts_with(read_error_text(path()))) << ui->messages[0];
  EXPECT_NE(ui->messages[0].find("missing"), std::string::npos) << ui->messages[0];
  EXPECT_EQ(ui->messages[0].find(".damaged"), std::string::npos) << ui->messages[0];
  CodesTable = {Tcodice{"R", "", "", "", {"", ""}, "R1", "", "", 0, 1, 0}};
  write_codes_table();
  EXPECT_EQ(std::vector<std::string>{"codici.dat"}, dir.names_in("user"));

  std::filesystem::remove(path());
  std::filesystem::create_directory(path());  // a file the system cannot read as one
  read_codes_table();
  ASSERT_EQ(ui->messages.size(), 2u);
  EXPECT_NE(ui->messages[1].find(std::strerror(EISDIR)), std::string::npos) << ui->messages[1];
  EXPECT_EQ(ui->messages[1].find(".damaged"), std::string::npos) << ui->messages[1];
  EXPECT_TRUE(CodesTable.empty());
}
