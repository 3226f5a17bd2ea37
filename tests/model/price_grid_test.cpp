#include "model/quote/price_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "model/base/file_io.h"
#include "model/files/codes_table.h"
#include "model/quote/price_table_form.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

Tcodice article(std::string tipo, std::string lar, std::string lung, std::string alt, std::string code, double price) {
  Tcodice row;
  row.tipo = std::move(tipo);
  row.lar = std::move(lar);
  row.lung = std::move(lung);
  row.alt = std::move(alt);
  row.options = {"SI"};
  row.code = std::move(code);
  row.alt_code = row.code + "-P";
  row.description_number = 400;
  row.price = price;
  return row;
}

class PriceGrid : public ::testing::Test {
 protected:
  void SetUp() override {
    LangTable.assign(410, "");
    LangTable[400] = "Item";
    LangTable[8] = "t8";
    StructureTypes.assign(1, Tstructure_type{});
    HeightList = {2000, 2500};
    WidthList = {300, 914.4};
    LengthList = {1000};
    CodesTable = {article("TE", "300", "-", "2000", "TE1", 10),   // 0 shown
                  article("R", "300", "1200", "-", "R12", 20),    // 1 optional length not loaded
                  article("ZZ", "-", "-", "-", "ANY", 0.5),       // 2 shown always
                  article("R", "914,4", "1000", "-", "R9", 30),   // 3 shown, comma key
                  article("G", "300", "-", "-", "G3", 40),        // 4
                  article("KG", "-", "1000", "-", "K1", 50),      // 5
                  article("TI", "300", "-", "2500", "TE1", 60)};  // 6 same CODICE as row 0
    write_codes_table();
  }
  std::string file() { return dir.read("user/codici.dat"); }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

std::vector<std::string> codes(const std::vector<PriceGridRow>& rows) {
  std::vector<std::string> all;
  for (const auto& row : rows) all.push_back(row.code);
  return all;
}

}  // namespace

TEST_F(PriceGrid, ShowsTheArticlesOfTheLoadedSizes) {
  auto rows = price_grid_rows(',');
  EXPECT_EQ(codes(rows), (std::vector<std::string>{"TE1", "ANY", "R9", "G3", "K1", "TE1"}));
  EXPECT_EQ(std::pair(rows[1].price, rows[1].table_row), (std::pair<std::string, std::size_t>("0,5", 2)));
  EXPECT_EQ(price_grid_rows('.')[1].price, "0.5");
  CodesTable.clear();
  EXPECT_TRUE(price_grid_rows(',').empty()) << "no article, no row";
}

TEST_F(PriceGrid, DescribesEachTypeWithItsSizes) {
  std::vector<std::string> descriptions;
  for (const PriceGridRow& row : price_grid_rows(',')) descriptions.push_back(row.description);
  EXPECT_EQ(descriptions, (std::vector<std::string>{"Item 300 x 2000", "Item ", "Item 914,4 x 1000", "Item 300",
                                                    "Item 1000", "Item 300 x 2500"}));
}

TEST_F(PriceGrid, SizesShowTheLanguagesDecimalMarkWhateverTheStoredKeyHolds) {
  CodesTable = {article("TE", "914.4", "-", "2000", "TE9", 10), article("R", "914,4", "1000", "-", "R9", 30)};
  ASSERT_EQ(price_grid_rows(',').size(), 2u);
  EXPECT_EQ(price_grid_rows(',')[0].description, "Item 914,4 x 2000");
  EXPECT_EQ(price_grid_rows('.')[1].description, "Item 914.4 x 1000");
  EXPECT_EQ(CodesTable[0].lar, "914.4") << "the key stays as stored";
}

TEST_F(PriceGrid, AnEditedRowReachesEveryRowOfItsCodeAndTheHiddenOnesStay) {
  auto shown = price_grid_rows(',');
  auto edited = shown;
  edited[0].alt_code = "NEW";
  edited[0].price = "12,5";
  EXPECT_EQ(store_price_grid(shown, edited, ','), -1);
  // The unchanged second row of TE1 does not undo the edit; rows 1 and 3 are not TE1.
  for (std::size_t row : {0, 6})
    EXPECT_EQ(std::pair(CodesTable[row].alt_code, CodesTable[row].price),
              (std::pair<std::string, double>("NEW", 12.5)));
  EXPECT_EQ(std::pair(CodesTable[1].price, CodesTable[3].price), std::pair(20.0, 30.0));
  Tdb_codici live = CodesTable;
  read_codes_table();
  EXPECT_EQ(CodesTable, live);
}

// A printed code copied from a spreadsheet may bring a tab along: the table
// file cuts its columns at tabs, so the next start would call its rows damage.
TEST_F(PriceGrid, APastedTabInAPrintedCodeIsStoredAsABlank) {
  auto shown = price_grid_rows(',');
  auto edited = shown;
  edited[0].alt_code = "TE\t300";
  EXPECT_EQ(store_price_grid(shown, edited, ','), -1);
  EXPECT_EQ(CodesTable[6].alt_code, "TE 300");
  Tdb_codici live = CodesTable;
  read_codes_table();
  EXPECT_TRUE(ui->messages.empty()) << ui->messages.front();
  EXPECT_EQ(CodesTable, live);
}

TEST_F(PriceGrid, AnInvalidPriceStoresAndWritesNothing) {
  const std::string before = file();
  auto shown = price_grid_rows(',');
  auto edited = shown;
  edited[0].price = "99";
  edited[3].price = "12.5";  // the other separator
  const Tdb_codici table = CodesTable;
  EXPECT_EQ(store_price_grid(shown, edited, ','), 3);
  EXPECT_EQ(ui->messages, std::vector<std::string>{"t8"});
  EXPECT_EQ(CodesTable, table);
  EXPECT_EQ(file(), before);
}

// A price no price list holds is refused like any invalid value, saying why;
// every real one is stored, a kit priced in koruna at 1,234,567.89 too.
TEST_F(PriceGrid, APriceBeyondTheLargestIsRefused) {
  const std::string before = file();
  const Tdb_codici table = CodesTable;
  auto shown = price_grid_rows(',');
  for (const char* price : {"1e308", "1000000000", "-1000000000", "999999999,995"}) {
    auto edited = shown;
    edited[2].price = price;
    EXPECT_EQ(store_price_grid(shown, edited, ','), 2) << price;
    EXPECT_EQ(CodesTable, table) << price;
  }
  EXPECT_EQ(ui->messages.back(),
            "t8\r\nThe price \"999999999,995\" is beyond the largest a price list holds, "
            "999999999,99 either way; up to it every total of a quote keeps its cents.");
  EXPECT_EQ(file(), before);
  auto edited = shown;
  edited[1].price = "1234567,89";
  edited[2].price = "999999999,99";
  edited[3].price = "-999999999,99";
  EXPECT_EQ(store_price_grid(shown, edited, ','), -1);
  EXPECT_EQ((std::array{CodesTable[2].price, CodesTable[3].price, CodesTable[4].price}),
            (std::array{1234567.89, kLargestPrice, -kLargestPrice}));
}

TEST_F(PriceGrid, AFailedWriteKeepsTheTable) {
  auto shown = price_grid_rows(',');
  auto edited = shown;
  edited[1].price = "1";
  const Tdb_codici table = CodesTable;
  std::filesystem::remove_all(dir.path() / "user");
  EXPECT_THROW(store_price_grid(shown, edited, ','), FileError);
  EXPECT_EQ(CodesTable, table);
}

TEST_F(PriceGrid, TheWindowsFormLoadsTheArticlesAndStoresOnlyWhatWasEdited) {
  PriceTableForm form = load_price_table_form(',');
  EXPECT_EQ(form.rows, form.shown);
  EXPECT_EQ(codes(form.rows), codes(price_grid_rows(',')));
  const std::string before = file();
  EXPECT_EQ(apply_price_table_form(form, ','), -1);
  EXPECT_EQ(file(), before) << "nothing edited, nothing changed";

  // The grid row showing a row of the table.
  auto row_of = [&form](std::size_t table_row) -> PriceGridRow& {
    return *std::ranges::find(form.rows, table_row, &PriceGridRow::table_row);
  };
  row_of(3).price = "31,5";
  row_of(0).alt_code = "NEW";
  row_of(2).price = "x";
  EXPECT_EQ(apply_price_table_form(form, ','), 1);
  EXPECT_EQ(CodesTable[0].alt_code, "TE1-P") << "a bad price stores no row";
  row_of(2).price = "0,5";
  EXPECT_EQ(apply_price_table_form(form, ','), -1);
  EXPECT_EQ(std::pair(CodesTable[3].price, CodesTable[6].alt_code), std::pair(31.5, std::string("NEW")));
}
