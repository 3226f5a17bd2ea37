#include "model/catalogue/catalogue.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

const char* const kSampleCatalogue =
    "5\r\n1700\r\n2000\r\n2300*\r\n1850\r\n2600*\r\n"
    "2\r\n400-500,5\r\n300-400*\r\n"
    "3\r\n300\r\n475,5\r\n475.5\r\n"
    "3\r\n974\r\n1000.0\r\n1300*\r\n"
    "2\r\nAAB\r\nBB*\r\n"
    "2\r\n10\r\n11\r\n12\r\n13\r\nZN\r\n0\r\n20\r\n21\r\n22\r\n23\r\nGAL\r\n-25\r\n";

// A program folder holding a catalogue, in millimetre mode.
class CatalogueFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.path().string();
    AppState.inches = false;
    write_scrambled_file(dir.write("data/data.dat", ""), kSampleCatalogue);
  }
  void write_catalogue(const std::string& content) { write_scrambled_file(dir.file("data/data.dat"), content); }

  TempDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(CatalogueFile, LoadsOptionalEntriesOnlyWhenAskedAndWithoutTheirMark) {
  load_data_file(0);
  EXPECT_EQ(HeightList, (Tdimensioni{1700, 2000, 1850}));
  EXPECT_EQ(CrossbarLists, (std::vector<Tstringlist>{{"400", "500,5"}}));  // as written
  EXPECT_EQ(WidthList, (Tdimensioni{300, 475.5, 475.5}));                  // "," and "." alike
  EXPECT_EQ(LengthList, (Tdimensioni{974, 1000}));
  EXPECT_EQ(Compositions, (std::vector<std::string>{"AAB"}));
  EXPECT_EQ(StructureTypes, (std::vector<Tstructure_type>{{10, 11, 12, 13, "ZN", 0}, {20, 21, 22, 23, "GAL", -25}}));

  load_data_file(1);
  EXPECT_EQ(HeightList, (Tdimensioni{1700, 2000, 2300, 1850, 2600}));
  EXPECT_EQ(CrossbarLists, (std::vector<Tstringlist>{{"400", "500,5"}, {"300", "400"}}));
  EXPECT_EQ(LengthList, (Tdimensioni{974, 1000, 1300}));
  EXPECT_EQ(Compositions, (std::vector<std::string>{"AAB", "BB"}));
}

TEST_F(CatalogueFile, InchModeReadsTheInchFileTakingCrossbarsAndCompositionsAsWritten) {
  write_scrambled_file(dir.write("data/data_in.dat", ""), "1\r\n1828.8\r\n1\r\n150-x-\r\n0\r\n0\r\n1\r\nAAC\r\n0\r\n");
  AppState.inches = true;
  load_data_file(0);
  AppState.inches = false;
  EXPECT_EQ(HeightList, (Tdimensioni{1828.8}));
  EXPECT_EQ(CrossbarLists, (std::vector<Tstringlist>{{"150", "x", ""}}));
  EXPECT_EQ(Compositions, (std::vector<std::string>{"AAC"}));
  EXPECT_TRUE(StructureTypes.empty());
}

TEST_F(CatalogueFile, AFaultyFileLeavesTheCatalogueAsItWas) {
  load_data_file(0);
  const std::vector<std::string> faulty{
      "1\r\n17x0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n",        // a size that does not convert
      "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n",           // a size the layout cannot divide by
      "1\r\n1700\r\n0\r\n0\r\n0\r\n0\r\n1\r\n10\r\n",  // a structure type cut short
      "1\r\n1700\r\n0\r\n0\r\n0\r\n",                  // sections missing
      "99\r\n1700\r\n",                                // a count the file cannot hold
      "-1\r\n",
      "1\r\n1700\r\n0\r\n0\r\n0\r\n0\r\n9223372036854775807\r\n",
  };
  for (const std::string& content : faulty) {
    write_catalogue(content);
    EXPECT_THROW(load_data_file(1), FileError) << content;
    EXPECT_EQ(HeightList, (Tdimensioni{1700, 2000, 1850}));
    EXPECT_EQ(StructureTypes.size(), 2u);
  }
  std::filesystem::remove(dir.file("data/data.dat"));
  EXPECT_THROW(load_data_file(0), FileError);
}

TEST_F(CatalogueFile, SaveThenLoadGivesTheSameCatalogue) {
  load_data_file(1);
  CatalogueMemos memos = load_data_memos();
  EXPECT_EQ(memos[0], "1700\n2000\n2300*\n1850\n2600*");  // the lines as stored
  EXPECT_EQ(memos[1], "400-500,5\n300-400*");
  memos[3] += "\n\n  \n1500*\n";  // blank lines are dropped
  StructureTypes.push_back({30, 31, 32, 33, "", 5});
  ASSERT_TRUE(save_data_file(memos));
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"Dati salvati in " + dir.file("data/data.dat")}));

  auto types = StructureTypes;
  load_data_file(1);
  EXPECT_EQ(LengthList, (Tdimensioni{974, 1000, 1300, 1500}));
  EXPECT_EQ(HeightList, (Tdimensioni{1700, 2000, 2300, 1850, 2600}));
  EXPECT_EQ(StructureTypes, types);
  EXPECT_EQ(load_data_memos()[3], "974\n1000.0\n1300*\n1500*");
  EXPECT_NE(read_file_bytes(dir.file("data/data.dat")), read_scrambled_file(dir.file("data/data.dat")));
}

TEST_F(CatalogueFile, RefusesTextItCouldNotLoadBack) {
  load_data_file(0);
  std::string before = read_file_bytes(dir.file("data/data.dat"));
  CatalogueMemos good = load_data_memos();
  const std::vector<std::pair<int, std::string>> bad{
      {0, "1700\nC"},    {0, "1700\n0"}, {0, "17*00"}, {1, "400--500"}, {1, "400-"},
      {2, "300\n4,7,5"}, {3, "974**"},   {4, "AAC"},   {4, "*"},
  };
  for (const auto& [section, text] : bad) {
    CatalogueMemos memos = good;
    memos[static_cast<std::size_t>(section)] = text;
    EXPECT_FALSE(save_data_file(memos)) << text;
    EXPECT_THROW(write_catalogue_file(dir.file("data/data.dat"), memos, StructureTypes), FileError);
  }
  StructureTypes[1].shelf_suffix = "A\nB";
  EXPECT_FALSE(save_data_file(good));
  EXPECT_EQ(read_file_bytes(dir.file("data/data.dat")), before);
  EXPECT_EQ(ui->messages.size(), bad.size() + 1);
  EXPECT_EQ(ui->messages[0], "The catalogue was not saved. Heights, line 2: \"C\" is not a size.");
}

TEST(StructureTypeAccess, OutOfRangeFallsBackToTypeZero) {
  StructureTypes = {{10, 11, 12, 13, "ZN", 0}, {20, 21, 22, 23, "GAL", 0}};
  for (auto [type, suffix] : {std::pair{1, "GAL"}, {2, "ZN"}, {-1, "ZN"}})
    EXPECT_EQ(structure_type_for_display(type).shelf_suffix, suffix) << type;
  StructureTypes.clear();
  EXPECT_EQ(structure_type_for_display(0), Tstructure_type{});
}
