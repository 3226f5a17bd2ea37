#include "model/text/translations.h"

#include <gtest/gtest.h>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/text/lang_text.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

using Texts = std::vector<std::string>;

TEST(LanguageTexts, LoaderRules) {
  const std::string mixed =
      "000IT Cella\r\n000EN Cell\r\n" + std::string(81, '-') + "\r\n\r\n   \t\r\n001IT Muro\r\n001it low\r\n";
  struct Case {
    const char* rule;
    std::string file;
    const char* code;
    Texts texts;
  };
  const Case cases[] = {
      {"the first text of a number wins, gaps stay empty", "000IT A\r\n000IT B\r\n002IT C\r\n", "IT", {"A", "", "C"}},
      {"a number below the highest seen is dropped", "005IT X\r\n003IT Y\r\n", "IT", {"", "", "", "", "", "X"}},
      {"text from column 7, untrimmed", "000IT\r\n001IT  two blanks \r\n002IT x\n", "IT", {"", " two blanks ", "x"}},
      {"other codes, separators and blank lines are ignored", mixed, "IT", {"Cella", "Muro"}},
      {"only the lines of the code asked for", mixed, "EN", {"Cell"}},
      {"a language without lines", mixed, "PL", {}},
      {"short lines and other codes' bad numbers are ignored", "0x1EN bad\r\n001IT good\r\nIT\r\n", "IT", {"", "good"}},
      {"a number may have leading blanks and a sign; a negative one is dropped",
       " 01IT a\r\n+02IT b\r\n-03IT c\r\n",
       "IT",
       {"", "a", "b"}},
  };
  for (const Case& c : cases) EXPECT_EQ(parse_language_texts(c.file, c.code), c.texts) << c.rule;
}

// A line of the language asked for must begin with its number: anything else
// there, two signs included, is damage, named by its line, not a line to pass over.
TEST(LanguageTexts, ALineOfTheLanguageWithoutANumberIsAnError) {
  for (auto [file, fault] : {std::pair{"000IT A\r\n0x1IT bad\r\n", "line 2: '0x1' is not a valid integer value"},
                             {"\r\n01 IT bad\r\n", "line 2: '01 ' is not a valid integer value"},
                             {"- 1IT bad\r\n", "line 1: '- 1' is not a valid integer value"},
                             {"   IT bad\r\n", "line 1: '   ' is not a valid integer value"},
                             {"000IT A\r\n--1IT bad\r\n", "line 2: '--1' is not a valid integer value"},
                             {"+-1IT bad\r\n", "line 1: '+-1' is not a valid integer value"},
                             {"-+1IT bad\r\n", "line 1: '-+1' is not a valid integer value"}}) {
    try {
      parse_language_texts(file, "IT");
      ADD_FAILURE() << file << " was read";
    } catch (const FileError& error) {
      EXPECT_EQ(std::string(error.what()), fault);
    }
  }
}

TEST(LanguageCodes, FollowTheFixedOrder) {
  // Dutch is "FM"; no language outside 0 to 7.
  for (auto [language, code] : {std::pair{0, "IT"}, {1, "EN"}, {5, "FM"}, {7, "PL"}, {-1, ""}, {8, ""}})
    EXPECT_EQ(language_code(language), code) << language;
}

TEST(LangText, MissingNumbersGiveEmptyText) {
  LangTable = {"zero", "one"};
  EXPECT_EQ(lang_text(1), "one");
  EXPECT_EQ(lang_text(2), "");
  EXPECT_EQ(lang_text(-1), "");
}

// The text layer reads the table it is given, never the loaded language.
TEST(LangText, ATableGivenIsReadInsteadOfTheLoadedLanguage) {
  LangTable = {"loaded"};
  const Texts table = {"given", "second"};
  EXPECT_EQ(lang_text(table, 0), "given");
  EXPECT_EQ(lang_text(table, 1), "second");
  EXPECT_EQ(lang_text(table, 2), "");
  EXPECT_EQ(lang_text(Texts{}, 0), "");
  EXPECT_EQ(lang_text(0), "loaded");
}

class LanguageFile : public ::testing::Test {
 protected:
  void write_lang(const std::string& plain) { write_scrambled_file(dir.file("data/lang.dat"), plain); }
  std::string plain_lang() { return read_scrambled_file(dir.file("data/lang.dat")); }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

TEST_F(LanguageFile, LoadFillsTheTableAndLeavesTheFileAsItWas) {
  write_lang("000IT Cella\r\n000EN Cell\r\n001IT Muro\r\n001EN Wall\r\n");
  std::string stored = dir.read("data/lang.dat");
  load_language("EN");
  EXPECT_EQ(LangTable, (Texts{"Cell", "Wall"}));
  EXPECT_EQ(dir.read("data/lang.dat"), stored);
  load_language("DE");
  EXPECT_TRUE(LangTable.empty());
}

TEST_F(LanguageFile, MissingFileRaisesAndKeepsTheTable) {
  LangTable = {"kept"};
  EXPECT_THROW(load_language("IT"), FileError);
  EXPECT_EQ(LangTable, (Texts{"kept"}));
}

TEST_F(LanguageFile, ADamagedLineIsNamedWithTheFileAndKeepsTheTable) {
  write_lang("000IT Cella\r\n0!1IT Muro\r\n");
  LangTable = {"kept"};
  try {
    load_language("IT");
    ADD_FAILURE() << "the damaged file was read";
  } catch (const FileError& error) {
    EXPECT_EQ(std::string(error.what()),
              read_error_text(dir.file("data/lang.dat")) + "\r\nline 2: '0!1' is not a valid integer value");
  }
  EXPECT_EQ(LangTable, (Texts{"kept"}));
}

// Choosing a language takes only a file that gives it every text the program
// shows: a torn file would leave menus and labels blank.
TEST_F(LanguageFile, ALanguageLackingATextTheProgramShowsIsRefusedByName) {
  Texts complete(410, "x");
  write_lang(language_file_text({{"IT", complete}, {"EN", complete}}, false));
  set_language("EN");
  EXPECT_EQ(LangTable, complete);

  Texts torn = complete;
  torn[39].clear();   // the first cell's name
  torn[193].clear();  // the "Prices and codes" menu
  torn[305].clear();  // a structure type's name, named by the catalogue
  write_lang(language_file_text({{"IT", complete}, {"EN", torn}}, false));
  try {
    set_language("EN");
    ADD_FAILURE() << "the torn file was taken";
  } catch (const FileError& error) {
    const std::string message = error.what();
    EXPECT_NE(message.find(dir.file("data/lang.dat")), std::string::npos) << message;
    EXPECT_NE(message.find("EN no text for 39, 193, 305"), std::string::npos) << message;
  }
  EXPECT_EQ(LangTable, complete);
  write_lang("");
  EXPECT_THROW(set_language("IT"), FileError);
  EXPECT_EQ(LangTable, complete);
}

// A 20 MB text ended the program at start: a text longer than any a window
// shows (kTextBytes; the shipped ones have at most 141 bytes) is cut where it
// is read, on a character boundary, and the user told by its line. The checks
// of a language are silent about it: the load that takes the language says it.
TEST_F(LanguageFile, ATextLongerThanAnyWindowShowsIsCutAndSaid) {
  Texts complete(410, "x");
  Texts damaged = complete;
  damaged[39] = std::string(kTextBytes - 1, 'c') + "\xC3\xA8";
  write_lang(language_file_text({{"IT", complete}, {"EN", damaged}}, false));
  check_language("EN");
  EXPECT_TRUE(language_served("EN"));
  EXPECT_TRUE(ui->messages.empty());
  set_language("EN");
  EXPECT_EQ(lang_text(39), std::string(kTextBytes - 1, 'c'));
  EXPECT_EQ(lang_text(40), "x");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(ui->messages[0],
            read_error_text(dir.file("data/lang.dat")) + "\r\nline 80: " + cut_text_note(kTextBytes + 1, kTextBytes));
}

TEST_F(LanguageFile, ItalianOnlyWriterRewritesEveryIndex) {
  write_lang("000IT A\r\n000EN a\r\n002IT C\r\n");
  save_language_italian_only();
  EXPECT_EQ(plain_lang(), "000IT A\r\n001IT \r\n002IT C\r\n");
  EXPECT_EQ(LangTable, (Texts{"A", "", "C"}));
  EXPECT_EQ(ui->messages, (Texts{"File salvato"}));
}

TEST_F(LanguageFile, PlaceholderWriterAddsSixLanguagesAndSeparators) {
  write_lang("000IT Cella\r\n");
  save_language_placeholders();
  EXPECT_EQ(plain_lang(),
            "000IT Cella\r\n000EN EN-Cella\r\n000FR FR-Cella\r\n000DE DE-Cella\r\n000ES ES-Cella\r\n"
            "000FM FM-Cella\r\n000CZ CZ-Cella\r\n" +
                std::string(81, '-') + "\r\n");
  load_language("FM");
  EXPECT_EQ(LangTable, (Texts{"FM-Cella"}));
}

TEST(LanguageFileText, GroupsLanguagesByNumberAndReadsBack) {
  std::vector<LanguageTexts> languages{{"IT", {"Cella", "", "Porta"}}, {"EN", {"Cell", " Wall"}}};
  std::string text = language_file_text(languages, true);
  std::string dashes = std::string(81, '-') + "\r\n";
  EXPECT_EQ(text, "000IT Cella\r\n000EN Cell\r\n" + dashes + "001IT \r\n001EN  Wall\r\n" + dashes + "002IT Porta\r\n" +
                      dashes);
  EXPECT_EQ(parse_language_texts(text, "IT"), languages[0].texts);
  EXPECT_EQ(parse_language_texts(text, "EN"), languages[1].texts);
}

TEST(LanguageFileText, RefusesWhatTheFileCannotHold) {
  EXPECT_NO_THROW(language_file_text({{"IT", Texts(1000, "x")}}, false));
  EXPECT_THROW(language_file_text({{"IT", Texts(1001, "x")}}, false), FileError);
  EXPECT_THROW(language_file_text({{"IT", {"two\r\nlines"}}}, false), FileError);
  EXPECT_THROW(language_file_text({{"ITA", {"x"}}}, false), FileError);
}
