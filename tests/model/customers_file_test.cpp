#include "model/files/customers_file.h"

#include <gtest/gtest.h>

#include "model/files/file_io.h"
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
  EXPECT_EQ(ui->messages, (std::vector<std::string>{read_error_text(path())}));

  write_scrambled_file(path(), "-1\r\n");  // a negative count
  read_customers();
  EXPECT_TRUE(Customers.empty());
  EXPECT_EQ(ui->messages.size(), 2u);
}
