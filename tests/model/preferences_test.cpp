#include "model/preferences.h"

#include <gtest/gtest.h>

#include "model/file_io.h"
#include "model/globals.h"
#include "model/scripted_ui.h"
#include "model/text_io.h"
#include "support/program_dir.h"

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

class Preferences : public ::testing::Test {
 protected:
  void SetUp() override {
    AppState = Tvar_amb{};
    Company = Tazienda{};
  }
  void write_file(const std::string& plain) { write_scrambled_file(path(), plain); }
  std::string path() const { return dir.file("user/preferenze.dat"); }
  std::vector<std::string> stored_lines() const { return split_lines(read_scrambled_file(path())); }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(Preferences, ThirtyLinesGiveMillimetresOneDecimalAndWhiteBackground) {
  AppState.inches = true;
  AppState.decimals = 4;
  AppState.black_background = true;
  AppState.print_max_loads = false;
  write_file(preferences_lines(30));
  ASSERT_TRUE(read_preferences());
  EXPECT_FALSE(AppState.inches);
  EXPECT_EQ(AppState.unit_factor, 1.0);
  EXPECT_EQ(AppState.decimals, 1);
  EXPECT_FALSE(AppState.black_background);
  EXPECT_TRUE(AppState.print_max_loads);
  EXPECT_EQ(AppState.language, 1);
  EXPECT_EQ(AppState.optional_sizes, 1);
  EXPECT_EQ(AppState.max_length_index, 4);
  EXPECT_EQ(AppState.background_3d, 16777215);
  EXPECT_EQ(AppState.wall_height, 2500);
  EXPECT_EQ(AppState.resolution_3d, 1);
  EXPECT_EQ(Company.logo, "logo.bmp");
  EXPECT_EQ(Company.currency, "EUR");
  EXPECT_EQ(Company.header_lines[3], "Header 3");
  EXPECT_EQ(Company.more_lines[9], "More 9");
  EXPECT_EQ(AppState.archive_col_widths, (std::array<int, 6>{60, 61, 62, 63, 64, 65}));
  EXPECT_TRUE(ui->messages.empty());

  write_preferences();
  std::vector<std::string> lines = stored_lines();
  ASSERT_EQ(lines.size(), 33u);
  EXPECT_EQ(lines[30], "0");
  EXPECT_EQ(lines[31], "1");
  EXPECT_EQ(lines[32], "0");
}

TEST_F(Preferences, LinesThirtyOneToThirtyThreeAreReadWhenPresent) {
  write_file(preferences_lines(31));
  read_preferences();
  EXPECT_TRUE(AppState.inches);
  EXPECT_EQ(AppState.unit_factor, MmPerInch);
  EXPECT_EQ(AppState.decimals, 1);

  write_file(preferences_lines(32));
  read_preferences();
  EXPECT_EQ(AppState.decimals, 3);
  EXPECT_FALSE(AppState.black_background);

  write_file(preferences_lines(33));
  read_preferences();
  EXPECT_TRUE(AppState.black_background);  // any line but "0" is on
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(Preferences, WriteAndReadGiveBackEveryStoredField) {
  write_file(preferences_lines(33));
  read_preferences();
  Tvar_amb state = AppState;
  Tazienda company = Company;
  AppState.archive_col_widths = {1, 2, 3, 4, 5, 6};
  state.archive_col_widths = AppState.archive_col_widths;
  write_preferences();
  AppState = Tvar_amb{};
  Company = Tazienda{};
  read_preferences();
  EXPECT_EQ(AppState, state);
  EXPECT_EQ(Company, company);
}

TEST_F(Preferences, FirstRunAsksTheLanguageOnceAndStoresIt) {
  write_file(preferences_lines(33, "-1"));
  ui->language_answers = {5};
  read_preferences();
  EXPECT_EQ(AppState.language, 5);
  EXPECT_EQ(stored_lines()[0], "5");
  EXPECT_EQ(stored_lines()[8], "logo.bmp");
  read_preferences();  // the stored choice is not asked again
  EXPECT_TRUE(ui->language_answers.empty());
}

TEST_F(Preferences, LanguageOutsideTheTableIsAskedAndNoChoiceGivesItalian) {
  write_file(preferences_lines(30, "8"));
  read_preferences();  // the dialog gives no answer
  EXPECT_EQ(AppState.language, 0);
  EXPECT_EQ(stored_lines()[0], "0");
}

TEST_F(Preferences, MissingFileIsNamedAndStopsTheStart) {
  EXPECT_FALSE(read_preferences());
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find(path()), std::string::npos);
}

TEST_F(Preferences, DamagedFileKeepsWhatWasReadAndIsNotRewritten) {
  std::string text = preferences_lines(33, "-1");
  text.replace(text.find("4\r\n"), 1, "four");
  write_file(text);
  std::string stored = dir.read("user/preferenze.dat");
  AppState.product_switch = 7;
  AppState.max_length_index = 9;
  ui->language_answers = {2};
  EXPECT_TRUE(read_preferences());
  EXPECT_EQ(ui->messages, (std::vector<std::string>{read_error_text(path())}));
  EXPECT_EQ(AppState.language, 2);
  EXPECT_EQ(AppState.product_switch, 0);
  EXPECT_EQ(AppState.max_length_index, 9);
  EXPECT_EQ(dir.read("user/preferenze.dat"), stored);
}
