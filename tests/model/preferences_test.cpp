#include "model/files/preferences.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/base/units.h"
#include "model/state/globals.h"
#include "model/text/translations.h"
#include "support/fresh_project_fixture.h"
#include "support/program_dir.h"
#include "support/sample_project.h"
#include "support/scripted_ui.h"

namespace {

// The first n lines of a preferences file in the program's own line order.
std::string preferences_lines(int n, const std::string& language = "1") {
  std::vector<std::string> lines = {language, "1", "0", "4", "16777215", "40", "2500", "1", "logo.bmp", "EUR"};
  for (int i = 0; i < 4; ++i) lines.push_back("Header " + std::to_string(i));
  for (int i = 0; i < 10; ++i) lines.push_back("More " + std::to_string(i));
  for (int i = 0; i < 6; ++i) lines.push_back(std::to_string(60 + i));
  lines.insert(lines.end(), {"1", "3", "2"});
  std::string text;
  for (int i = 0; i < n; ++i) text += lines[static_cast<std::size_t>(i)] + "\r\n";
  return text;
}

// A translation file of the eight languages, each text "x"; the language of
// code torn lacks text 39, the first cell's name.
std::string translation_file(const std::string& torn = "") {
  std::vector<LanguageTexts> languages;
  for (int language = 0; !language_code(language).empty(); ++language) {
    languages.push_back({language_code(language), std::vector<std::string>(410, "x")});
    if (languages.back().code == torn) languages.back().texts[39].clear();
  }
  return language_file_text(languages, false);
}

class Preferences : public FreshProjectTest {
 protected:
  void SetUp() override {
    Company = Tazienda{};
    write_translations(translation_file());
  }
  void write_file(const std::string& plain) { write_scrambled_file(path(), plain); }
  void write_translations(const std::string& plain) { write_scrambled_file(dir.file("data/lang.dat"), plain); }
  std::string path() const { return dir.file("user/preferenze.dat"); }
  std::vector<std::string> stored_lines() const { return split_lines(read_scrambled_file(path())); }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(Preferences, EveryLineIsReadIntoItsFieldAndWrittenBackInPlace) {
  write_file(preferences_lines(33));
  ASSERT_TRUE(read_preferences());
  const Tvar_amb& s = AppState;
  EXPECT_EQ((std::array{s.language, s.optional_sizes, s.product_switch, s.max_length_index, s.background_3d,
                        s.wall_transparency, s.wall_height, s.resolution_3d}),
            (std::array{1, 1, 0, 4, 16777215, 40, 2500, 1}));
  EXPECT_EQ((std::array{Company.logo, Company.currency, Company.header_lines[3], Company.more_lines[9]}),
            (std::array<std::string, 4>{"logo.bmp", "EUR", "Header 3", "More 9"}));
  EXPECT_EQ(AppState.archive_col_widths, (std::array<int, 6>{60, 61, 62, 63, 64, 65}));

  AppState.archive_col_widths = {1, 2, 3, 4, 5, 6};  // the archive window's current widths
  write_preferences();
  std::vector<std::string> expected = split_lines(preferences_lines(33));
  for (int i = 0; i < 6; ++i) expected[24 + i] = std::to_string(i + 1);
  expected[32] = "1";  // the background line "2" reads as on
  EXPECT_EQ(stored_lines(), expected);
}

// Lines 31 to 33 came with later versions; where they are missing the defaults
// hold: millimetres, one decimal, white background.
TEST_F(Preferences, LinesThirtyOneToThirtyThreeAreReadWhenPresent) {
  struct Case {
    int lines;
    bool inches;
    int decimals;
    bool black_background;
  };
  for (Case c :
       {Case{30, false, 1, false}, Case{31, true, 1, false}, Case{32, true, 3, false}, Case{33, true, 3, true}}) {
    SCOPED_TRACE(std::to_string(c.lines) + " lines");
    AppState.inches = !c.inches;  // values a missing line must not leave behind
    AppState.decimals = 4;
    AppState.black_background = !c.black_background;
    AppState.print_max_loads = false;
    write_file(preferences_lines(c.lines));
    ASSERT_TRUE(read_preferences());
    EXPECT_EQ(AppState.inches, c.inches);
    EXPECT_EQ(AppState.unit_factor, c.inches ? MmPerInch : 1.0);
    EXPECT_EQ(AppState.decimals, c.decimals);
    EXPECT_EQ(AppState.black_background, c.black_background);
    EXPECT_TRUE(AppState.print_max_loads);
  }
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(Preferences, FirstRunAsksTheLanguageOnceAndStoresIt) {
  EXPECT_EQ(stored_language(), -1) << "no file";
  write_file(preferences_lines(33, "-1"));
  ui->language_answers = {5};
  read_preferences();
  EXPECT_EQ(AppState.language, 5);
  EXPECT_EQ(std::pair(stored_lines()[0], stored_lines()[8]), (std::pair<std::string, std::string>("5", "logo.bmp")));
  read_preferences();  // the stored choice is not asked again
  EXPECT_TRUE(ui->language_answers.empty());
  AppState.language = 2;  // applied, not stored
  EXPECT_EQ(stored_language(), 5);
}

TEST_F(Preferences, LanguageOutsideTheTableIsAskedAndNoChoiceGivesItalian) {
  write_file(preferences_lines(30, "8"));
  read_preferences();  // the dialog gives no answer
  EXPECT_EQ(AppState.language, 0);
  EXPECT_EQ(stored_lines()[0], "0");

  // Or the first language the translation file serves, when it cannot serve Italian.
  write_file(preferences_lines(30, "8"));
  write_translations(translation_file("IT"));
  EXPECT_TRUE(read_preferences());
  EXPECT_EQ(AppState.language, 1);
  EXPECT_EQ(stored_lines()[0], "1");
}

// A language is stored only when the translation file serves it, or every
// later start would stop on it: a choice the file cannot serve is refused
// with the start-up's own message and the language is asked again.
TEST_F(Preferences, FirstStartRefusesALanguageTheTranslationFileCannotServeAndAsksAgain) {
  write_file(preferences_lines(33, "-1"));
  write_translations(translation_file("PL"));
  const std::string translations = dir.read("data/lang.dat");
  ui->language_answers = {7, 1};  // POLSKY, then ENGLISH
  EXPECT_TRUE(read_preferences());
  EXPECT_EQ(ui->questions, (std::vector<std::string>{"language", "language"}));
  EXPECT_EQ(ui->messages, std::vector<std::string>{"The translation file " + dir.file("data/lang.dat") +
                                                   " gives PL no text for 39: it is incomplete or damaged."});
  EXPECT_EQ(AppState.language, 1);
  std::vector<std::string> expected = split_lines(preferences_lines(33, "1"));
  expected[32] = "1";
  EXPECT_EQ(stored_lines(), expected);
  EXPECT_TRUE(dir.read("data/lang.dat") == translations) << "the translation file was written";
}

// A language stored before its texts were torn is asked again, not a start
// that stops for good.
TEST_F(Preferences, AStoredLanguageTheTranslationFileNoLongerServesIsAskedAgain) {
  write_file(preferences_lines(33, "7"));
  write_translations(translation_file("PL"));
  ui->language_answers = {3};
  EXPECT_TRUE(read_preferences());
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_EQ(AppState.language, 3);
  EXPECT_EQ(stored_lines()[0], "3");
  EXPECT_EQ(stored_lines()[9], "EUR");
}

// Nothing could be shown: the start stops with the refusal and the file keeps
// what it held, so a mended translation file starts as before.
TEST_F(Preferences, WhenTheTranslationFileServesNoLanguageTheStartStopsAndNothingIsStored) {
  for (const char* stored : {"-1", "1"}) {
    SCOPED_TRACE(stored);
    write_file(preferences_lines(33, stored));
    const std::string before = dir.read("user/preferenze.dat");
    write_translations("");
    ui->language_answers = {1};
    ui->messages.clear();
    EXPECT_FALSE(read_preferences());
    ASSERT_EQ(ui->messages.size(), 1u);
    EXPECT_NE(ui->messages[0].find("holds no texts for EN"), std::string::npos) << ui->messages[0];
    EXPECT_EQ(dir.read("user/preferenze.dat"), before);
    ui->language_answers.clear();
  }
}

TEST_F(Preferences, MissingFileIsNamedAndStopsTheStart) {
  EXPECT_FALSE(read_preferences());
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find(path()), std::string::npos);
}

// A bad value costs only its own setting: every other line is read, the user
// is told which line was bad, and the damaged file is kept before it is
// written again (here at once, since the language is asked).
TEST_F(Preferences, ABadValueLeavesOnlyItsSettingAtItsDefaultAndTheFileIsKept) {
  std::string text = preferences_lines(33, "-1");
  text.replace(text.find("4\r\n"), 1, "four");
  write_file(text);
  const std::string stored = dir.read("user/preferenze.dat");
  AppState.max_length_index = 9;  // the setting line 4 would give
  ui->language_answers = {2};
  EXPECT_TRUE(read_preferences());
  ASSERT_EQ(ui->messages.size(), 1u);
  const std::string& message = ui->messages[0];
  EXPECT_TRUE(message.starts_with(read_error_text(path()))) << message;
  EXPECT_NE(message.find("line 4: \"four\""), std::string::npos) << "which line was bad: " << message;
  EXPECT_NE(message.find("preferenze.dat.damaged"), std::string::npos) << message;
  EXPECT_EQ((std::array{AppState.language, AppState.optional_sizes, AppState.max_length_index, AppState.wall_height}),
            (std::array{2, 1, 9, 2500}));
  EXPECT_EQ((std::array{Company.currency, Company.header_lines[0], Company.more_lines[9]}),
            (std::array<std::string, 3>{"EUR", "Header 0", "More 9"}));
  EXPECT_EQ(AppState.archive_col_widths[5], 65);
  EXPECT_EQ(AppState.decimals, 3);
  EXPECT_EQ(dir.read("user/preferenze.dat.damaged"), stored);
  EXPECT_EQ(stored_lines()[3], "9");
  EXPECT_EQ(stored_lines()[9], "EUR");
}

TEST_F(Preferences, EveryBadLineIsNamedAndAFileCutShortKeepsWhatItHolds) {
  std::vector<std::string> lines = split_lines(preferences_lines(33));
  lines[6] = "2500 mm";  // the wall height
  lines[25] = "";        // an archive column width
  lines.resize(28);      // and the file ends after line 28
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  write_file(text);
  AppState.wall_height = 2000;
  AppState.archive_col_widths = {1, 2, 3, 4, 5, 6};
  EXPECT_TRUE(read_preferences());
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const char* line : {"line 7:", "line 26:", "line 29:"})
    EXPECT_NE(ui->messages[0].find(line), std::string::npos) << line << " in " << ui->messages[0];
  EXPECT_EQ(AppState.wall_height, 2000);
  EXPECT_EQ(AppState.archive_col_widths, (std::array<int, 6>{60, 2, 62, 63, 5, 6}));
  EXPECT_EQ(Company.more_lines[9], "More 9");

  // Not written back by the reading; the first write keeps the damaged file first.
  EXPECT_FALSE(std::filesystem::exists(path() + ".damaged"));
  write_preferences();
  EXPECT_EQ(read_scrambled_file(path() + ".damaged"), text);
  EXPECT_EQ(stored_lines().size(), 33u);
}

// Qt's number formatting on the printed plan aborts or hangs on decimals in
// the billions: a count the preferences dialog does not offer (0 to 7) is
// damage, and one decimal holds.
TEST_F(Preferences, DecimalsBeyondWhatTheDialogOffersAreDamage) {
  for (const std::string decimals : {"2147483647", "8", "-1", "7"}) {
    std::vector<std::string> lines = split_lines(preferences_lines(33));
    lines[31] = decimals;
    write_file(joined_lines(lines));
    ui->messages.clear();
    EXPECT_TRUE(read_preferences());
    const bool offered = decimals == "7";
    EXPECT_EQ(AppState.decimals, offered ? 7 : 1) << decimals;
    ASSERT_EQ(ui->messages.size(), offered ? 0u : 1u) << decimals;
    if (offered) continue;
    EXPECT_NE(ui->messages[0].find("line 32: \"" + decimals + "\" is not a number of decimals from 0 to 7"),
              std::string::npos)
        << ui->messages[0];
  }
}

// Company texts head every printed page: one longer than any window shows is
// cut and said; a number line too long to show is named by its start only.
TEST_F(Preferences, AnOverlongCompanyTextIsCutAndAnOverlongNumberNamedShort) {
  std::vector<std::string> lines = split_lines(preferences_lines(33));
  lines[10] = std::string(kTextBytes + 1, 'h');  // header line 1
  lines[6] = std::string(100000, '9');           // the wall height
  write_file(joined_lines(lines));
  EXPECT_TRUE(read_preferences());
  EXPECT_EQ(Company.header_lines[0], std::string(kTextBytes, 'h'));
  ASSERT_EQ(ui->messages.size(), 1u);
  const std::string& message = ui->messages[0];
  EXPECT_NE(message.find("line 11: " + cut_text_note(kTextBytes + 1, kTextBytes)), std::string::npos) << message;
  EXPECT_NE(message.find("line 7: \"" + std::string(255, '9') + "\" is not"), std::string::npos) << message;
  EXPECT_LT(message.size(), 1000u);
}

TEST_F(Preferences, AFirstStartGoesOnInTheChosenLanguageWhenTheFileCannotBeWritten) {
  write_file(preferences_lines(33, "-1"));
  std::filesystem::permissions(path(), std::filesystem::perms::owner_read);
  const std::string stored = dir.read("user/preferenze.dat");
  ui->language_answers = {4};
  bool started = false;
  EXPECT_NO_THROW(started = read_preferences());
  EXPECT_TRUE(started);
  EXPECT_EQ(AppState.language, 4);
  EXPECT_EQ(Company.currency, "EUR");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("Cannot write file " + path()), std::string::npos) << ui->messages[0];
  EXPECT_EQ(dir.read("user/preferenze.dat"), stored);
}

// The old program wrote the company texts in the code page of the language
// on the file's first line: they are read, and written back, as its letters.
TEST_F(Preferences, OldCompanyTextsAreReadInTheCodePageOfTheFilesLanguage) {
  std::string plain = preferences_lines(30, "6");  // Czech
  write_file(plain.replace(plain.find("Header 0"), 8, "K\xE8 \x9Aroub"));
  ASSERT_TRUE(read_preferences());
  write_preferences();
  EXPECT_EQ(stored_lines()[10], "K\xC4\x8D \xC5\xA1roub");
}
