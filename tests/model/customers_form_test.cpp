// The customer register window's commands on its plain form, without the window.
#include "model/quote/customers_form.h"

#include <gtest/gtest.h>

#include "support/quote_globals.h"

namespace {

class CustomersFormTest : public QuoteGlobalsTest {
 protected:
  void SetUp() override {
    QuoteGlobalsTest::SetUp();
    Customers = {named("Bianchi"), named("Rossi"), named("Verdi")};
    list_all_customers(form);
  }
  void select(int row) {
    form.selected_row = row;
    show_selected_customer(form);
  }

  CustomersForm form;
};

}  // namespace

TEST_F(CustomersFormTest, ShowingListsEveryoneKeepsTheFieldsAndClosesWhatActsOnTheSelection) {
  form.customer = named("typed");
  form.can_modify = true;
  form.selected_row = 1;
  const int listing = form.listing;
  list_all_customers(form);
  EXPECT_EQ(form.names, (std::vector<std::string>{"Bianchi", "Rossi", "Verdi"}));
  EXPECT_EQ(form.listing, listing + 1);
  EXPECT_EQ(form.selected_row, -1);
  EXPECT_EQ(form.customer.name, "typed");
  EXPECT_FALSE(form.can_modify);
}

TEST_F(CustomersFormTest, SelectingShowsTheCustomerUnderTheFilterAndANewOneClearsIt) {
  ui->input_answers = {"verdi"};
  filter_form_customers(form);
  EXPECT_EQ(form.names, std::vector<std::string>{"Verdi"});
  EXPECT_TRUE(form.can_remove_filter);
  select(0);
  EXPECT_EQ(selected_customer(form), 2) << "the register index behind the listed row";
  EXPECT_EQ(form.customer, Customers[2]);
  EXPECT_TRUE(form.can_modify && form.can_delete && form.can_add);
  start_new_customer(form);
  EXPECT_EQ(form.customer, Tcliente{});
  EXPECT_EQ(form.selected_row, -1);
  EXPECT_FALSE(form.can_modify || form.can_delete);
  remove_customer_filter(form);
  EXPECT_EQ(form.names.size(), 3u);
  EXPECT_FALSE(form.can_remove_filter);
}

TEST_F(CustomersFormTest, ABlankOrCancelledFilterAndARowBeyondTheListChangeNothing) {
  ui->input_answers = {"  "};
  filter_form_customers(form);
  filter_form_customers(form);  // cancelled
  EXPECT_EQ(form.filter.size(), 3u);
  EXPECT_FALSE(form.can_remove_filter);
  select(7);
  EXPECT_EQ(form.customer, Tcliente{});
  EXPECT_FALSE(form.can_modify);
}

TEST_F(CustomersFormTest, ModifyKeepsFilterAndSelectionWhileAddAndDeleteListEveryoneAfresh) {
  ui->input_answers = {"rossi"};
  filter_form_customers(form);
  select(0);
  form.customer.city = "Torino";
  ui->yes_no_answers = {true};
  modify_form_customer(form);
  EXPECT_EQ(Customers[1].city, "Torino");
  EXPECT_EQ(form.names, std::vector<std::string>{"Rossi"});
  EXPECT_EQ(form.selected_row, 0);
  EXPECT_TRUE(form.can_modify && form.can_delete) << "still selected";

  form.customer = named("Neri");
  ui->yes_no_answers = {true};
  add_form_customer(form, [] {});
  EXPECT_EQ(form.names, (std::vector<std::string>{"Bianchi", "Neri", "Rossi", "Verdi"}));
  EXPECT_EQ(form.customer, Tcliente{});

  select(0);
  ui->yes_no_answers = {false};
  delete_form_customer(form, [] {});
  EXPECT_EQ(Customers.size(), 4u) << "No keeps the customer";
  EXPECT_EQ(form.selected_row, 0);
  ui->yes_no_answers = {true};
  delete_form_customer(form, [] {});
  EXPECT_EQ(form.names, (std::vector<std::string>{"Neri", "Rossi", "Verdi"}));
  EXPECT_EQ(form.selected_row, -1);
}

TEST_F(CustomersFormTest, AnImportListsEveryoneAfresh) {
  ui->input_answers = {"bianchi"};
  filter_form_customers(form);
  form.customer = named("typed");
  import_form_customers(form, "Azzurri\tVia Po\r\n");
  EXPECT_EQ(form.names, (std::vector<std::string>{"Azzurri", "Bianchi", "Rossi", "Verdi"}));
  EXPECT_EQ(form.customer, Tcliente{});
}
