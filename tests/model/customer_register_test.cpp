#include "model/quote/customer_register.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/base/file_io.h"
#include "model/files/customers_file.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

Tcliente named(const std::string& name, std::vector<std::string> notes = {}) {
  return {name, "Via " + name, "20100", "Milano", "MI", "Italia", "02 1", "02 2", name + "@example.com", notes};
}

std::vector<std::string> names() {
  std::vector<std::string> all;
  for (const Tcliente& c : Customers) all.push_back(c.name);
  return all;
}

class CustomerRegister : public ::testing::Test {
 protected:
  void SetUp() override {
    LangTable.clear();
    for (int i = 0; i < 200; ++i) LangTable.push_back("t" + std::to_string(i));
    Customers.clear();
  }
  // The register as user/clienti.dat holds it.
  std::vector<Tcliente> stored() {
    std::vector<Tcliente> live = Customers;
    read_customers();
    std::vector<Tcliente> read = Customers;
    Customers = live;
    return read;
  }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(CustomerRegister, SortIsCaseBlindOnAtoZAndKeepsEqualNamesInOrder) {
  Customers = {named("beta"), named("Alpha", {"first"}), named("alpha", {"second"}), named("Ärger"), named("zeta")};
  sort_customers_by_name();
  EXPECT_EQ(names(), (std::vector<std::string>{"Alpha", "alpha", "beta", "zeta", "Ärger"}));
  EXPECT_EQ(Customers[0].notes, std::vector<std::string>{"first"}) << "whole records move";
}

TEST_F(CustomerRegister, FiltersNarrowOneAfterTheOtherAndNeverSearchNotes) {
  Customers = {named("Rossi", {"milk"}), named("Bianchi"), named("Verdi")};
  Customers[2].city = "ROMA";
  CustomerFilter all = build_customer_filter();
  EXPECT_EQ(all, (CustomerFilter{0, 1, 2}));
  EXPECT_EQ(narrow_customer_filter(all, "Roma"), (CustomerFilter{2}));
  EXPECT_EQ(narrow_customer_filter(all, "i"), (CustomerFilter{0, 1, 2}));
  EXPECT_EQ(narrow_customer_filter(narrow_customer_filter(all, "ss"), "bianchi"), CustomerFilter{});
  EXPECT_EQ(narrow_customer_filter(all, "milk"), CustomerFilter{});
  EXPECT_EQ(customer_names(narrow_customer_filter(all, "@EXAMPLE")),
            (std::vector<std::string>{"Rossi", "Bianchi", "Verdi"}));
}

TEST_F(CustomerRegister, FilterInSmallLettersFindsTheCapitalsOfEveryLanguage) {
  Customers = {named("ŽĎÁR s.r.o."), named("ÉQUIPEMENT Dupont"), named("Łódź Śląsk")};
  Customers[1].city = "Besançon";
  const CustomerFilter all = build_customer_filter();
  for (const char* text : {"žďár", "ŽĎÁR"}) EXPECT_EQ(narrow_customer_filter(all, text), CustomerFilter{0}) << text;
  for (const char* text : {"équipement", "BESANÇON"})
    EXPECT_EQ(narrow_customer_filter(all, text), CustomerFilter{1}) << text;
  for (const char* text : {"łódź", "ŚLĄSK"}) EXPECT_EQ(narrow_customer_filter(all, text), CustomerFilter{2}) << text;
}

TEST_F(CustomerRegister, SplitsLinesAtEveryTab) {
  auto rows = split_tab_line({"a\tb", "a\t\tc\t", "plain", "x\ty\r", ""});
  EXPECT_EQ(rows[0], (Tstringlist{"a", "b"}));
  EXPECT_EQ(rows[1], (Tstringlist{"a", "", "c", ""}));
  EXPECT_EQ(rows[2], (Tstringlist{"plain"}));
  EXPECT_EQ(rows[3], (Tstringlist{"x", "y"})) << "a pasted CR is dropped";
  EXPECT_EQ(rows[4], (Tstringlist{""}));
}

TEST_F(CustomerRegister, ExportThenImportDoublesEveryCustomerWithoutNotes) {
  Customers = {named("Rossi", {"note"}), named("Bianchi")};
  const std::string text = customers_exchange_text();
  EXPECT_EQ(text.substr(0, text.find("\r\n") + 2),
            "Rossi\tVia Rossi\t20100\tMilano\tMI\tItalia\t02 1\t02 2\tRossi@example.com\r\n");
  EXPECT_EQ(import_customers(text), 2);
  EXPECT_EQ(names(), (std::vector<std::string>{"Bianchi", "Bianchi", "Rossi", "Rossi"}));
  EXPECT_EQ(Customers[2].notes, std::vector<std::string>{"note"});
  EXPECT_TRUE(Customers[3].notes.empty());
  EXPECT_EQ(Customers[3].email, "Rossi@example.com");
  EXPECT_EQ(stored(), Customers);
}

TEST_F(CustomerRegister, ImportTakesTwoOrMoreFieldsAndIgnoresTheRest) {
  EXPECT_EQ(import_customers("no tab here\r\nanother\r\n"), 0);
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/clienti.dat"))) << "nothing added, nothing written";
  EXPECT_EQ(import_customers("Neri\tVia Po 2\nGialli\t\t\t\t\t\t\t\tg@x.it\textra\n"), 2);
  EXPECT_EQ(Customers[1].name, "Neri");
  EXPECT_EQ(Customers[1].address, "Via Po 2");
  EXPECT_EQ(Customers[1].postcode, "");
  EXPECT_EQ(Customers[0].email, "g@x.it");
  EXPECT_EQ(stored(), Customers);
}

TEST_F(CustomerRegister, ImportInstructionNamesTheNineFields) {
  EXPECT_EQ(import_instruction(), "Copy and paste values from EXCEL (t68, t69, t70, t71, t72, t91, t73, t74, t75)");
}

TEST_F(CustomerRegister, AddAsksSortsWritesAndConfirms) {
  Customers = {named("Rossi")};
  EXPECT_FALSE(add_customer(named(""), [] {}));
  EXPECT_EQ(ui->messages, std::vector<std::string>{"t8"});
  EXPECT_TRUE(ui->questions.empty()) << "an empty name is refused before asking";
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/clienti.dat")));

  EXPECT_FALSE(add_customer(named("Bianchi"), [] {})) << "No";
  EXPECT_EQ(ui->questions.back(), "t79");
  ui->yes_no_answers = {true};
  EXPECT_TRUE(add_customer(named("Bianchi"), [] {}));
  EXPECT_EQ(names(), (std::vector<std::string>{"Bianchi", "Rossi"}));
  EXPECT_EQ(ui->messages.back(), "t80");
  EXPECT_EQ(stored(), Customers);
}

TEST_F(CustomerRegister, ModifyKeepsThePlaceAndDeleteRemovesTheOneGiven) {
  Customers = {named("Bianchi"), named("Rossi"), named("Verdi")};
  ui->yes_no_answers = {true, true};
  EXPECT_TRUE(modify_customer(1, named("Aaron")));
  EXPECT_EQ(names(), (std::vector<std::string>{"Bianchi", "Aaron", "Verdi"}));
  EXPECT_EQ(ui->questions.back(), "t81");
  EXPECT_EQ(ui->messages.back(), "t82");
  EXPECT_EQ(stored(), Customers);
  EXPECT_TRUE(delete_customer(2, [] {}));
  EXPECT_EQ(names(), (std::vector<std::string>{"Bianchi", "Aaron"}));
  EXPECT_EQ(ui->questions.back(), "t77");
  EXPECT_EQ(ui->messages.back(), "t78");
  EXPECT_EQ(stored(), Customers);
  EXPECT_FALSE(delete_customer(5, [] {}));
  EXPECT_FALSE(modify_customer(-1, named("x")));
}

TEST_F(CustomerRegister, AFailedWriteLeavesTheRegisterAsTheFileHoldsIt) {
  Customers = {named("Rossi")};
  std::filesystem::remove_all(dir.path() / "user");
  ui->yes_no_answers = {true};
  EXPECT_THROW(add_customer(named("Bianchi"), [] {}), FileError);
  EXPECT_EQ(names(), std::vector<std::string>{"Rossi"});
}

TEST_F(CustomerRegister, LastCustomerOfANameWins) {
  Customers = {named("Rossi", {"old"}), named("Verdi"), named("Rossi", {"new"})};
  EXPECT_EQ(last_customer_named("Rossi"), 2);
  EXPECT_EQ(last_customer_named("rossi"), -1);
}
