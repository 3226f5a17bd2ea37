// The catalogue editor's form: files that cannot be read are never saved over.
#include "model/catalogue/catalogue_editor_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "model/text/translations.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace {

class CatalogueEditorForm_ : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgramDir = dir.path().string();
    AppState.inches = false;
    write_scrambled_file(dir.write("data/data.dat", ""), "1\r\n1700\r\n0\r\n1\r\n475\r\n0\r\n0\r\n0\r\n");
    AppState.language = 0;
    write_scrambled_file(dir.write("data/lang.dat", ""),
                         language_file_text({{"IT", std::vector<std::string>(410, "x")}}, false));
  }

  TempDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(CatalogueEditorForm_, AMissingFileIsReportedAndTheUnloadedFormClosesWithoutAsking) {
  const CatalogueEditorForm form = load_catalogue_editor_form();  // no code table yet
  EXPECT_FALSE(form.loaded);
  EXPECT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(close_catalogue_editor_form(form, -1));
  EXPECT_TRUE(ui->questions.empty());
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/codici.dat")));
}

TEST_F(CatalogueEditorForm_, ALoadedFormAsksBeforeClosingAndSavesOnYes) {
  write_scrambled_file(dir.write("user/codici.dat", ""), "TIPO;LAR\r\nTE;475\r\n");
  CatalogueEditorForm form = load_catalogue_editor_form();
  ASSERT_TRUE(form.loaded);
  EXPECT_EQ(form.texts.codes_table, "TIPO;LAR\nTE;475");
  EXPECT_TRUE(close_catalogue_editor_form(form, -1));  // answered No
  EXPECT_EQ(ui->questions.size(), 1u);
  form.texts.codes_table += "\nTE;300";
  ui->yes_no_answers = {true};
  EXPECT_TRUE(close_catalogue_editor_form(form, -1));
  EXPECT_EQ(read_scrambled_file(dir.file("user/codici.dat")), "TIPO;LAR\r\nTE;475\r\nTE;300\r\n");
  EXPECT_EQ(ui->messages, std::vector<std::string>{"Dati salvati in " + dir.file("data/data.dat")});
}
