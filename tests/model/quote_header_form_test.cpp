// The quote header's load and apply, without the dialog.
#include "model/quote/quote_header_form.h"

#include <filesystem>

#include "model/files/preferences.h"
#include "support/quote_globals.h"
#include "support/scoped_locale.h"

namespace {

class QuoteHeaderFormTest : public QuoteGlobalsTest {
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

// Nor is a newly picked logo left in the user folder, named by no preferences.
TEST_F(QuoteHeaderFormTest, APreferencesFileThatCannotBeWrittenStoresNothingAndSaysSo) {
  QuoteHeader.number = "old";
  const Tprv header = QuoteHeader;
  std::filesystem::create_directories(dir.path() / "user/preferenze.dat");  // where the file should be
  const auto files = dir.names_in("user");
  TempDir elsewhere;
  QuoteHeaderForm form = valid_form();
  form.currency = "GBP";
  form.logo_source_path = elsewhere.write("new.png", "picture");
  EXPECT_EQ(apply_quote_header_form(form, '.'), kQuoteHeaderNotWritten);
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_NE(ui->messages[0].find("preferenze.dat"), std::string::npos) << ui->messages[0];
  EXPECT_TRUE(QuoteHeader == header && Company == Tazienda{});
  EXPECT_FALSE(AppState.modified);
  EXPECT_EQ(dir.names_in("user"), files);
}

TEST_F(QuoteHeaderFormTest, DiscountsAreZeroToOneHundredPercent) {
  QuoteHeader.number = "old";
  QuoteHeaderForm form = valid_form();
  for (const char* bad : {"-5", "150", "100.001", "1e20", "1e308", "-1e308", "-0.5"}) {
    form.discounts[3] = bad;
    ui->messages.clear();
    EXPECT_EQ(apply_quote_header_form(form, '.'), 3) << bad;
    EXPECT_EQ(ui->messages, std::vector<std::string>{"t8"}) << "the message of every bad number";
    EXPECT_EQ(QuoteHeader.number, "old") << bad;
    EXPECT_FALSE(AppState.modified || preferences_written()) << bad;
  }
  form.discounts = {"0", "100", "0.5", "99.99"};
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(std::pair(QuoteHeader.discount2, QuoteHeader.discount4), std::pair(100.0, 99.99));
}

TEST_F(QuoteHeaderFormTest, APickedLogoIsCopiedIntoTheUserFolder) {
  TempDir elsewhere;
  QuoteHeaderForm form = valid_form();
  form.logo_source_path = elsewhere.write("new.png", "picture");
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(Company.logo, "new.png");
  EXPECT_EQ(dir.read("user/new.png"), "picture");
}

// Where the program keeps the user's files, not beside the program.
TEST_F(QuoteHeaderFormTest, TheLogoIsKeptInTheUserFolderWhereverThatIs) {
  TempDir data, elsewhere;
  UserDir = data.path().string();
  Company.logo = "gone.png";
  EXPECT_EQ(load_quote_header_form('.').logo_source_path, data.file("gone.png"));
  QuoteHeaderForm form = valid_form();
  form.logo_source_path = elsewhere.write("new.png", "picture");
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  UserDir.clear();
  EXPECT_EQ(data.read("new.png"), "picture");
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/new.png")));
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

TEST_F(QuoteHeaderFormTest, ALogoIsNeverCopiedOverAFileOfTheProgram) {
  Company.logo = "logo.png";
  TempDir elsewhere;
  EXPECT_NE(logo_refusal(elsewhere.write("preferenze.dat", "picture")), "");  // rewritten by the apply itself
  for (const char* name :
       {"clienti.dat", "codici.dat", "list.dat", "prv00003.cel", "clienti.dat.damaged", "CLIENTI.DAT", "notes"}) {
    dir.write(std::string("user/") + name, "the user's own data");
    QuoteHeaderForm form = valid_form();
    form.logo_source_path = elsewhere.write(name, "picture");
    EXPECT_NE(logo_refusal(form.logo_source_path), "") << name;
    ui->messages.clear();
    EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
    EXPECT_EQ(dir.read(std::string("user/") + name), "the user's own data") << name;
    EXPECT_EQ(Company.logo, "logo.png");
    ASSERT_EQ(ui->messages.size(), 1u) << name;
    EXPECT_NE(ui->messages[0].find(name), std::string::npos) << ui->messages[0];
    EXPECT_EQ(QuoteHeader.number, "42") << "the rest is stored";
  }
  // A picture in the user folder is no refusal, whatever the case of its extension.
  EXPECT_EQ(logo_refusal(elsewhere.write("Firma.JPG", "picture")), "");
}

// Names fold their ASCII letters alone, the same in every locale: under a
// Turkish one std::tolower leaves "I" as it is.
TEST_F(QuoteHeaderFormTest, ALogoNameInCapitalsIsAPictureInEveryLocale) {
  TempDir elsewhere;
  for (const char* locale : {"tr_TR.UTF-8", "tr_TR.ISO-8859-9"}) {
    ScopedCLocale in(locale);
    EXPECT_EQ(logo_refusal(elsewhere.write("LOGO.GIF", "picture")), "") << locale;
    const std::string dotless_i = "\xC4\xB1";
    EXPECT_NE(logo_refusal(elsewhere.write("logo.g" + dotless_i + "f", "picture")), "") << "no i, in " << locale;
  }
}

TEST_F(QuoteHeaderFormTest, ReplacingAnotherPictureIsAskedFirst) {
  Company.logo = "logo.png";
  dir.write("user/old.png", "another picture");
  TempDir elsewhere;
  QuoteHeaderForm form = valid_form();
  form.logo_source_path = elsewhere.write("old.png", "new picture");
  ui->yes_no_answers = {false};
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(ui->questions.size(), 1u);
  EXPECT_EQ(dir.read("user/old.png"), "another picture");
  EXPECT_EQ(Company.logo, "logo.png");

  ui->yes_no_answers = {true};
  EXPECT_EQ(apply_quote_header_form(form, '.'), -1);
  EXPECT_EQ(dir.read("user/old.png"), "new picture");
  EXPECT_EQ(Company.logo, "old.png");
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
