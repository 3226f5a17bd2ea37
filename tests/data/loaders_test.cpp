// The program's own loaders accept every staged file of the data set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "data/staged_data.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/layout/compact_groups.h"
#include "model/state/language.h"
#include "model/state/text_table.h"
#include "sources/codes_source.h"
#include "support/project_refusals.h"
#include "support/scripted_ui.h"

namespace {

bool contains(const std::vector<double>& values, double value) {
  return std::find(values.begin(), values.end(), value) != values.end();
}

double number(const std::string& text) {
  double value = 0.0;
  EXPECT_TRUE(parse_double(text, value)) << text;
  return value;
}

// The 3-D view and the DXF lay shelf panels 264 mm (A) and 352 mm (B) long,
// the first 1 mm into the bay and 2 mm apart; a panel of the other kind is
// 88 mm longer or shorter.
double composition_length(const std::string& composition) {
  double length = 0.0;
  for (char panel : composition) length += (panel == 'A' ? 264.0 : 352.0) + 2.0;
  return length;
}
constexpr double kPanelStep = 88.0;

class CatalogueLoad : public ::testing::TestWithParam<bool> {};

TEST_P(CatalogueLoad, OptionalSizesAddToTheStandardOnesInAscendingOrder) {
  use_staged_program(GetParam());
  ASSERT_NO_THROW(load_data_file(0));
  Tdimensioni standard_lengths = LengthList;
  std::size_t standard_heights = HeightList.size();
  ASSERT_NO_THROW(load_data_file(1));
  EXPECT_GT(LengthList.size(), standard_lengths.size());
  EXPECT_GT(HeightList.size(), standard_heights);
  for (const Tdimensioni* list : {&HeightList, &WidthList, &LengthList})
    EXPECT_TRUE(std::is_sorted(list->begin(), list->end()));
  for (double length : standard_lengths) EXPECT_TRUE(contains(LengthList, length));
}

TEST_P(CatalogueLoad, EverySizeHasItsCrossbarsAndItsShelfPanelsFillIt) {
  use_staged_program(GetParam());
  for (int optional : {0, 1}) {
    load_data_file(optional);
    ASSERT_EQ(CrossbarLists.size(), HeightList.size());
    ASSERT_EQ(Compositions.size(), LengthList.size());
    for (std::size_t i = 0; i < HeightList.size(); ++i)
      for (const std::string& crossbar : CrossbarLists[i]) EXPECT_LT(number(crossbar), HeightList[i]);
    for (std::size_t i = 0; i < LengthList.size(); ++i)
      EXPECT_TRUE(composition_length(Compositions[i]) <= LengthList[i] &&
                  composition_length(Compositions[i]) > LengthList[i] - kPanelStep)
          << Compositions[i] << " does not fill " << LengthList[i];
    EXPECT_EQ(StructureTypes.size(), 3u);
  }
}

INSTANTIATE_TEST_SUITE_P(MillimetresAndInches, CatalogueLoad, ::testing::Bool());

TEST(Catalogue, HoldsTheSizesTheProgramBuildsIn) {
  use_staged_program();
  load_data_file(0);
  // The added module's default length, the compact shelving's width and frame height among them.
  for (auto [list, size] : {std::pair{&LengthList, 974.0},
                            {&WidthList, 475.0},
                            {&WidthList, 577.0},
                            {&HeightList, 1700.0},
                            {&HeightList, 1850.0}})
    EXPECT_TRUE(contains(*list, size)) << size;
}

TEST(Catalogue, InchFileOffersWholeInchSizes) {
  use_staged_program(true);
  load_data_file(0);
  auto whole_inches = [](double mm) { return std::abs(mm / MmPerInch - std::round(mm / MmPerInch)) < 1e-9; };
  for (const Tdimensioni* list : {&HeightList, &WidthList, &LengthList})
    EXPECT_GE(std::count_if(list->begin(), list->end(), whole_inches), 3) << "too few whole-inch sizes";
  EXPECT_TRUE(contains(HeightList, 1850.0));
  EXPECT_TRUE(contains(WidthList, 577.0));
}

TEST(CodeTable, ReadsEveryRowOfItsSourcesWithoutComplaint) {
  ScopedScriptedUi ui;
  load_staged_code_table();
  EXPECT_TRUE(ui->messages.empty());
  std::size_t rows = 0;
  for (const CodeSourceFile& file : code_source_files())
    rows += code_source_rows(read_source("codes/" + file.name)).size();
  EXPECT_EQ(CodesTable.size(), rows);
  for (const Tcodice& row : CodesTable) EXPECT_EQ(row.options.size(), StructureTypes.size()) << row.code;
}

TEST(CodeTable, CodesAreUniqueAndPricedAndWeighed) {
  load_staged_code_table();
  std::vector<std::string> codes;
  for (const Tcodice& row : CodesTable) {
    EXPECT_GT(row.price, 0.0) << row.code;
    EXPECT_GT(row.weight, 0.0) << row.code;
    EXPECT_FALSE(row.alt_code.empty()) << row.code;
    codes.push_back(row.code);
  }
  std::sort(codes.begin(), codes.end());
  EXPECT_EQ(std::adjacent_find(codes.begin(), codes.end()), codes.end());
}

TEST(MaximumLoads, EveryRowHoldsALengthAndThreeLoads) {
  ScopedScriptedUi ui;
  Tres table;
  load_text_table(stage_dir() + "/data/maxLoad.txt", table);
  ASSERT_TRUE(ui->messages.empty());
  ASSERT_GT(table.size(), 1u);
  for (std::size_t row = 1; row < table.size(); ++row) {
    ASSERT_EQ(table[row].size(), 4u);
    double normal = number(table[row][1]), heavy = number(table[row][2]), corner = number(table[row][3]);
    EXPECT_GT(heavy, normal) << table[row][0];
    EXPECT_LT(corner, normal) << table[row][0];
    if (row > 1) {
      EXPECT_LE(normal, number(table[row - 1][1])) << "a longer shelf carries no more";
    }
  }
}

TEST(CompactKits, EveryKitLeavesAnAisleAndHasItsWidths) {
  ScopedScriptedUi ui;
  Tres kits, widths;
  load_text_table(stage_dir() + "/data/CV_kits.txt", kits);
  load_text_table(stage_dir() + "/data/CV_kits_larg.txt", widths);
  ASSERT_TRUE(ui->messages.empty());
  ASSERT_GT(widths.size(), 1u);
  for (std::size_t row = 1; row < widths.size(); ++row) ASSERT_EQ(widths[row].size(), 2u);
  ASSERT_GT(kits.size(), 1u);
  for (std::size_t row = 1; row < kits.size(); ++row) {
    ASSERT_EQ(kits[row].size(), 5u);
    std::vector<std::string> depths = split_to_string_list(kits[row][3], " ");
    ASSERT_EQ(static_cast<double>(depths.size()), number(kits[row][2]) + 2) << "two fixed ends and the mobile units";
    EXPECT_EQ(depths.front(), "577");
    EXPECT_EQ(depths.back(), "577");
    double aisle = number(kits[row][0]) - 23.0 * static_cast<double>(depths.size() - 2);
    for (const std::string& depth : depths) aisle -= number(depth);
    EXPECT_GE(aisle, 500.0) << kits[row][4];
    EXPECT_EQ(compact_kit_length(number(kits[row][0])), number(kits[row][1])) << "rail class of " << kits[row][4];
  }
}

TEST(Languages, EveryLanguageLoadsFromTheTranslationFile) {
  use_staged_program();
  for (const std::string& code : language_codes()) {
    ASSERT_NO_THROW(load_language(code));
    EXPECT_GT(LangTable.size(), 250u) << code;
  }
}

}  // namespace

namespace {

// The help command opens index_<code>.html; Dutch shares the English guide.
TEST(HelpPages, EveryLanguageHasAStagedGuide) {
  for (const std::string& code : language_codes()) {
    if (code == "FM") continue;
    std::string page = read_file_bytes(stage_dir() + "/help/index_" + code + ".html");
    EXPECT_NE(page.find("<title>Rackwright"), std::string::npos) << code;
    EXPECT_NE(page.find("charset=\"utf-8\""), std::string::npos) << code;
  }
}

}  // namespace

// No staged file, scrambled or plain, is taken for a project, by the load or
// by the project index: each is refused as no project file.
TEST(OtherFiles, NoStagedFileIsTakenForAProject) {
  int files = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(stage_dir())) {
    const std::string extension = entry.path().extension().string();
    if (extension != ".dat" && extension != ".txt") continue;
    ++files;
    for (const std::string& refusal : project_refusals(entry.path().string()))
      EXPECT_TRUE(says_no_project(refusal, entry.path().string())) << entry.path() << ": " << refusal;
  }
  EXPECT_GE(files, 10);
}
