#include "model/files/preferences_form.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <tuple>

#include "model/base/file_io.h"
#include "model/catalogue/catalogue.h"
#include "model/catalogue/length_choice.h"
#include "model/files/preferences.h"
#include "model/state/globals.h"
#include "model/text/translations.h"
#include "support/fresh_project_fixture.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

class PreferencesForm_ : public FreshProjectTest {
 protected:
  void SetUp() override {
    AppState.language = 0;
    AppState.wall_height = 2000;
    AppState.decimals = 2;
    LengthList = {974, 1000, 1300};
    LengthConversion = {};
    LangTable.assign(91, "");
    LangTable[8] = "Valore non valido";
    LangTable[90] = "Dati salvati";
    // Two catalogues whose length lists differ in size and values, the inch
    // one with an optional length beyond the others.
    write_catalogue_file(dir.file("data/data.dat"), {"2000", "300-900", "400", "974\n1000\n1300", "AAAB"}, {});
    write_catalogue_file(dir.file("data/data_in.dat"), {"2000", "300-900", "400", "914.4\n1219.2\n1828.8*", "AAAB"},
                         {});
  }
  void TearDown() override { LengthConversion = {}; }
  double chosen_length() const { return LengthList[static_cast<std::size_t>(AppState.max_length_index)]; }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(PreferencesForm_, ServicePasswordIsExactAndCaseSensitive) {
  EXPECT_TRUE(service_password_matches("dormak58"));
  for (const char* wrong : {"", "DORMAK58", "dormak58 ", "dormak5"}) EXPECT_FALSE(service_password_matches(wrong));
}

TEST_F(PreferencesForm_, UnitsShowLengthsAndWallHeightInTheChosenUnit) {
  PreferencesForm form = load_preferences_form('.');
  EXPECT_EQ(max_length_items(form, ','), (std::vector<std::string>{"974,00", "1000,00", "1300,00"}));
  form.inches = true;
  EXPECT_EQ(max_length_items(form, '.')[1], "3'-6\" ");  // with the end frames' allowance
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

TEST_F(PreferencesForm_, AnInvalidHeightRefusesTheWholeFormAndWritesNothing) {
  PreferencesForm form = load_preferences_form('.');
  form.wall_height_text = "";
  form.wall_height_edited = true;
  form.black_background = true;
  form.decimals = 3;
  form.debug = true;
  form.inches = true;
  const Tvar_amb before = AppState;
  EXPECT_FALSE(apply_preferences(form));
  EXPECT_EQ(ui->messages, std::vector<std::string>{"Valore non valido"});
  EXPECT_EQ(AppState, before);
  EXPECT_EQ(LengthList, (Tdimensioni{974, 1000, 1300})) << "no catalogue of the other unit";

  EXPECT_FALSE(save_preferences(form));
  EXPECT_EQ(AppState, before);
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/preferenze.dat")));
  EXPECT_EQ(ui->messages.back(), "Valore non valido") << "not \"data saved\"";

  form.wall_height_text = "100";  // inches
  EXPECT_TRUE(apply_preferences(form));
  EXPECT_EQ(std::tuple(AppState.wall_height, AppState.decimals, AppState.black_background), std::tuple(2540, 3, true));
  EXPECT_NE(AppState.palette, before.palette);  // plan colours follow the background
}

TEST_F(PreferencesForm_, AUnitSwitchKeepsTheLargestLengthNotLongerThanTheChosenOne) {
  AppState.max_length_index = 2;  // 1300 mm
  PreferencesForm form = load_preferences_form('.');
  switch_form_unit(form, true, '.');
  EXPECT_EQ(form.lengths, (Tdimensioni{914.4, 1219.2})) << "the list the inch catalogue will load";
  EXPECT_EQ(form.max_length_index, 1);
  EXPECT_EQ(max_length_items(form, '.').size(), 2u);
  EXPECT_TRUE(apply_preferences(form));
  EXPECT_EQ(LengthList, (Tdimensioni{914.4, 1219.2}));
  EXPECT_EQ(chosen_length(), 1219.2);

  // Unchanged, the form gives back the same choice: nothing drifts to the shortest.
  EXPECT_TRUE(apply_preferences(load_preferences_form('.')));
  EXPECT_EQ(chosen_length(), 1219.2);

  // A length chosen in inches goes back by the same rule.
  form = load_preferences_form('.');
  form.max_length_index = 0;  // 914.4
  switch_form_unit(form, false, '.');
  EXPECT_TRUE(apply_preferences(form));
  EXPECT_EQ(chosen_length(), 974.0) << "none is short enough: the shortest";

  // With no length short enough, the shortest.
  form = load_preferences_form('.');
  form.max_length_index = 0;
  switch_form_unit(form, true, '.');
  switch_form_unit(form, false, '.');
  EXPECT_EQ(form.max_length_index, 0);
}

TEST_F(PreferencesForm_, AUnitRoundTripWithNothingChosenBetweenGivesBackTheChosenLength) {
  const Tdimensioni millimetres = LengthList;
  for (int chosen = 0; chosen < 3; ++chosen) {
    // Both switches in one dialog.
    AppState.max_length_index = chosen;
    PreferencesForm form = load_preferences_form('.');
    switch_form_unit(form, true, '.');
    switch_form_unit(form, false, '.');
    switch_form_unit(form, true, '.');
    switch_form_unit(form, false, '.');
    EXPECT_EQ(form.max_length_index, chosen);
    EXPECT_TRUE(apply_preferences(form));
    EXPECT_EQ(chosen_length(), millimetres[static_cast<std::size_t>(chosen)]);

    // Each switch confirmed in a dialog of its own, the inch catalogue in use between them.
    for (bool inches : {true, false}) {
      form = load_preferences_form('.');
      switch_form_unit(form, inches, '.');
      EXPECT_TRUE(apply_preferences(form));
    }
    EXPECT_EQ(LengthList, millimetres);
    EXPECT_EQ(chosen_length(), millimetres[static_cast<std::size_t>(chosen)]);
  }

  // A length chosen between the switches is the one that goes back.
  PreferencesForm form = load_preferences_form('.');  // 1300
  switch_form_unit(form, true, '.');
  form.max_length_index = 0;  // 914.4
  switch_form_unit(form, false, '.');
  EXPECT_EQ(form.max_length_index, 0) << "974: none is short enough, the shortest";

  // A choice read at start-up has no switch behind it to undo.
  form = load_preferences_form('.');
  switch_form_unit(form, true, '.');
  EXPECT_TRUE(apply_preferences(form));
  clamp_max_length_index();
  EXPECT_EQ(LengthConversion, Tlength_conversion{});
  form = load_preferences_form('.');
  switch_form_unit(form, false, '.');
  EXPECT_EQ(form.max_length_index, 1) << "1000, the largest not longer than 1219.2";

  // The optional sizes switched on and off again give back the length they took away.
  AppState.optional_sizes = 0;
  form = load_preferences_form('.');  // inches
  switch_form_optional_sizes(form, true);
  form.max_length_index = 2;  // 1828.8, optional
  switch_form_optional_sizes(form, false);
  EXPECT_EQ(form.max_length_index, 1);
  switch_form_optional_sizes(form, true);
  EXPECT_EQ(form.max_length_index, 2);
}

TEST_F(PreferencesForm_, OptionalSizesAndAReloadedCatalogueKeepTheChosenLength) {
  AppState.inches = true;
  AppState.unit_factor = 25.4;
  load_data_file(0);
  AppState.max_length_index = 1;  // 1219.2
  PreferencesForm form = load_preferences_form('.');
  switch_form_optional_sizes(form, true);
  EXPECT_EQ(form.lengths, (Tdimensioni{914.4, 1219.2, 1828.8}));
  form.max_length_index = 2;
  EXPECT_TRUE(apply_preferences(form));
  EXPECT_EQ(chosen_length(), 1828.8);

  form = load_preferences_form('.');
  form.optional_sizes = false;  // as the service switch leaves it, list not refilled
  EXPECT_TRUE(apply_preferences(form));
  EXPECT_EQ(LengthList.size(), 2u);
  EXPECT_EQ(chosen_length(), 1219.2);

  // The catalogue file changed under the running program: confirming the dialog reloads it.
  write_scrambled_file(dir.file("data/lang.dat"),
                       language_file_text({{"IT", std::vector<std::string>(410, "x")}}, false));
  write_catalogue_file(dir.file("data/data_in.dat"), {"2000", "300-900", "400", "762\n1066.8", "AAAB"}, {});
  reload_catalogue_and_language();
  EXPECT_EQ(chosen_length(), 1066.8);
  EXPECT_EQ(LangTable[193], "x");
}

// A language the translation file leaves without a text the program shows is
// refused by the file's name when the dialog is confirmed, as at the start:
// the language and the texts in use stay.
TEST_F(PreferencesForm_, ALanguageMissingATextIsRefusedByTheFileNameAndTheTextsStay) {
  std::vector<std::string> torn(410, "x");
  torn.resize(100);  // the first quarter of the file
  write_scrambled_file(dir.file("data/lang.dat"),
                       language_file_text({{"IT", std::vector<std::string>(410, "x")}, {"DE", torn}}, false));
  const std::vector<std::string> before = LangTable;
  PreferencesForm form = load_preferences_form('.');
  form.language = 3;
  form.decimals = 3;
  auto expect_refused = [&](const std::function<void()>& confirm) {
    try {
      confirm();
      ADD_FAILURE() << "the torn translation file was taken";
    } catch (const FileError& error) {
      EXPECT_NE(std::string(error.what()).find(dir.file("data/lang.dat")), std::string::npos) << error.what();
    }
  };
  expect_refused([&] { apply_preferences(form); });
  EXPECT_EQ(AppState.language, 0);
  EXPECT_EQ(AppState.decimals, 2);
  expect_refused([&] { save_preferences(form); });
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/preferenze.dat")));
  form.language = 0;
  EXPECT_TRUE(apply_preferences(form));  // the language it has is no change

  AppState.language = 3;  // the file changed under the running program
  expect_refused([] { reload_catalogue_and_language(); });
  EXPECT_EQ(LangTable, before);
}

TEST_F(PreferencesForm_, AnOutOfRangeChoiceNeverReachesTheStateOrTheFile) {
  PreferencesForm form = load_preferences_form('.');
  for (int selection : {-1, 3, 99}) {
    form.max_length_index = selection;
    EXPECT_TRUE(apply_preferences(form));
    EXPECT_GE(AppState.max_length_index, 0);
    EXPECT_LT(AppState.max_length_index, 3) << selection;
  }
  // A preferences file may hold any index (one written by an older version, or
  // for another list); the start-up brings it into the list in use.
  for (auto [stored, expected] : {std::pair(10, 2), std::pair(-1, 0), std::pair(1, 1)}) {
    AppState.max_length_index = stored;
    clamp_max_length_index();
    EXPECT_EQ(AppState.max_length_index, expected) << stored;
  }
}

TEST_F(PreferencesForm_, AChoiceSavedInInchesIsTheSameAfterARestart) {
  AppState.max_length_index = 2;
  PreferencesForm form = load_preferences_form('.');
  switch_form_unit(form, true, '.');
  ASSERT_TRUE(save_preferences(form));
  reset_open_project();  // the program ends
  LengthList.clear();
  // The restart takes the stored language only from a file that serves it.
  write_scrambled_file(dir.file("data/lang.dat"),
                       language_file_text({{"IT", std::vector<std::string>(410, "x")}}, false));
  ASSERT_TRUE(read_preferences());
  load_data_file(AppState.optional_sizes);
  clamp_max_length_index();
  EXPECT_TRUE(AppState.inches);
  EXPECT_EQ(chosen_length(), 1219.2);
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
  write_scrambled_file(dir.file("data/lang.dat"),
                       language_file_text({{"DE", std::vector<std::string>(410, "x")}}, false));
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
