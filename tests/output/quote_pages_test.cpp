#include "output/print/quote_pages.h"

#include <QFontMetrics>
#include <array>
#include <tuple>

#include "model/base/text_io.h"
#include "model/files/codes_table.h"
#include "model/quote/priced_quote.h"
#include "output/print/page_canvas.h"
#include "output/print/page_numbers.h"
#include "output/user_numbers.h"
#include "print_fixture.h"

namespace {

Tcodice code_row(const std::string& code, double price, int description = 200) {
  Tcodice row;
  row.alt_code = code;
  row.price = price;
  row.description_number = description;
  row.lar = "475";
  row.lung = "1000";
  row.alt = "2000";
  return row;
}

// True when a text was drawn whole: as wide as its font makes it, not cut.
bool drawn_whole(const RecordedText& drawn) {
  const QFont& font = page_qfont(PageFont{drawn.font_height, drawn.bold});
  return drawn.width == QFontMetrics(font).horizontalAdvance(QString::fromStdString(drawn.text));
}

Trec_prv line(int row, int quantity, const std::string& kind = "R", double length_sum = 0) {
  return Trec_prv{row, quantity, length_sum, kind};
}

class QuotePages : public PrintTest {
 protected:
  void SetUp() override {
    PrintTest::SetUp();
    page.options.drawings_part = false;
  }
  // Cells of these names, each with the lines given.
  void cells(const std::vector<std::pair<std::string, Tdett_prv>>& contents) {
    for (const auto& [name, lines] : contents) {
      Cells.emplace_back();
      Cells.back().name = name;
      QuoteDetails.push_back(lines);
    }
  }
  // Texts in the amount column (right end at 207 mm), top to bottom.
  std::vector<std::string> amounts(int on_page) {
    std::vector<std::string> found;
    for (const RecordedText& t : canvas().texts)
      if (t.page == on_page && t.right() == 2070 && t.top > 800) found.push_back(t.text);
    return found;
  }
};

TEST_F(QuotePages, ThirtyOneRowsFillAPageAndTheThirtySecondBreaks) {
  CodesTable = {code_row("A1", 1)};
  cells({{"Only", Tdett_prv(32, line(0, 1))}});
  ASSERT_EQ(render(), 2);
  std::vector<int> rows_per_page(2);
  for (const RecordedText& t : canvas().texts)
    if (t.text == "A1") rows_per_page[static_cast<std::size_t>(t.page)]++;
  EXPECT_EQ(rows_per_page, (std::vector<int>{31, 1}));
  RecordedText continued = text("t170");
  EXPECT_EQ(continued.page, 0);
  EXPECT_EQ(continued.top, 2640);
  EXPECT_EQ(continued.right(), 1840) << "right-aligned at column c4";
  EXPECT_EQ(canvas().find("A1").back().top, 815) << "first row of the next page";
}

TEST_F(QuotePages, NoBreakFollowsTheLastLineOfACell) {
  CodesTable = {code_row("A1", 1)};
  cells({{"One", Tdett_prv(31, line(0, 1))}, {"Two", Tdett_prv(1, line(0, 1))}});
  render();
  RecordedText block = text("One");  // row A of the first cell's block
  EXPECT_EQ(block.page, 0);
  EXPECT_EQ(block.top, 2520) << "below the limit, on the same page";
  EXPECT_EQ(text("t170").page, 0) << "the break comes after row A";
}

TEST_F(QuotePages, OneCellWithoutMultiplierHasNoCellBlock) {
  CodesTable = {code_row("A1", 10), code_row("B2", 2.5)};
  cells({{"Shop", {line(0, 3), line(-1, 9), line(1, 2)}}});
  ASSERT_EQ(render(), 1);
  EXPECT_FALSE(canvas().has("Shop"));
  EXPECT_EQ(canvas().find("t156").size(), 0u);
  EXPECT_EQ(amounts(0), (std::vector<std::string>{"30.00", "5.00", "35.00", "35.00"}));
  EXPECT_EQ(canvas().find("t200").size(), 2u) << "the line without a code row leaves no trace";
  EXPECT_EQ(std::pair(page.summary[0], page.summary[1]), (std::pair<std::string, std::string>("t155 ", "35.00")));
}

TEST_F(QuotePages, MultiplierTriplesTheTotalAndShowsRowsAToD) {
  CodesTable = {code_row("A1", 100)};
  cells({{"Bay (x3)", {line(0, 2)}}});
  render();
  EXPECT_EQ(text("Bay (x3)").right(), 1290) << "row A right-aligned at column c1";
  EXPECT_EQ(text("t156 ( x1 )").right(), 1840);
  EXPECT_EQ(text("t156 ( x3 )").right(), 1840);
  EXPECT_EQ(amounts(0), (std::vector<std::string>{"200.00", "200.00", "200.00", "600.00", "600.00", "600.00"}));
  EXPECT_EQ(page.summary[1], "600.00");
}

TEST_F(QuotePages, ALongCellNameStaysLeftOfItsRowsLabel) {
  const std::string long_name = "Magazzino ricambi del reparto assistenza tecnica - piano terra, lato nord";
  const std::string longest = cut_short_string(std::string(300, 'M'));
  CodesTable = {code_row("A1", 10)};
  cells({{long_name, {line(0, 1)}}, {longest, {line(0, 1)}}, {"Two", {line(0, 1)}}});
  render();
  // From the code column's text to 2 mm before the size column's line.
  for (const std::string& name : {long_name, longest}) {
    RecordedText drawn = text(name);
    EXPECT_GE(drawn.left, 30) << name;
    EXPECT_LE(drawn.right(), 1290) << name;
    EXPECT_GE(drawn.font_height, 20) << "no smaller than half the 4 mm font";
  }
  EXPECT_EQ(std::pair(text(longest).left, text(longest).right()), std::pair(30, 1290)) << "cut at the box";
  EXPECT_EQ(std::pair(text("Two").right(), text("Two").font_height), std::pair(1290, 40)) << "a name that fits";
}

// Every real price prints whole, 1 mm clear of its column's lines: a kit
// priced in koruna at 1,234,567.89 and the largest a price list holds either
// way. So do the amounts and totals of a large project, to the cent.
TEST_F(QuotePages, TheLargestPriceAndLargeTotalsPrintWithinTheirColumns) {
  CodesTable = {code_row("A1", 1234567.89), code_row("B2", -kLargestPrice), code_row("C3", kLargestPrice),
                code_row("D4", 1)};
  cells({{"Hall (x9)", {line(0, 5000), line(1, 2), line(2, 1000), line(3, 12)}}});
  QuoteHeader.discount1 = 10;
  for (const std::string currency : {"EUR", "A$"}) {
    Company.currency = currency;
    render();
    for (const char* price : {"1,234,567.89", "-999,999,999.99", "999,999,999.99"}) {
      EXPECT_GE(text(price).left, 1670) << price << ": 1 mm right of the line at 166 mm";
      EXPECT_EQ(text(price).right(), 1840);
      EXPECT_TRUE(drawn_whole(text(price))) << price;
    }
    EXPECT_EQ(std::tuple(page.summary[1], page.summary[3], page.summary[5]),
              std::tuple("9,037,555,555,068.18", "-903,755,555,506.82", "8,133,799,999,561.36"));
    int amounts_drawn = 0;
    for (const RecordedText& t : canvas().texts) {
      if (t.right() != 2070 || t.top < 800) continue;
      ++amounts_drawn;
      EXPECT_GE(t.left, 1870) << t.text << ": 1 mm right of the line at 186 mm";
      EXPECT_TRUE(drawn_whole(t)) << t.text;
    }
    EXPECT_GE(amounts_drawn, 10);
    EXPECT_EQ(text("12.00").font_height, currency == "A$" ? 30 : 40) << "an amount that fits keeps its font";
  }
}

// Each text of an item row ends 1 mm before its column's right line (a number
// 2 mm) and starts 1 mm after its left one; the notes end 2 mm before the size
// column's line, left of the total labels.
TEST_F(QuotePages, LongItemTextsAndNotesStayInTheirColumns) {
  LangTable[201] = cut_short_string(std::string(300, 'M'));
  CodesTable = {code_row("A1", 1, 201), code_row("B2", 1)};
  CodesTable[0].lar = "1000000000000";
  QuoteHeader.note1 = "Note " + LangTable[201];
  QuoteHeader.note2 = "Prices without VAT";
  cells({{"Shop", {line(0, 123456789), line(1, 7)}}});
  render();
  for (auto [value, left, right] : {std::tuple{LangTable[201], 280, 1300},
                                    {std::string("1000000000000 x 1000"), 1330, 1550},
                                    {std::string("123456789"), 1570, 1640}}) {
    RecordedText drawn = text(value);
    EXPECT_TRUE(drawn.left >= left && drawn.right() <= right) << value << ": " << drawn.left << ".." << drawn.right();
  }
  EXPECT_FALSE(text("123456789").cut || text("1000000000000 x 1000").cut) << "numbers and sizes only smaller";
  EXPECT_EQ(std::pair(text(QuoteHeader.note1).left, text(QuoteHeader.note1).right()), std::pair(30, 1290))
      << "smaller, then cut";
  EXPECT_EQ(std::pair(text("Prices without VAT").left, text("Prices without VAT").font_height), std::pair(30, 40));
  EXPECT_EQ(std::pair(text("7").right(), text("7").font_height), std::pair(1640, 40)) << "a quantity that fits";
}

TEST_F(QuotePages, LengthLinesAreMetresTimesThePrice) {
  CodesTable = {code_row("OV1", 12.5)};
  cells({{"Rail", {line(0, 1, "OV", 4.2)}}});
  render();
  EXPECT_TRUE(canvas().has("m"));
  EXPECT_EQ(text("4.2").right(), 1640) << "quantity right-aligned at column c3";
  EXPECT_EQ(text("12.50").right(), 1840);
  EXPECT_EQ(canvas().find("52.50").size(), 3u) << "line, total and net total";
}

TEST_F(QuotePages, ALongCodeShrinksToItsColumn) {
  CodesTable = {code_row("RW10-0475-1700-XL", 1), code_row("A1", 1)};
  cells({{"Shop", {line(0, 1), line(1, 1)}}});
  render();
  RecordedText long_code = text("RW10-0475-1700-XL");
  EXPECT_EQ(long_code.left, 30);
  EXPECT_LE(long_code.right(), 250) << "1 mm before the description column";
  EXPECT_LT(long_code.font_height, 40);
  EXPECT_EQ(text("A1").font_height, 40) << "a code that fits keeps the 4 mm font";
}

TEST_F(QuotePages, UnitTextsFollowTheKind) {
  Tcodice row = code_row("X", 1);
  // "RG" and the like: a later rule overwrites the R rule.
  for (auto [kind, text] : {std::pair{"TE", "475 x 2000"},
                            {"G", "475"},
                            {"R", "475 x 1000"},
                            {"KG", "1000"},
                            {"RG", "n"},
                            {"RGF", "n"},
                            {"PRG", "n"},
                            {"OV", "m"},
                            {"Z", ""}})
    EXPECT_EQ(quote_unit_text(kind, row, user_decimal_separator()), text) << kind;
}

TEST_F(QuotePages, InchSizesShowTheLanguagesDecimalMark) {
  CodesTable = {code_row("A1", 16.42)};
  CodesTable[0].lung = "1219.2";
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  cells({{"One", {line(0, 1)}}});
  render();
  EXPECT_TRUE(canvas().has("475 x 1219,2"));
  EXPECT_TRUE(canvas().has("16,42"));
  EXPECT_EQ(quote_unit_text("KG", CodesTable[0], user_decimal_separator()), "1219,2");
}

TEST_F(QuotePages, DiscountLabelsAndAmounts) {
  QuoteHeader.discount2 = 5;
  EXPECT_EQ(discount_label(QuoteHeader, " + ", general_number_text), "t118 ( + 5%)");
  EXPECT_EQ(discount_label(QuoteHeader, "+", general_number_text), "t118 (+5%)");
  QuoteHeader.discount1 = 10;
  QuoteHeader.discount3 = 2.5;
  EXPECT_EQ(discount_label(QuoteHeader, "+", general_number_text), "t118 (10%+5%+2.5%)");
  EXPECT_DOUBLE_EQ(discount_factor(QuoteHeader), 0.9 * 0.95 * 0.975);

  QuoteHeader = Tprv{};
  CodesTable = {code_row("A1", 10)};
  cells({{"One", {line(0, 1)}}, {"Two", {line(0, 1)}}});
  render();
  EXPECT_EQ(canvas().find("t118").size(), 3u) << "two cell blocks and the totals, label alone";
  EXPECT_EQ((std::array{page.summary[2], page.summary[3], page.summary[7]}),
            (std::array<std::string, 3>{"t118", "", ""}))
      << "no discount amount";
}

TEST_F(QuotePages, LongDiscountLabelsFitBetweenTheSizeAndPriceColumnLines) {
  LangTable[118] = "Sconto commerciale";
  QuoteHeader.discount1 = 12.5;
  QuoteHeader.discount2 = 7.25;
  QuoteHeader.discount3 = 3.125;
  QuoteHeader.discount4 = 1.5;
  CodesTable = {code_row("A1", 10)};
  cells({{"One", {line(0, 1)}}, {"Two", {line(0, 1)}}});
  for (const std::string currency : {"EUR", "A$"}) {
    Company.currency = currency;
    render();
    for (const std::string& label : {discount_label(QuoteHeader, " + ", general_number_text),
                                     discount_label(QuoteHeader, "+", general_number_text)}) {
      for (const RecordedText& drawn : canvas().find(label)) {
        EXPECT_GE(drawn.left, 1330) << label << ": 2 mm right of the size column's line at 131 mm";
        EXPECT_EQ(drawn.right(), 1840) << "still right-aligned at the price column";
        EXPECT_LT(drawn.font_height, 40);
      }
    }
  }
  QuoteHeader = Tprv{};
  Company.currency = "EUR";
  render();
  EXPECT_EQ(canvas().find("Sconto commerciale").front().font_height, 40) << "a label that fits is kept";
}

TEST_F(QuotePages, AustralianLayoutAddsGoodsAndServicesTax) {
  Company.currency = "A$";
  QuoteHeader.discount1 = 50;
  CodesTable = {code_row("A1", 100)};
  cells({{"One", {line(0, 2)}}});
  render();
  EXPECT_EQ(text("t200").left, 330) << "description column at 33 mm";
  EXPECT_EQ(text("t200").font_height, 30) << "cells list in the 3 mm text font";
  EXPECT_EQ(page.summary, (QuoteSummary{"t155 A$", "200.00", "t118 (50%)", "-100.00", "Project Subtotal (Ex-GST) A$",
                                        "100.00", "Project GST A$", "10.00", "Project Total A$", "110.00"}));
  EXPECT_EQ(text("Project Total A$").top, 2640 + 4 * 55);
  EXPECT_EQ(canvas().find("t155 A$").back().top, 2640) << "after the heading of the amount column";
}

TEST_F(QuotePages, OtherCurrenciesGiveOneNetRow) {
  Company.currency = "EUR";
  CodesTable = {code_row("A1", 1234.5)};
  cells({{"One", {line(0, 1)}}});
  render();
  EXPECT_EQ(text("t200").left, 280);
  EXPECT_EQ((std::array{page.summary[4], page.summary[5], page.summary[6]}),
            (std::array<std::string, 3>{"t156 EUR", "1,234.50", ""}));
  EXPECT_EQ(text("t117").top, 2640) << "notes start at the footer row too";
}

TEST_F(QuotePages, AnEmptyCellGivesOnePageOfZeroTotals) {
  cells({{"Empty", {}}});
  ASSERT_EQ(render(), 1);
  EXPECT_EQ(page.summary[1], "0.00");
  EXPECT_EQ(page.summary[3], "");
  EXPECT_TRUE(canvas().has("t150")) << "the table heading";
}

TEST_F(QuotePages, MoneyFollowsTheLocale) {
  CodesTable = {code_row("A1", 1234.5)};
  cells({{"One", {line(0, 1)}}});
  render();
  EXPECT_EQ(page.summary[1], "1,234.50");
  QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
  render();
  EXPECT_EQ(page.summary[1], "1.234,50");
}

// Money is grouped in threes with the separators of each language's locale,
// a four-digit amount ungrouped where the locale says so (Spanish, Polish);
// the page and the print window's totals show the same text.
TEST_F(QuotePages, MoneyIsGroupedInThreesInEveryLanguagesLocale) {
  const std::string s = "\xC2\xA0";  // the no-break space that groups Polish and Czech
  const std::vector<std::array<std::string, 5>> expected = {
      {"es_ES", "1234,50", "1.234.567,89", "-1.234.567.890,12", "1.234.567.890.123,45"},
      {"pl_PL", "1234,50", "1" + s + "234" + s + "567,89", "-1" + s + "234" + s + "567" + s + "890,12",
       "1" + s + "234" + s + "567" + s + "890" + s + "123,45"},
      {"cs_CZ", "1" + s + "234,50", "1" + s + "234" + s + "567,89", "-1" + s + "234" + s + "567" + s + "890,12",
       "1" + s + "234" + s + "567" + s + "890" + s + "123,45"},
      {"it_IT", "1.234,50", "1.234.567,89", "-1.234.567.890,12", "1.234.567.890.123,45"}};
  for (const auto& [locale, four, seven, ten, thirteen] : expected) {
    QLocale::setDefault(QLocale(QString::fromStdString(locale)));
    EXPECT_EQ((std::array{money_text(1234.5), money_text(1234567.89), money_text(-1234567890.12),
                          money_text(1234567890123.45)}),
              (std::array{four, seven, ten, thirteen}))
        << locale;
  }
  QLocale::setDefault(QLocale(QStringLiteral("es_ES")));
  CodesTable = {code_row("A1", 999999999.99)};
  cells({{"One", {line(0, 10000)}}});
  render();
  EXPECT_EQ(amounts(0).front(), "9.999.999.999.900,00");
  EXPECT_EQ(page.summary[1], "9.999.999.999.900,00");
}

}  // namespace
