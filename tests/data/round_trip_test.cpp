// Sources -> runtime files -> sources is the identity: what the program reads
// back from every staged file is exactly what the sources say.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/staged_data.h"
#include "model/base/text_io.h"
#include "model/catalogue/catalogue.h"
#include "model/files/codes_table.h"
#include "model/state/text_table.h"
#include "sources/catalogue_source.h"
#include "sources/codes_source.h"
#include "sources/preferences_source.h"
#include "sources/source_text.h"
#include "sources/table_source.h"
#include "sources/texts_source.h"

namespace {

void expect_catalogue_gives_back_its_source(bool inches, const std::string& source_name) {
  use_staged_program(inches);
  CatalogueSource staged{load_data_memos(), {}};
  load_data_file(1);
  staged.structure_types = StructureTypes;
  EXPECT_EQ(content_lines(catalogue_source_text(staged)), content_lines(read_source("catalogue/" + source_name)));
}

TEST(CatalogueRoundTrip, MillimetreFileGivesBackItsSource) {
  expect_catalogue_gives_back_its_source(false, "data.txt");
}

TEST(CatalogueRoundTrip, InchFileGivesBackItsSource) { expect_catalogue_gives_back_its_source(true, "data_in.txt"); }

TEST(TextsRoundTrip, EveryLanguageGivesBackItsSource) {
  std::string plain = read_scrambled_file(stage_dir() + "/data/lang.dat");
  for (const std::string& code : language_codes()) {
    EXPECT_EQ(content_lines(texts_source_text(parse_language_texts(plain, code))),
              content_lines(read_source("texts/" + code + ".txt")))
        << code;
  }
}

TEST(CodesRoundTrip, EveryFamilyGivesBackItsSourceRows) {
  load_staged_code_table();
  for (const CodeSourceFile& file : code_source_files())
    EXPECT_EQ(code_rows_of(CodesTable, file.tipos), code_source_rows(read_source("codes/" + file.name))) << file.name;
}

TEST(PreferencesRoundTrip, TheFileHoldsTheSourceValuesLineByLine) {
  std::string plain = read_scrambled_file(stage_dir() + "/defaults/user/preferenze.dat");
  EXPECT_EQ(split_lines(plain), preferences_source_values(read_source("preferences/preferenze.txt"), "preferenze.txt"));
}

TEST(TablesRoundTrip, EveryTableGivesBackItsSource) {
  for (const char* name : {"maxLoad.txt", "CV_kits.txt", "CV_kits_larg.txt"}) {
    Tres table;
    load_text_table(stage_dir() + "/data/" + name, table);
    EXPECT_EQ(table_source_text(table), table_source_text(parse_table_source(read_source(name)))) << name;
    EXPECT_EQ(split_lines(table_source_text(table)), split_lines(read_source(name))) << name;
  }
}

TEST(HelpPages, AreShippedAsWritten) {
  for (const auto& page : std::filesystem::directory_iterator(source_dir() + "/help")) {
    std::string name = page.path().filename().string();
    EXPECT_EQ(read_file_bytes(stage_dir() + "/help/" + name), read_file_bytes(page.path().string())) << name;
  }
}

}  // namespace
