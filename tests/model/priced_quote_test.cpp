// The priced quote: what a cell's multiplier, the cascaded discounts, lines
// priced by length and lines the price table no longer holds do to the figures,
// and which company quotes with goods and services tax.
#include "model/quote/priced_quote.h"

#include <gtest/gtest.h>

#include "project_globals_fixture.h"

namespace {

class PricedQuoteTest : public ProjectGlobalsTest {
 protected:
  void TearDown() override {
    QuoteHeader = Tprv{};
    Company = Tazienda{};
    ProjectGlobalsTest::TearDown();
  }
  static void cell(const std::string& name, Tdett_prv lines) {
    add_cell().name = name;
    QuoteDetails.push_back(std::move(lines));
  }
};

Tcodice priced_at(double price) {
  Tcodice code;
  code.price = price;
  return code;
}

// A cell named "(x3)" stands three times in the project but once in its own
// block; 10 % then 50 % leave 45 %, not 40 %; a rail is priced by its metres;
// a line whose row the table lost (a bill older than the table) is no line.
TEST_F(PricedQuoteTest, MultipliersCountInTheProjectAndDiscountsCascade) {
  CodesTable = {priced_at(100), priced_at(12.5)};
  cell("Hall (x3)", {{0, 2, 0, "R"}, {7, 1, 0, "R"}, {-1, 4, 0, "R"}});
  cell("Shop", {{1, 1, 4, "OV"}});
  QuoteHeader.discount1 = 10;
  QuoteHeader.discount2 = 50;
  const PricedQuote quote = price_quote();

  ASSERT_EQ(quote.cells.size(), 2u);
  const PricedCell& hall = quote.cells[0];
  EXPECT_EQ(hall.lines.size(), 1u);
  EXPECT_EQ(hall.multiplier, 3);
  EXPECT_DOUBLE_EQ(hall.subtotal, 200);
  EXPECT_DOUBLE_EQ(hall.net, 90);
  EXPECT_DOUBLE_EQ(hall.multiplied_net, 270);
  const PricedLine& rail = quote.cells[1].lines.at(0);
  EXPECT_EQ(rail.count, 4);
  EXPECT_DOUBLE_EQ(rail.amount, 50);
  EXPECT_DOUBLE_EQ(quote.gross, 3 * 200 + 50);
  EXPECT_DOUBLE_EQ(quote.discount, 650 * 0.55);
  EXPECT_DOUBLE_EQ(quote.net, 650 * 0.45);
}

// The market is the currency text "A$" exactly, as the company typed it.
TEST_F(PricedQuoteTest, OnlyAustralianDollarsQuoteWithTax) {
  CodesTable = {priced_at(100)};
  cell("One", {{0, 1, 0, "R"}});
  for (const auto& [currency, with_gst] :
       {std::pair<const char*, bool>{"A$", true}, {"a$", false}, {"A$ ", false}, {"AUD", false}, {"", false}}) {
    Company.currency = currency;
    EXPECT_EQ(price_quote().with_gst, with_gst) << '"' << currency << '"';
  }
  Company.currency = "A$";
  const PricedQuote quote = price_quote();
  EXPECT_DOUBLE_EQ(quote.gst, 10);
  EXPECT_DOUBLE_EQ(quote.total, 110);
}

}  // namespace
