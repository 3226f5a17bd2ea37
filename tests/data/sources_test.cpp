// The readers of the data sources refuse what the staged files could not hold,
// so a faulty source stops the build instead of shipping.
#include <gtest/gtest.h>

#include "data/staged_data.h"
#include "model/base/file_io.h"
#include "model/files/preferences.h"
#include "model/text/shown_text_numbers.h"
#include "sources/catalogue_source.h"
#include "sources/preferences_source.h"
#include "sources/source_text.h"
#include "sources/texts_source.h"

namespace {

constexpr const char* kSmallCatalogue =
    "# comment\n[heights]\n2000\n1700*\n[crossbars]\n150-1850\n150-1550*\n[widths]\n475\n[lengths]\n974\n"
    "[compositions]\nAAB\n[structure types]\n300\t301\t302\t303\tZ\t0\n";

TEST(SourceText, OnlyUtf8IsAccepted) {
  EXPECT_EQ(checked_utf8("Cella \u00e8 \u20ac \U0001F600", "ok"), "Cella \u00e8 \u20ac \U0001F600");
  // Latin-2 "š", an overlong "/", a surrogate, a cut sequence, a code point past U+10FFFF.
  for (const char* bad : {"P\xB9\xE8"
                          "ela",
                          "\xC0\xAF", "\xED\xA0\x80", "ab\xE2\x82", "\xF4\x90\x80\x80"}) {
    try {
      checked_utf8(bad, "texts/CZ.txt");
      ADD_FAILURE() << "accepted " << bad;
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find("texts/CZ.txt"), std::string::npos);
    }
  }
}

TEST(CatalogueSource, ReadsSectionsAndWritesThemBack) {
  CatalogueSource catalogue = parse_catalogue_source(kSmallCatalogue, "test");
  EXPECT_EQ(catalogue.memos[0], "2000\n1700*");
  ASSERT_EQ(catalogue.structure_types.size(), 1u);
  EXPECT_EQ(catalogue.structure_types[0].shelf_suffix, "Z");
  EXPECT_EQ(parse_catalogue_source(catalogue_source_text(catalogue), "again"), catalogue);
}

TEST(CatalogueSource, RefusesMissingMisplacedAndMalformedSections) {
  EXPECT_THROW(parse_catalogue_source("[heights]\n2000\n", "short"), FileError);
  EXPECT_THROW(parse_catalogue_source("2000\n[heights]\n", "no heading"), FileError);
  EXPECT_THROW(parse_catalogue_source("[widths]\n[heights]\n", "order"), FileError);
  std::string bad_type = kSmallCatalogue;
  bad_type.replace(bad_type.find("\tZ\t0"), 4, "\tZ");
  EXPECT_THROW(parse_catalogue_source(bad_type, "five fields"), FileError);
}

TEST(TextsSource, NumbersMustAscendAndTextsBeNonEmpty) {
  std::vector<std::string> texts = parse_texts_source("0\tA\n2\tC\n", "test");
  EXPECT_EQ(texts, (std::vector<std::string>{"A", "", "C"}));
  EXPECT_EQ(texts_source_text(texts), "0\tA\n2\tC\n");
  EXPECT_THROW(parse_texts_source("2\tC\n1\tB\n", "order"), FileError);
  EXPECT_THROW(parse_texts_source("1\tB\n1\tB\n", "repeat"), FileError);
  EXPECT_THROW(parse_texts_source("1\t\n", "empty"), FileError);
  EXPECT_THROW(parse_texts_source("1000\tX\n", "four digits"), FileError);
}

TEST(TextNumbers, TheListNamesEachNumberOnceInAscendingOrder) {
  std::vector<int> numbers = parse_text_numbers(read_source("text_numbers.txt"), "text_numbers.txt");
  ASSERT_FALSE(numbers.empty());
  for (std::size_t i = 1; i < numbers.size(); ++i) EXPECT_LT(numbers[i - 1], numbers[i]);
}

// The build gives the program the list as it stands, to hold translation files against.
TEST(TextNumbers, TheProgramHoldsTheListAsItStands) {
  const std::span<const int> built = shown_text_numbers();
  EXPECT_EQ(std::vector<int>(built.begin(), built.end()),
            parse_text_numbers(read_source("text_numbers.txt"), "text_numbers.txt"));
}

TEST(PreferencesSource, HoldsExactlyTheLinesOfTheFile) {
  std::vector<std::string> values = preferences_source_values(read_source("preferences/preferenze.txt"), "source");
  Tvar_amb state;
  Tazienda company;
  parse_preferences_text(preferences_file_text(values), "source", state, company);
  EXPECT_EQ(state.language, -1) << "the first start asks for the language";
  values.pop_back();
  std::string short_source;
  for (const std::string& value : values) short_source += "line\t" + value + "\n";
  EXPECT_THROW(preferences_source_values(short_source, "short"), FileError);
}

}  // namespace
