// The quote header's load and apply, without the dialog.
#include "output/quote/quote_header_form.h"

#include <filesystem>

#include "model/files/preferences.h"
#include "quote_fixture.h"

namespace {

class QuoteHeaderFormTest : public QuoteTest {
 protected:
  QuoteHeaderForm valid_form() {
    QuoteHeaderForm form = load_quote_header_form('.');
    form.customer = named("Rossi");
    form.number = "42";
    form.discounts = {"10", "2.5", "0", "0"};
    return form;
  }
  bool preferences_written() const { return std::filesystem::exists(dir.file("user/preferenze.dat")); }
};

}  // namespace

TEST_F(QuoteHeaderFormTest, LoadsTheHeaderWithTheNotesOfTheLastRegisterCustomerOfItsName) {
  QuoteHeader.customer = named("Rossi", {"from the project"});
  QuoteHeader.discount2 = 12.5;
  Customers = {named("Rossi", {"older"}), named("Verdi"), named("Rossi", {"later", "two"})};
  QuoteHeaderForm form = load_quote_header_form(',');
  EXPECT_EQ(form.customer.notes, (std::vector<std::string>{"later", "two"}));
  EXPECT_EQ(form.customer.address, "Via Rossi");
  EXPECT_EQ(form.discounts, (std::array<std::string, 4>{"0", "12,5", "0", "0"}));
  Customers.clear();
  EXPECT_EQ(load_quote_header_form(',').customer.notes, std::vector<std::string>{"from the project"});
}

TEST_F(QuoteHeaderFormTest, StoresTheHeaderAndCompanyAndMarksTheProjectModified) {
  QuoteHeaderForm form = valid_form();
  form.header_lines[0] = "ACME";
  form.more_lines[9] = "last";
  form.currency = "A$";
  form.note1 = std::string(254, 'a') + "\xC3\xA8" + "tail";  // 300 would cut the same way
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(QuoteHeader.customer, named("Rossi"));
  EXPECT_EQ(std::pair(QuoteHeader.number, QuoteHeader.discount2), (std::pair<std::string, double>("42", 2.5)));
  EXPECT_EQ(QuoteHeader.note1, std::string(254, 'a')) << "cut at 255 bytes on a character boundary";
  EXPECT_EQ((std::array{Company.header_lines[0], Company.more_lines[9], Company.currency}),
            (std::array<std::string, 3>{"ACME", "last", "A$"}));
  EXPECT_EQ(AppState.modified, 1);
  EXPECT_TRUE(preferences_written());

  AppState.modified = 0;
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(AppState.modified, 0) << "nothing changed in the header";
}

TEST_F(QuoteHeaderFormTest, ABadDiscountStoresNothing) {
  QuoteHeader.number = "old";
  QuoteHeaderForm form = valid_form();
  form.discounts[2] = "2,5";  // the other separator
  form.currency = "GBP";
  EXPECT_EQ(apply_quote_header_form(form, '.'), 2);
  EXPECT_EQ(ui->messages, std::vector<std::string>{"t8"});
  EXPECT_EQ(std::pair(QuoteHeader.number, Company.currency), (std::pair<std::string, std::string>("old", "")));
  EXPECT_FALSE(AppState.modified || preferences_written());
  form.discounts[2] = "2,5";
  EXPECT_EQ(apply_quote_header_form(form, ','), 1) << "with a decimal comma the first refused is \"2.5\"";
}

TEST_F(QuoteHeaderFormTest, APickedLogoIsCopiedIntoTheUserFolder) {
  TempDir elsewhere;
  QuoteHeaderForm form = valid_form();
  form.logo_source_path = elsewhere.write("new.png", "picture");
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(Company.logo, "new.png");
  EXPECT_EQ(dir.read("user/new.png"), "picture");
}

TEST_F(QuoteHeaderFormTest, TheSameLogoNameAgainCopiesNothing) {
  Company.logo = "logo.png";
  dir.write("user/logo.png", "stored");
  TempDir elsewhere;
  QuoteHeaderForm form = valid_form();
  EXPECT_EQ(form.logo_source_path, dir.file("user/logo.png"));
  form.logo_source_path = elsewhere.write("logo.png", "other");
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(dir.read("user/logo.png"), "stored");
}

TEST_F(QuoteHeaderFormTest, ALogoAlreadyInTheUserFolderStaysIntact) {
  Company.logo = "Logo.PNG";
  dir.write("user/logo.png", "found case-blind");
  QuoteHeaderForm form = valid_form();
  EXPECT_EQ(form.logo_source_path, dir.file("user/logo.png")) << "found by the page header's lookup";
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(dir.read("user/logo.png"), "found case-blind");

  form.logo_source_path = dir.write("user/second.png", "second");
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(Company.logo, "second.png");
  EXPECT_EQ(dir.read("user/second.png"), "second");
}

TEST_F(QuoteHeaderFormTest, AFailedLogoCopyIsReportedAndKeepsTheOldName) {
  Company.logo = "logo.png";
  QuoteHeaderForm form = valid_form();
  form.logo_source_path = dir.file("gone/vanished.png");
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(Company.logo, "logo.png");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("vanished.png"), std::string::npos);
  EXPECT_EQ(QuoteHeader.number, "42") << "the rest is stored";
}
