#include "model/files/customers_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/scripted_ui.h"

namespace {

Tcliente customer(const std::string& name, const std::vector<std::string>& notes) {
  return {name, "Via Roma 1", "20100", "Milano", "MI", "Italia", "02 123", "02 124", "info@example.com", notes};
}

class CustomersFile : public ::testing::Test {
 protected:
  std::string path() const { return dir.file("user/clienti.dat"); }

  TempProgramDir dir;
  ScopedScriptedUi ui;
};

}  // namespace

TEST_F(CustomersFile, WritesTheRegisterInItsLineOrder) {
  std::string text = customers_text({customer("Rossi", {"a", "b"})});
  EXPECT_EQ(text,
            "1\r\nRossi\r\nVia Roma 1\r\n20100\r\nMilano\r\nMI\r\nItalia\r\n02 123\r\n02 124\r\ninfo@example.com\r\n"
            "2\r\na\r\nb\r\n------------------------------------\r\n");
}

TEST_F(CustomersFile, RoundTripKeepsEveryCustomer) {
  Customers = {customer("Rossi", {"a", "b"}), customer("Bianchi", {}), customer("", {""})};
  std::vector<Tcliente> saved = Customers;
  write_customers();
  Customers.clear();
  read_customers();
  EXPECT_EQ(Customers, saved);
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(CustomersFile, MissingFileGivesAnEmptyRegister) {
  Customers = {customer("old", {})};
  read_customers();
  EXPECT_TRUE(Customers.empty());
  EXPECT_TRUE(ui->messages.empty());
}

TEST_F(CustomersFile, DamagedFileKeepsOnlyWholeCustomers) {
  std::string text = customers_text({customer("Rossi", {"a"}), customer("Bianchi", {"b"})});
  text.replace(0, 1, "999999999");  // a count the file cannot hold
  text.resize(text.size() - 60);    // and the second customer cut short
  write_scrambled_file(path(), text);
  read_customers();
  ASSERT_EQ(Customers.size(), 1u);
  EXPECT_EQ(Customers[0].name, "Rossi");
  ASSERT_EQ(ui->messages.size(), 1u);
  EXPECT_TRUE(ui->messages[0].starts_with(read_error_text(path()))) << ui->messages[0];

  write_scrambled_file(path(), "-1\r\n");  // a negative count
  read_customers();
  EXPECT_TRUE(Customers.empty());
  EXPECT_EQ(ui->messages.size(), 2u);
}

TEST_F(CustomersFile, ADamagedRecordLosesOnlyItselfAndIsNotWrittenBackSilently) {
  std::string text = customers_text({customer("Rossi", {"a"}), customer("Bianchi", {"b", "c"}), customer("Verdi", {})});
  text.replace(text.find("2\r\nb\r\n"), 1, "two");  // the second customer's note count
  write_scrambled_file(path(), text);
  const std::string damaged = dir.read("user/clienti.dat");
  read_customers();
  ASSERT_EQ(Customers.size(), 2u);
  EXPECT_EQ(Customers[0].name, "Rossi");
  EXPECT_EQ(Customers[1], customer("Verdi", {})) << "the intact third customer is kept";
  ASSERT_EQ(ui->messages.size(), 1u);
  const std::string& message = ui->messages[0];
  EXPECT_TRUE(message.starts_with(read_error_text(path()))) << message;
  EXPECT_NE(message.find("line 14"), std::string::npos) << "where the damage is: " << message;
  EXPECT_NE(message.find("clienti.dat.damaged"), std::string::npos) << "where the copy goes: " << message;

  // The next write keeps the damaged file beside the new one, once.
  Customers.push_back(customer("Neri", {}));
  write_customers();
  EXPECT_EQ(dir.read("user/clienti.dat.damaged"), damaged);
  write_customers();
  EXPECT_FALSE(std::filesystem::exists(dir.file("user/clienti.dat.damaged-2")));
  Customers.clear();
  read_customers();
  EXPECT_EQ(Customers.size(), 3u);
  EXPECT_EQ(ui->messages.size(), 1u) << "the rewritten register reads whole";
}

TEST_F(CustomersFile, AnEarlierDamagedCopyIsNeverReplaced) {
  dir.write("user/clienti.dat.damaged", "an older copy");
  write_scrambled_file(path(), "3\r\nRossi\r\n");
  read_customers();
  EXPECT_TRUE(Customers.empty());
  EXPECT_NE(ui->messages.at(0).find("clienti.dat.damaged-2"), std::string::npos) << ui->messages[0];
  write_customers();
  EXPECT_EQ(dir.read("user/clienti.dat.damaged"), "an older copy");
  EXPECT_EQ(read_scrambled_file(dir.file("user/clienti.dat.damaged-2")), "3\r\nRossi\r\n");
}

TEST_F(CustomersFile, ANoteLikeTheSeparatorStillReads) {
  Customers = {customer("Rossi", {std::string(36, '-'), "x"}), customer("Bianchi", {})};
  const std::vector<Tcliente> saved = Customers;
  write_customers();
  read_customers();
  EXPECT_EQ(Customers, saved);
  EXPECT_TRUE(ui->messages.empty());
}

// The reader goes by the counts: the line after a customer's notes ends the
// record whatever it holds, and the last one may be missing.
TEST_F(CustomersFile, RecordsAreReadByTheirCountsWhateverTheirSeparatorLinesHold) {
  const std::vector<Tcliente> register_ = {customer("Rossi", {"a"}), customer("Bianchi", {}),
                                           customer("Verdi", {"x", "y"}), customer("Neri", {})};
  std::string text = customers_text(register_);
  std::size_t at = 0;
  for (const std::string& other : {std::string("-----"), std::string(), std::string(36, '=')}) {
    at = text.find(std::string(36, '-'), at);
    text.replace(at, 36, other);
  }
  text.resize(text.size() - 38);  // and the last separator line is missing
  write_scrambled_file(path(), text);
  read_customers();
  EXPECT_EQ(Customers, register_);
  EXPECT_TRUE(ui->messages.empty()) << ui->messages.at(0);

  // Written back in the program's own form, with nothing kept as damaged;
  // that form reads and writes back byte for byte.
  write_customers();
  const std::string sound = dir.read("user/clienti.dat");
  EXPECT_EQ(read_scrambled_file(path()), customers_text(register_));
  EXPECT_FALSE(std::filesystem::exists(path() + ".damaged"));
  read_customers();
  write_customers();
  EXPECT_EQ(dir.read("user/clienti.dat"), sound);
}

// The register's names fill its list and the quote header's fields: a name or
// note longer than any window shows is cut where it is read, the cut said by
// its line, and the file kept before it is written over.
TEST_F(CustomersFile, OverlongNamesAndNotesAreCutAndSaid) {
  const std::string text = customers_text(
      {customer(std::string(kTextBytes + 1, 'R'), {std::string(kTextBytes + 1, 'n')}), customer("Bianchi", {})});
  write_scrambled_file(path(), text);
  read_customers();
  ASSERT_EQ(Customers.size(), 2u);
  EXPECT_EQ(Customers[0].name, std::string(kTextBytes, 'R'));
  EXPECT_EQ(Customers[0].notes, std::vector<std::string>{std::string(kTextBytes, 'n')});
  EXPECT_EQ(Customers[1], customer("Bianchi", {}));
  ASSERT_EQ(ui->messages.size(), 1u);
  for (const std::string& cut : {"line 2: " + cut_text_note(kTextBytes + 1, kTextBytes),
                                 "line 12: " + cut_text_note(kTextBytes + 1, kTextBytes), path() + ".damaged"})
    EXPECT_NE(ui->messages[0].find(cut), std::string::npos) << cut << " in " << ui->messages[0];
  write_customers();
  EXPECT_EQ(read_scrambled_file(path() + ".damaged"), text);
}
