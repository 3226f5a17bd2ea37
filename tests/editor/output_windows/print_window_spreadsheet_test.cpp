// The print window's spreadsheet button, with the set-up of the spreadsheet quote tests.
#include <QPushButton>
#include <filesystem>

#include "editor/output_windows/print_window.h"
#include "output/quote_spreadsheet_fixture.h"
#include "output/spreadsheet/quote_export.h"
#include "support/scripted_ui.h"

namespace {

TEST_F(QuoteSpreadsheet, ThePrintWindowsExcelButtonWritesTheFileAndOpensIt) {
  ScopedScriptedUi ui;
  TFstampa window;
  window.export_spreadsheet = export_quote_excel;
  window.BitBtn6->click();
  EXPECT_EQ(ui->opened_with_desktop, std::vector<std::string>{program_path("user/preventivo.xlsx")});
  std::filesystem::remove(program_dir_.file("data/quote_template.txt"));
  window.BitBtn6->click();
  ASSERT_EQ(ui->messages.size(), 1u) << "the window shows what went wrong";
  EXPECT_NE(ui->messages[0].find("quote_template.txt"), std::string::npos) << ui->messages[0];
  EXPECT_FALSE(std::filesystem::exists(program_path("user/preventivo_1.xlsx")));
}

}  // namespace
