#include "model/state/preferences_form.h"

#include <gtest/gtest.h>

#include "model/files/file_io.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

class PreferencesForm_ : public ::testing::Test {
 protected:
  void SetUp() override {
    AppState = Tvar_amb{};
    AppState.language = 0;
    AppState.wall_height = 2000;
    AppState.decimals = 2;
    LengthList = {974, 1000, 1300};
    LangTable.assign(91, "");
    LangTable[8] = "Valore non valido";
    LangTable[90] = "Dati salvati";
  }
  void TearDown() override { AppState = Tvar_amb{}; }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(PreferencesForm_, ServicePasswordIsExactAndCaseSensitive) {
  EXPECT_TRUE(service_password_matches("dormak58"));
  for (const char* wrong : {"", "DORMAK58", "dormak58 ", "dormak5"}) EXPECT_FALSE(service_password_matches(wrong));
}

TEST_F(PreferencesForm_, UnitsShowLengthsAndWallHeightInTheChosenUnit) {
  EXPECT_EQ(max_length_items(false, ','), (std::vector<std::string>{"974,00", "1000,00", "1300,00"}));
  EXPECT_EQ(max_length_items(true, '.')[1], "3'-6\" ");  // with the end frames' allowance
  EXPECT_EQ(wall_height_text(2000, false, '.'), "2000.00");
  EXPECT_EQ(wall_height_text(2000, true, '.'), "78.74");
  EXPECT_DOUBLE_EQ(wall_height_mm_of("78,74", true), 78.74 * 25.4);
  EXPECT_DOUBLE_EQ(wall_height_mm_of(" 2500 ", false), 2500.0);
  for (const char* bad : {"", "  ", "12a", "1.2.3", "-5", "1e3", "99999999999"})
    EXPECT_LT(wall_height_mm_of(bad, false), 0.0) << bad;
}

TEST_F(PreferencesForm_, UnitSwitchConvertsAnEditedHeightAndLeavesAnUneditedOneExact) {
  PreferencesForm form = load_preferences_form('.');
  switch_form_unit(form, true, '.');
  EXPECT_EQ(form.wall_height_text, "78.74");
  switch_form_unit(form, false, '.');
  EXPECT_EQ(form.wall_height_text, "2000.00");
  switch_form_unit(form, true, '.');
  apply_preferences(form);
  EXPECT_EQ(AppState.wall_height, 2000);  // unedited: no drift through 78.74
  EXPECT_TRUE(AppState.inches);
  EXPECT_EQ(AppState.unit_factor, 25.4);

  form.wall_height_text = "100";
  form.wall_height_edited = true;
  switch_form_unit(form, false, '.');
  EXPECT_EQ(form.wall_height_text, "2540.00");
  form.wall_height_text = "abc";
  switch_form_unit(form, true, '.');
  EXPECT_EQ(form.wall_height_text, "abc");
}

TEST_F(PreferencesForm_, InchHeightIsRoundedToWholeMillimetres) {
  PreferencesForm form = load_preferences_form('.');
  form.inches = true;
  form.wall_height_text = "78.74";
  form.wall_height_edited = true;
  EXPECT_TRUE(apply_preferences(form));
  EXPECT_EQ(AppState.wall_height, 2000);
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(PreferencesForm_, AnInvalidHeightKeepsThePreviousOneAndAppliesTheRest) {
  PreferencesForm form = load_preferences_form('.');
  form.wall_height_text = "";
  form.wall_height_edited = true;
  form.black_background = true;
  form.decimals = 3;
  form.debug = true;
  EXPECT_FALSE(apply_preferences(form));
  EXPECT_EQ(AppState.wall_height, 2000);
  EXPECT_EQ(ui->messages, std::vector<std::string>{"Valore non valido"});
  EXPECT_TRUE(AppState.black_background);
  EXPECT_EQ(AppState.decimals, 3);
  EXPECT_EQ(AppState.debug, 1);
  EXPECT_NE(AppState.palette, Tvar_amb{}.palette);  // plan colours follow the background
}

TEST_F(PreferencesForm_, LoadingAndApplyingAnUnchangedFormChangesNothingButThePalette) {
  AppState.optional_sizes = 1;
  AppState.background_3d = 0x123456;
  AppState.wall_transparency = 40;
  AppState.resolution_3d = 1;
  AppState.print_max_loads = false;
  Tvar_amb before = AppState;
  apply_preferences(load_preferences_form(','));
  before.palette = AppState.palette;
  EXPECT_EQ(AppState, before);
}

TEST_F(PreferencesForm_, SaveWritesTheFileAndSaysSo) {
  PreferencesForm form = load_preferences_form('.');
  form.language = 3;
  save_preferences(form);
  Tvar_amb stored;
  Tazienda company;
  parse_preferences_text(read_scrambled_file(dir.file("user/preferenze.dat")), "test", stored, company);
  EXPECT_EQ(stored.language, 3);
  EXPECT_EQ(stored.wall_height, 2000);
  EXPECT_EQ(ui->messages, std::vector<std::string>{"Dati salvati"});
}
