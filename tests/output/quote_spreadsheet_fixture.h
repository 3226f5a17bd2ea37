// Shared set-up of the spreadsheet quote tests: the staged template in a
// temporary program folder, two cells with their quote lines and a code table.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>

#include "model/state/globals.h"
#include "output/spreadsheet/formula_values.h"
#include "output/spreadsheet/quote_export.h"
#include "support/program_dir.h"

inline Tcodice code_row(const std::string& tipo, const std::string& alt_code, double price) {
  Tcodice code;
  code.tipo = tipo;
  code.lar = "500";
  code.lung = "1000";
  code.alt = "2000";
  code.alt_code = alt_code;
  code.description_number = 300;
  code.price = price;
  return code;
}

class QuoteSpreadsheet : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::copy_file(std::string(std::getenv("RACKWRIGHT_STAGE_DIR")) + "/data/quote_template.txt",
                               program_dir_.file("data/quote_template.txt"));
    saved_cells_ = Cells;
    Cells.assign(2, Tcell{});
    Cells[0].name = "Magazzino";
    Cells[1].name = "Archivio";
    StructureTypes = {Tstructure_type{300, 301, 302, 303, "", 0}};
    LangTable.clear();
    for (int i = 0; i < 400; ++i) LangTable.push_back("t" + std::to_string(i));
    CodesTable = {code_row("TE", "0123", 12.5), code_row("R", "=X", 7.25), code_row("OV", "OV1", 3.1)};
    Trec_prv skipped{-1, 4, 0, "TE"};
    QuoteDetails = {{skipped, {0, 3, 0, "TE"}, {1, 2, 0, "RG"}, skipped, {2, 0, 2.5, "OV"}}, {{1, 1, 0, "R"}}};
    QuoteHeader = Tprv{};
    Company = Tazienda{};
  }
  void TearDown() override {
    Cells = saved_cells_;
    QuoteDetails.clear();
    CodesTable.clear();
    LangTable.clear();
    StructureTypes.clear();
    QuoteHeader = Tprv{};
    Company = Tazienda{};
  }
  const Worksheet& fill() {
    sheet_.open_template(program_path("data/quote_template.txt"));
    write_quote_sheet(sheet_);
    return sheet_.quote_sheet();
  }
  static CellValue value(const Worksheet& sheet, const std::string& name) {
    int column = name[0] - 'A' + 1;
    const SheetCell* cell = sheet.cell(column, std::stoi(name.substr(1)));
    return cell ? cell->value : CellValue{};
  }
  static CellValue F(const std::string& text) { return Formula{text}; }
  // What a named cell holds: a text, a number, a formula or nothing.
  static std::pair<std::string, CellValue> at(std::string name, CellValue held) { return {std::move(name), held}; }
  template <class... Held>
  static void expect_values(const Worksheet& sheet, const Held&... wanted) {
    for (const auto& [name, held] : {wanted...}) EXPECT_EQ(value(sheet, name), held) << name;
  }

  TempProgramDir program_dir_;
  Tcells saved_cells_;
  SpreadsheetApp sheet_;
};
