// The spreadsheet quote: the rows and formulas the export writes per cell, the
// template it starts from, the results it caches, and the file read back by
// openpyxl, a reader no one here wrote.
#include <gtest/gtest.h>

#include <QLocale>
#include <charconv>
#include <clocale>
#include <filesystem>
#include <map>
#include <sstream>

#include "external_tool.h"
#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "output/print/page_context.h"
#include "output/print/page_numbers.h"
#include "output/print/render_driver.h"
#include "output/spreadsheet/formula_values.h"
#include "output/spreadsheet/quote_export.h"
#include "output/spreadsheet/workbook_template.h"
#include "quote_spreadsheet_fixture.h"
#include "support/plain_number.h"
#include "support/program_dir.h"
#include "support/project_refusals.h"
#include "support/scripted_ui.h"

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// A number as the file holds it: the writer keeps 16 significant digits.
double as_stored(double value) {
  char text[32];
  const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::general, 16);
  return plain_number(std::string_view(text, written.ptr));
}

TEST_F(QuoteSpreadsheet, EachCellHasItsHeadingItemsSubtotalDiscountAndTotal) {
  // Three priced lines among skipped ones take rows 6 to 8 (RG ends with no
  // size, OV counts its length), row 9 stays empty; the next cell starts
  // three rows after the total, with its own rows.
  const Worksheet& sheet = fill();
  expect_values(sheet, at("A1", "Magazzino : t301"), at("A3", "t218"), at("F3", "t228"), at("E4", "t227"),
                at("B6", "n."), at("C6", 3.0), at("D6", "t300 500 x 2000"), at("F6", F("C6*E6")), at("D7", "t300 "),
                at("B8", "m"), at("C8", 2.5), at("F8", F("C8*E8")), at("A9", CellValue()), at("D10", "t223"),
                at("F10", F("SUM(F6:F9)")), at("D11", "t224"), at("E11", 0.0), at("F11", F("F10*E11")),
                at("D13", "t225"), at("F13", F("F10-F11")), at("A16", "Archivio : t301"), at("F21", F("C21*E21")),
                at("F23", F("SUM(F21:F22)")));
  EXPECT_TRUE(sheet.cell(6, 10)->style.bold) << "the subtotal row took its template row";
  EXPECT_EQ(sheet.cell(5, 11)->style.number_format, "0.00%");
}

TEST_F(QuoteSpreadsheet, InchSizesInDescriptionsShowTheLanguagesDecimalMark) {
  CodesTable[0].lar = "304.8";
  CodesTable[0].alt = "1828,8";
  const QLocale previous;
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const Worksheet& sheet = fill();
  QLocale::setDefault(previous);
  expect_values(sheet, at("D6", "t300 304,8 x 1828,8"));
}

TEST_F(QuoteSpreadsheet, TextsThatLookLikeFormulasOrNumbersStayTexts) {
  LangTable[300] = "=SUM(A1:A2)";
  expect_values(fill(), at("A6", "0123"), at("A7", "=X"), at("D7", "=SUM(A1:A2) "));
}

TEST_F(QuoteSpreadsheet, TheAustralianLayoutHasThreeTaxRows) {
  Company.currency = "A$";
  QuoteHeader.discount1 = 10;
  QuoteHeader.discount2 = 50;
  expect_values(fill(), at("E11", 0.55), at("D13", "Project Subtotal (Ex-GST)"), at("F13", F("F10-F11")),
                at("D14", "Project GST"), at("F14", F("F13*0.1")), at("D15", "Project Total"), at("F15", F("F14+F13")),
                at("E15", "A$"), at("A18", "Archivio : t301"));
}

TEST_F(QuoteSpreadsheet, CachedResultsAreWhatTheFormulasGive) {
  Company.currency = "A$";
  QuoteHeader.discount1 = 10;
  auto results = formula_results(fill());
  double items = 3 * 12.5 + 2 * 7.25 + 2.5 * 3.1;
  EXPECT_EQ(results.at({6, 6}), 37.5);
  EXPECT_EQ(results.at({10, 6}), items);
  double discount = items * (1 - 0.9);
  EXPECT_EQ(results.at({11, 6}), discount);
  EXPECT_EQ(results.at({13, 6}), items - discount);
  EXPECT_EQ(results.at({15, 6}), (items - discount) * 0.1 + (items - discount));

  Worksheet bad;
  bad.rows[1].cells[1].value = Formula{"A1+1"};
  EXPECT_THROW(formula_results(bad), std::invalid_argument) << "a formula on itself";
  bad.rows[1].cells[1].value = Formula{"AVERAGE(B1:B2)"};
  EXPECT_THROW(formula_results(bad), std::invalid_argument);
}

// The printed quote and the spreadsheet price a project alike: the totals the
// print window shows are the sheet's formula results, to the cent, under four
// cascaded discounts, with goods and services tax and without.
TEST_F(QuoteSpreadsheet, ThePrintedTotalsAreTheSheetsFormulaResults) {
  Cells.resize(1);
  QuoteDetails.resize(1);
  QuoteHeader.discount1 = 12.5;
  QuoteHeader.discount2 = 7.25;
  QuoteHeader.discount3 = 3.125;
  QuoteHeader.discount4 = 1.5;
  for (const char* currency : {"EUR", "A$"}) {
    Company.currency = currency;
    PageContext page;
    page.options.drawings_part = false;
    build_preview(page);
    const auto results = formula_results(fill());
    const auto sheet = [&](int row) { return money_text(results.at({row, 6})); };
    // Subtotal, discount and net, then the tax and the total with it.
    std::vector<std::string> printed = {page.summary[1], page.summary[3], page.summary[5]};
    std::vector<std::string> sheet_totals = {sheet(10), "-" + sheet(11), sheet(13)};
    if (Company.currency == "A$") {
      printed.insert(printed.end(), {page.summary[7], page.summary[9]});
      sheet_totals.insert(sheet_totals.end(), {sheet(14), sheet(15)});
    }
    EXPECT_EQ(printed, sheet_totals) << currency;
    EXPECT_EQ(printed.size(), Company.currency == "A$" ? 5u : 3u);
  }
}

TEST_F(QuoteSpreadsheet, TheTemplateNeedsEveryRowAndReadableLines) {
  sheet_.open_template(program_path("data/quote_template.txt"));
  for (int row : {1, 2, 3, 4, 5, 6, 8, 9, 11}) EXPECT_NO_THROW(sheet_.copy_row(row, 1)) << row;
  EXPECT_THROW(sheet_.copy_row(7, 1), std::out_of_range);
  EXPECT_THROW(parse_workbook_template("row\t1\tA:F\tbold italic\n", "t"), FileError);
  EXPECT_THROW(parse_workbook_template("width\tA\tseven\n", "t"), FileError);
  EXPECT_THROW(parse_workbook_template("row\t3\tF:A\tbold\n", "t"), FileError);
}

TEST_F(QuoteSpreadsheet, AMissingTemplateWritesNothingAndAnEarlierExportIsKept) {
  ScopedScriptedUi ui;
  std::filesystem::remove(program_dir_.file("data/quote_template.txt"));
  EXPECT_THROW(export_quote_excel(), FileError);
  EXPECT_TRUE(std::filesystem::is_empty(program_dir_.file("user")));
  EXPECT_TRUE(ui->opened_with_desktop.empty());

  program_dir_.write("user/preventivo.xlsx", "edited by the user");
  program_dir_.write("user/preventivo_1.xlsx", "edited too");
  EXPECT_EQ(spreadsheet_export_path(), program_path("user/preventivo_2.xlsx"));
}

// The file as openpyxl reads it: formulas and types, then the cached values.
TEST_F(QuoteSpreadsheet, OpenpyxlReadsFormulasCachedValuesStylesAndWidths) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kPython);
  if (run_tool(kPython, {"-c", "import openpyxl"}).exit_code != 0) {
    if (std::getenv("CI")) FAIL() << "CI needs python3-openpyxl";
    GTEST_SKIP() << "python3-openpyxl is not installed";
  }
  ScopedScriptedUi ui;
  QuoteHeader.discount1 = 10;
  // Numbers in the file must not follow a comma locale.
  std::string previous = std::setlocale(LC_NUMERIC, nullptr);
  std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  export_quote_excel();
  std::setlocale(LC_NUMERIC, previous.c_str());
  std::string path = program_path("user/preventivo.xlsx");
  ASSERT_EQ(ui->opened_with_desktop, std::vector<std::string>{path});

  const char* script = R"(
import sys, openpyxl
f = openpyxl.load_workbook(sys.argv[1]).active
v = openpyxl.load_workbook(sys.argv[1], data_only=True).active
for c in ("A6", "C6", "D7", "F6", "F10", "F11", "F13", "E11"):
    print(c, f[c].data_type, repr(f[c].value), repr(v[c].value), sep="\t")
print("format", f["E11"].number_format, f["F6"].number_format, f["A3"].font.b, sep="\t")
print("width", round(f.column_dimensions["D"].width), f.page_setup.paperSize, sep="\t")
)";
  ToolResult result = run_tool(kPython, {"-c", script, path});
  ASSERT_EQ(result.exit_code, 0) << result.output;
  std::map<std::string, std::vector<std::string>> read;
  std::istringstream lines(result.output);
  for (std::string line; std::getline(lines, line);) {
    std::vector<std::string> fields;
    std::istringstream split(line);
    for (std::string field; std::getline(split, field, '\t');) fields.push_back(field);
    read[fields.at(0)] = std::vector<std::string>(fields.begin() + 1, fields.end());
  }
  using Fields = std::vector<std::string>;
  EXPECT_EQ(read["A6"], (Fields{"s", "'0123'", "'0123'"}));
  EXPECT_EQ(read["C6"], (Fields{"n", "3", "3"}));
  EXPECT_EQ(read["D7"], (Fields{"s", "'t300 '", "'t300 '"}));
  EXPECT_EQ(read["format"], (Fields{"0.00%", "#,##0.00", "True"}));
  EXPECT_EQ(read["width"], (Fields{"53", "9"}));
  double items = 3 * 12.5 + 2 * 7.25 + 2.5 * 3.1;
  double discount = items * (1 - 0.9);
  std::map<std::string, std::pair<std::string, double>> formulas = {{"F6", {"'=C6*E6'", 37.5}},
                                                                    {"F10", {"'=SUM(F6:F9)'", items}},
                                                                    {"F11", {"'=F10*E11'", discount}},
                                                                    {"F13", {"'=F10-F11'", items - discount}}};
  for (const auto& [name, wanted] : formulas) {
    ASSERT_EQ(read[name].size(), 3u) << name;
    EXPECT_EQ(read[name][0], "f") << name;
    EXPECT_EQ(read[name][1], wanted.first);
    EXPECT_EQ(plain_number(read[name][2]), as_stored(wanted.second)) << name << " holds its cached result";
  }
  EXPECT_EQ(plain_number(read["E11"].at(2)), as_stored(1 - 0.9));
}

}  // namespace

// A spreadsheet the program wrote beside the projects is no project to the
// load and the project index alike.
TEST_F(QuoteSpreadsheet, AnExportedSpreadsheetIsNoProject) {
  ScopedScriptedUi ui;
  for (const char* currency : {"EUR", "A$"}) {
    Company.currency = currency;
    export_quote_excel();
    const std::string path = program_path("user/preventivo.xlsx");
    for (const std::string& refusal : project_refusals(path))
      EXPECT_TRUE(says_no_project(refusal, path)) << currency << ": " << refusal;
    std::filesystem::remove(path);
  }
}

TEST_F(QuoteSpreadsheet, ADamagedTemplateIsNamedAndNothingIsWritten) {
  ScopedScriptedUi ui;
  const std::string path = program_dir_.file("data/quote_template.txt");
  std::string text = program_dir_.read("data/quote_template.txt");
  program_dir_.write("data/quote_template.txt", text.substr(0, text.find("row\t")));  // cut before its rows
  try {
    export_quote_excel();
    ADD_FAILURE() << "a template without rows cannot make a quote";
  } catch (const std::exception& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find("row 1"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(std::filesystem::is_empty(program_dir_.file("user")));
  EXPECT_TRUE(ui->opened_with_desktop.empty());
}
