#include "model/catalogue/catalogue_editor.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "model/base/file_io.h"
#include "model/files/codes_table.h"
#include "model/state/globals.h"
#include "model/text/translations.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

class StructureTypeEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    StructureTypes = {{10, 11, 12, 13, "ZN", 0}, {20, 21, 22, 23, "GAL", -25}, {30, 31, 32, 33, "", 5}};
    LangTable.assign(40, "");
    LangTable[10] = "Galvanised";
    LangTable[20] = "Painted";
  }

  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(StructureTypeEdits, FieldsListAndTexts) {
  EXPECT_EQ(structure_type_fields(StructureTypes[1]), (StructureTypeFields{"20", "21", "22", "23", "GAL", "-25"}));
  EXPECT_EQ(structure_type_list(), (std::vector<std::string>{"[0] Galvanised", "[1] Painted", "[2] "}));
  EXPECT_EQ(structure_type_texts(StructureTypes[0]), (std::array<std::string, 4>{"Galvanised", "", "", ""}));
}

TEST_F(StructureTypeEdits, AddAppendsAndRemoveMovesLaterTypesUpAfterAsking) {
  const auto types = StructureTypes;
  StructureTypeFields fields{"1", "2", "3", "4", "INOX", " 15 "};
  EXPECT_FALSE(add_structure_type(fields));  // answered No
  EXPECT_FALSE(remove_structure_type(0));    // answered No
  EXPECT_FALSE(remove_structure_type(5));    // nothing selected
  EXPECT_EQ(StructureTypes.size(), 3u);
  ui->yes_no_answers = {true, true, true};
  EXPECT_TRUE(add_structure_type(fields));
  EXPECT_EQ(StructureTypes.back(), (Tstructure_type{1, 2, 3, 4, "INOX", 15}));
  EXPECT_EQ(ui->messages, (std::vector<std::string>{"Tipo struttura Aggiunto."}));
  EXPECT_TRUE(remove_structure_type(0));
  EXPECT_TRUE(remove_structure_type(2));  // the last one: nothing moves
  EXPECT_EQ(StructureTypes, (std::vector<Tstructure_type>{types[1], types[2]}));
  EXPECT_EQ(ui->questions,
            (std::vector<std::string>{"Aggiungere il nuovo tipo di struttura?", "Eliminare la struttura selezionata?",
                                      "Aggiungere il nuovo tipo di struttura?", "Eliminare la struttura selezionata?",
                                      "Eliminare la struttura selezionata?"}));
}

TEST_F(StructureTypeEdits, ModifyChangesNothingUnlessEveryFieldConverts) {
  auto before = StructureTypes;
  ui->yes_no_answers = {true, true};
  const std::vector<StructureTypeFields> faulty{{"7", "7", "7", "7", "X", "abc"},
                                                {"7", "", "7", "7", "X", "1"},
                                                {"7", "7", "7", "99999999999", "X", "1"},
                                                {"7", "7", "7", "7", "X\nY", "1"}};
  for (const StructureTypeFields& fields : faulty) EXPECT_FALSE(modify_structure_type(1, fields));
  for (int unselected : {3, -1}) EXPECT_FALSE(modify_structure_type(unselected, {"7", "7", "7", "7", "X", "1"}));
  EXPECT_EQ(StructureTypes, before);
  EXPECT_TRUE(ui->questions.empty());
  EXPECT_EQ(ui->messages.size(), faulty.size());
  EXPECT_EQ(ui->messages[0], "The structure type was not changed: \"abc\" is not a whole number.");

  EXPECT_TRUE(modify_structure_type(1, {"7", "8", "9", "10", "X", "1"}));
  EXPECT_EQ(StructureTypes[1], (Tstructure_type{7, 8, 9, 10, "X", 1}));
  EXPECT_EQ(ui->questions.back(), "Modificare il tipo di struttura?");
  EXPECT_EQ(ui->messages.back(), "Tipo struttura modificato.");
}

// The language the preferences file holds, as well as the one in use.
constexpr int kStoredEnglish = 1;

class CatalogueEditorClosing : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.path().string();
    AppState.inches = false;
    StructureTypes = {{10, 11, 12, 13, "ZN", 0}};
    write_scrambled_file(dir.write("data/data.dat", ""), "1\r\n1700\r\n0\r\n1\r\n475\r\n0\r\n0\r\n0\r\n");
    write_scrambled_file(dir.write("user/codici.dat", ""), "TIPO;LAR\r\nTE;475\r\n");
    AppState.language = 1;  // English in use
    write_scrambled_file(dir.write("data/lang.dat", ""), translations);
  }

  // Every text the program shows, in Italian and English.
  const std::string translations = language_file_text(
      {{"IT", std::vector<std::string>(410, "x")}, {"EN", std::vector<std::string>(410, "y")}}, false);
  TempDir dir;
  ScopedScriptedUi ui;
};

TEST_F(CatalogueEditorClosing, YesSavesTheThreeTextsUnlessTheCatalogueIsInvalidAndNoWritesNothing) {
  const std::string catalogue = read_file_bytes(dir.file("data/data.dat"));
  const std::string codes = read_file_bytes(dir.file("user/codici.dat"));
  CatalogueEditorTexts texts = load_catalogue_editor_texts();
  EXPECT_EQ(texts.memos[2], "475");
  EXPECT_EQ(texts.codes_table, "TIPO;LAR\nTE;475");
  texts.memos[0] += "\n2000";
  texts.codes_table += "\nTE;300";
  texts.translations += "\n410IT Mondo";
  texts.memos[4] = "ABX";
  ui->yes_no_answers = {true};
  EXPECT_FALSE(close_catalogue_editor(texts, kStoredEnglish));  // the window stays open
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0],
            "The catalogue was not saved. Compositions, line 1: \"ABX\" is not a composition of the letters A and B.");
  texts.memos[4].clear();
  EXPECT_TRUE(close_catalogue_editor(texts, kStoredEnglish));  // answered No
  EXPECT_EQ(read_file_bytes(dir.file("data/data.dat")), catalogue);
  EXPECT_EQ(read_file_bytes(dir.file("user/codici.dat")), codes);

  ui->yes_no_answers = {true};
  EXPECT_TRUE(close_catalogue_editor(texts, kStoredEnglish));
  EXPECT_EQ(ui->questions.back(), "Salvare le modifiche nel file nel file " + dir.file("data/data.dat"));
  EXPECT_EQ(read_scrambled_file(dir.file("user/codici.dat")), "TIPO;LAR\r\nTE;475\r\nTE;300\r\n");
  EXPECT_TRUE(read_scrambled_file(dir.file("data/lang.dat")) == translations + "410IT Mondo\r\n");
  load_data_file(0);
  EXPECT_EQ(HeightList, (Tdimensioni{1700, 2000}));
}

// The codes table, the second file of the save, cannot be written: the
// message says so and no "Dati salvati", the catalogue is not written before
// it, and the types in use stay as they were, the window open on the edits.
TEST_F(CatalogueEditorClosing, AFailedSecondFileSaysSoAndLeavesMemoryAndFilesAsTheyWere) {
  const std::vector<std::string> files{"data/data.dat", "user/codici.dat", "data/lang.dat"};
  std::vector<std::string> stored;
  for (const std::string& file : files) stored.push_back(read_file_bytes(dir.file(file)));
  const std::vector<Tstructure_type> types = StructureTypes;
  CatalogueEditorTexts texts = load_catalogue_editor_texts();
  texts.memos[0] += "\n2000";
  texts.codes_table += "\nTE;300";
  std::filesystem::permissions(dir.file("user/codici.dat"), std::filesystem::perms::owner_read);
  ui->yes_no_answers = {true};
  EXPECT_FALSE(close_catalogue_editor(texts, kStoredEnglish));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find(dir.file("user/codici.dat") + ": the file is read-only"), std::string::npos)
      << ui->messages[0];
  for (std::size_t i = 0; i < files.size(); ++i)
    EXPECT_TRUE(read_file_bytes(dir.file(files[i])) == stored[i]) << files[i] << " was written";
  EXPECT_EQ(StructureTypes, types);
}

// The codes page is saved only with prices the next start reads: one beyond
// the largest a price list holds is refused, saying where and why, and
// nothing is written; every real price is saved.
TEST_F(CatalogueEditorClosing, ACodesPagePriceBeyondTheLargestIsRefusedAndNothingIsWritten) {
  const std::string codes = read_file_bytes(dir.file("user/codici.dat"));
  CatalogueEditorTexts texts = load_catalogue_editor_texts();
  const std::string header =
      "TIPO\tLAR\tLUNG\tALT\t0\t1\t2\t3\t4\tCODICE\tDESCRIZIONE (NON USATA)\t(DESCR_L)\tCODICE "
      "ALT.\tPREZZO\tPESO\nKG\t-\t2000\t-\tSI\tK1\tKit\t400\tK-1\t1234567,89\t12,5\n\n";
  texts.codes_table = header + "KG\t-\t3000\t-\tSI\tK2\tKit\t400\tK-2\t1000000000\t12,5";
  ui->yes_no_answers = {true};
  EXPECT_FALSE(close_catalogue_editor(texts, kStoredEnglish));
  EXPECT_EQ(ui->messages,
            std::vector<std::string>{
                "The changes were not saved (catalogue, codes and translations) because the codes table as "
                "edited fails: line 4: the price \"1000000000\" is beyond the largest a price list holds, "
                "999999999,99 either way; up to it every total of a quote keeps its cents."});
  EXPECT_EQ(read_file_bytes(dir.file("user/codici.dat")), codes);

  texts.codes_table = header;
  ui->yes_no_answers = {true};
  EXPECT_TRUE(close_catalogue_editor(texts, kStoredEnglish));
  read_codes_table();
  EXPECT_EQ(CodesTable.at(0).price, 1234567.89);
}

// The translations are saved only when the language in use and the stored
// one keep every text they show: the next start would refuse them and stop.
// The refusal says nothing was saved and why, as counted in the memo; nothing
// is written and the window stays open.
TEST_F(CatalogueEditorClosing, TranslationsTheNextStartWouldRefuseAreRefusedAndNothingIsWritten) {
  std::vector<std::string> files{"data/data.dat", "user/codici.dat", "data/lang.dat"};
  std::vector<std::string> stored;
  for (const std::string& file : files) stored.push_back(read_file_bytes(dir.file(file)));
  CatalogueEditorTexts texts = load_catalogue_editor_texts();
  texts.memos[0] += "\n2000";
  texts.codes_table += "\nTE;300";
  const std::string shown = texts.translations;
  const std::string line = "\n039EN y";
  const std::string not_saved =
      "The changes were not saved (catalogue, codes and translations) because the translations as edited fail: ";
  const std::string without_italian_39 = std::string(shown).erase(shown.find("\n039IT x"), 8);
  for (auto [typed, stored_language, refusal] :
       {std::tuple{std::string(shown).erase(shown.find(line), line.size()), kStoredEnglish,
                   not_saved + "EN has no text for 39."},
        {std::string(shown).replace(shown.find(line) + 1, 1, "O"), kStoredEnglish,
         not_saved + "line " + std::to_string(39 * 2 + 2) + ": 'O39' is not a valid integer value."},
        // Applied by the preferences without being stored: Italian starts next.
        {without_italian_39, 0, not_saved + "IT has no text for 39."}}) {
    texts.translations = typed;
    ui->yes_no_answers = {true};
    ui->messages.clear();
    EXPECT_FALSE(close_catalogue_editor(texts, stored_language));
    EXPECT_EQ(ui->messages, std::vector<std::string>{refusal});
    for (std::size_t i = 0; i < files.size(); ++i)
      EXPECT_TRUE(read_file_bytes(dir.file(files[i])) == stored[i]) << files[i] << " was written";
  }

  // A text only another language lacks is no reason to refuse.
  texts.translations = without_italian_39;
  ui->yes_no_answers = {true};
  EXPECT_TRUE(close_catalogue_editor(texts, kStoredEnglish));
  std::string saved = translations;
  EXPECT_TRUE(read_scrambled_file(dir.file("data/lang.dat")) == saved.erase(saved.find("039IT x\r\n"), 9));
}

namespace {

// Both catalogues hold two structure types, and the codes table a column for each.
class StructureTypesAndCodes : public CatalogueEditorClosing {
 protected:
  void SetUp() override {
    CatalogueEditorClosing::SetUp();
    for (const char* file : {"data/data.dat", "data/data_in.dat"})
      write_catalogue_file(dir.file(file), {"1700", "300", "475", "974", "AAB"}, types);
    write_codes_table_file(dir.file("user/codici.dat"), rows);
    StructureTypes = types;
    CodesTable = rows;
  }

  // What the next start reads in either unit, with nothing said.
  void expect_next_start_reads(const Tdb_codici& expected, std::size_t type_count) {
    for (bool inches : {false, true}) {
      AppState.inches = inches;
      load_data_file(0);
      EXPECT_EQ(StructureTypes.size(), type_count) << inches;
      ui->messages.clear();
      read_codes_table();
      EXPECT_EQ(CodesTable, expected) << inches;
      EXPECT_TRUE(ui->messages.empty()) << inches << ": " << ui->messages.at(0);
    }
    AppState.inches = false;
  }

  const std::vector<Tstructure_type> types{{10, 11, 12, 13, "ZN", 0}, {20, 21, 22, 23, "GAL", -25}};
  const Tdb_codici rows{{"R", "475", "974", "", {"SI", "-"}, "R1", "R1-ALT", "", 400, 12.5, 3.75},
                        {"TE", "475", "", "1700", {"SI", "SI"}, "TE1", "TE1-ALT", "", 401, 1234567.89, 8}};
};

}  // namespace

// A structure type added or removed in the editor takes its option column of
// the codes table with it, in the codes page shown and in the same save, and
// in the inch catalogue too, whose types share the columns: the next start
// reads every row and price in either unit.
TEST_F(StructureTypesAndCodes, AnAddedOrRemovedTypeTakesItsCodesColumnAndEveryPriceIsKept) {
  CatalogueEditorTexts texts = load_catalogue_editor_texts();
  ui->yes_no_answers = {true, true};
  ASSERT_TRUE(add_structure_type(texts, {"30", "31", "32", "33", "INOX", "0"}));
  EXPECT_NE(texts.codes_table.find("R\t475\t974\t\tSI\t-\t\tR1\t"), std::string::npos) << texts.codes_table;
  ASSERT_TRUE(close_catalogue_editor(texts, kStoredEnglish));
  Tdb_codici added = rows;
  for (Tcodice& row : added) row.options.push_back("");
  EXPECT_EQ(CodesTable, added) << "the table in memory follows, for the price table's next write";
  expect_next_start_reads(added, 3);

  texts = load_catalogue_editor_texts();
  ui->yes_no_answers = {true, true};
  ASSERT_TRUE(remove_structure_type(texts, 0));
  ASSERT_TRUE(close_catalogue_editor(texts, kStoredEnglish));
  Tdb_codici removed = added;
  for (Tcodice& row : removed) row.options.erase(row.options.begin());
  expect_next_start_reads(removed, 2);
  EXPECT_EQ(StructureTypes[1], (Tstructure_type{30, 31, 32, 33, "INOX", 0}));
}

// No keeps the files as they were, and the types in use with them; a file
// that cannot be written keeps every file as it was and the window open.
TEST_F(StructureTypesAndCodes, AnUnsavedOrFailedSaveChangesNoFile) {
  std::vector<std::string> stored;
  const std::vector<std::string> files{"data/data.dat", "data/data_in.dat", "user/codici.dat", "data/lang.dat"};
  for (const std::string& file : files) stored.push_back(read_file_bytes(dir.file(file)));
  CatalogueEditorTexts texts = load_catalogue_editor_texts();
  ui->yes_no_answers = {true, false};
  ASSERT_TRUE(add_structure_type(texts, {"30", "31", "32", "33", "INOX", "0"}));
  EXPECT_TRUE(close_catalogue_editor(texts, kStoredEnglish));
  EXPECT_EQ(StructureTypes, types);

  texts = load_catalogue_editor_texts();
  ui->yes_no_answers = {true, true};
  ASSERT_TRUE(add_structure_type(texts, {"30", "31", "32", "33", "INOX", "0"}));
  std::filesystem::permissions(dir.file("data/lang.dat"), std::filesystem::perms::owner_read);
  ui->messages.clear();
  EXPECT_FALSE(close_catalogue_editor(texts, kStoredEnglish));
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("read-only"), std::string::npos) << ui->messages[0];
  for (std::size_t i = 0; i < files.size(); ++i)
    EXPECT_TRUE(read_file_bytes(dir.file(files[i])) == stored[i]) << files[i] << " was written";
  EXPECT_EQ(CodesTable, rows);
}
