// Every lookup the program can make in the shipped data finds its entry: the
// texts it shows, the code-table rows of every component the shipped
// catalogues and kits can produce, and the maximum load of every length.
#include <gtest/gtest.h>

#include <set>

#include "data/shipped_sizes.h"
#include "data/staged_data.h"
#include "model/base/rounding.h"
#include "model/base/text_io.h"
#include "model/files/codes_table.h"
#include "model/layout/load_labels.h"
#include "model/layout/shelf_patterns.h"
#include "model/quote/code_lookup.h"
#include "model/state/language.h"
#include "model/state/text_table.h"
#include "model/text/shown_text_numbers.h"
#include "sources/texts_source.h"

namespace {

class ShippedCodeTable : public ShippedDataTest {
 protected:
  // Frames and shelves may be as deep as any catalogue depth or kit unit.
  std::vector<double> depths() const {
    std::vector<double> all = sizes_.widths;
    add_unique(all, kits_.unit_depths);
    return all;
  }
  // Fixed compact ends are 1850 mm tall and mobile units 1700 mm.
  std::vector<double> frame_heights() const {
    std::vector<double> all = sizes_.heights;
    add_unique(all, {1850.0, 1700.0});
    return all;
  }

  // The row the bill of materials would take for this key and structure type.
  bool billed(const CodeKey& key, int structure_type) {
    return CodeIndex(CodesTable).last_match(key, structure_type, true) >= 0;
  }
  // The structure types whose option of a kit row is "SI": those that offer the compact line.
  std::vector<int> compact_line_types() const {
    std::vector<int> types;
    for (const Tcodice& row : CodesTable)
      if (row.tipo == "KG")
        for (std::size_t t = 0; t < row.options.size(); ++t)
          if (row.options[t] == "SI") types.push_back(static_cast<int>(t));
    return types;
  }
  static std::vector<int> all_types() {
    std::vector<int> types;
    for (std::size_t t = 0; t < StructureTypes.size(); ++t) types.push_back(static_cast<int>(t));
    return types;
  }
};

TEST_F(ShippedCodeTable, EveryFrameOfEveryDepthAndHeightIsThereForTheBillAnd3D) {
  for (double depth : depths()) {
    for (double height : frame_heights()) {
      std::string lar = size_key(depth), alt = size_key(height);
      for (int type : all_types()) {
        for (const char* tipo : {"TE", "TI"}) {
          EXPECT_TRUE(billed({tipo, lar, std::nullopt, alt}, type)) << tipo << " " << lar << " " << alt;
          EXPECT_TRUE(code_option_available(tipo, lar, "-", alt, type)) << tipo << " " << lar << " " << alt;
        }
      }
      for (int type : compact_line_types())
        EXPECT_TRUE(billed({"TS", lar, std::nullopt, alt}, type)) << lar << " " << alt;
    }
  }
}

TEST_F(ShippedCodeTable, EveryShelfAndCornerJointIsThere) {
  std::vector<double> lengths = sizes_.lengths;
  add_unique(lengths, kits_.module_lengths);
  for (double depth : depths()) {
    std::string lar = size_key(depth);
    for (int type : all_types()) {
      EXPECT_TRUE(billed({"G", lar, std::nullopt, std::nullopt}, type)) << lar;
      for (double length : lengths) {
        EXPECT_TRUE(billed({"R", lar, size_key(length), std::nullopt}, type)) << lar << " x " << length;
        EXPECT_TRUE(code_option_available("R", lar, size_key(length), "-", type)) << lar << " x " << length;
      }
    }
  }
}

TEST_F(ShippedCodeTable, CompactKitsAndTrolleyPartsAreThere) {
  ASSERT_FALSE(compact_line_types().empty());
  std::set<double> classes{2245.0, 2645.0, 3045.0};
  classes.insert(kits_.rail_classes.begin(), kits_.rail_classes.end());
  EXPECT_EQ(classes.size(), 3u) << "a kit names a rail class the groups never take";
  for (double rail : classes)
    for (int type : compact_line_types()) EXPECT_TRUE(billed({"KG", std::nullopt, size_key(rail), std::nullopt}, type));
  for (const char* tipo : {"RG", "RGF", "PRG", "OV"})
    EXPECT_GE(CodeIndex(CodesTable).last_match({tipo, std::nullopt, std::nullopt, std::nullopt}, 0, false), 0) << tipo;
}

TEST(ShippedMaximumLoads, EveryLengthOfEveryCatalogueAndKitHasItsLoad) {
  ShippedSizes sizes = shipped_sizes();
  add_unique(sizes.lengths, shipped_kits().module_lengths);
  load_text_table(stage_dir() + "/data/maxLoad.txt", MaxLoadTable);
  for (double length : sizes.lengths) {
    EXPECT_GT(max_load_lookup(length), 0.0) << length;
    Tmodulo bay;
    bay.length = length;
    EXPECT_EQ(max_load_label(bay).rfind("Max ", 0), 0u) << length;
    EXPECT_GT(max_load_pair(length, length), 0.0) << "corner limit of " << length;
  }
}

constexpr const char* kDetailRole = "structure type description";

// The text numbers the shipped catalogues (both units) and code table name, each with what names it.
std::vector<std::pair<int, std::string>> numbers_the_shipped_data_names() {
  std::vector<std::pair<int, std::string>> numbers;
  for (bool inches : {false, true}) {
    use_staged_program(inches);
    load_data_file(1);
    for (const Tstructure_type& type : StructureTypes) {
      numbers.emplace_back(type.short_text, "structure type name");
      numbers.emplace_back(type.long_text, "structure type long name");
      numbers.emplace_back(type.detail_text, kDetailRole);
      numbers.emplace_back(type.module_text, "structure type shelf word");
    }
  }
  load_staged_code_table();
  for (const Tcodice& row : CodesTable) numbers.emplace_back(row.description_number, row.code);
  return numbers;
}

// A translation file is held against the built-in list: a number the data
// names and the list lacks would be blanked by a torn file without a word.
TEST(ShippedTextNumbers, TheBuiltInListHoldsEveryNumberTheCataloguesAndTheCodeTableName) {
  const std::set<int> listed(shown_text_numbers().begin(), shown_text_numbers().end());
  for (const auto& [number, what] : numbers_the_shipped_data_names())
    EXPECT_TRUE(listed.count(number)) << number << " (" << what << ")";
}

class ShippedTexts : public ::testing::TestWithParam<std::string> {
 protected:
  void SetUp() override {
    use_staged_program();
    load_language(GetParam());
  }
  void expect_text(int number, const std::string& what) {
    EXPECT_FALSE(lang_text(number).empty()) << GetParam() << " lacks text " << number << " (" << what << ")";
  }
};

TEST_P(ShippedTexts, EveryNumberTheProgramLooksUpHasItsText) {
  for (int number : parse_text_numbers(read_source("text_numbers.txt"), "text_numbers.txt"))
    expect_text(number, "interface");
}

// The check that start-up and the preferences make on a chosen language.
TEST_P(ShippedTexts, TheLanguageCanBeChosen) { EXPECT_NO_THROW(set_language(GetParam())); }

TEST_P(ShippedTexts, EveryNumberTheCataloguesAndTheCodeTableNameHasItsText) {
  for (const auto& [number, what] : numbers_the_shipped_data_names()) {
    expect_text(number, what);
    if (what != kDetailRole) continue;
    for (const char* marker : {"%n", "%l", "%h"})
      EXPECT_NE(lang_text(number).find(marker), std::string::npos) << GetParam() << " " << number << " " << marker;
  }
}

TEST_P(ShippedTexts, EveryLanguageTranslatesExactlyTheItalianNumbers) {
  std::vector<std::string> italian = parse_texts_source(read_source("texts/IT.txt"), "IT.txt");
  std::vector<std::string> texts = parse_texts_source(read_source("texts/" + GetParam() + ".txt"), GetParam());
  ASSERT_EQ(texts.size(), italian.size());
  for (std::size_t number = 0; number < italian.size(); ++number)
    EXPECT_EQ(texts[number].empty(), italian[number].empty()) << GetParam() << " text " << number;
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ShippedTexts, ::testing::ValuesIn(language_codes()));

}  // namespace
