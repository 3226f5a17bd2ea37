// The customer register window as plain data: the names listed (every
// customer, or those a filter kept), the entry selected, the fields and notes
// as typed, and which commands are open. Each command of the window is one
// function here: the window copies its controls into the form, runs it and
// shows the form again.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/base/records.h"
#include "model/quote/customer_register.h"

struct CustomersForm {
  CustomerFilter filter;           // the register index of each listed name
  std::vector<std::string> names;  // the list as shown
  // Counts the rebuilds of the list, so that the window refills its list (and
  // loses its scroll position) exactly when the list was built again.
  int listing = 0;
  int selected_row = -1;  // the selected list entry, or -1
  Tcliente customer;      // the fields and notes
  bool can_add = true;
  bool can_modify = false;
  bool can_delete = false;
  bool can_remove_filter = false;
};

// On showing: every customer listed, none selected, so modify and delete
// close; the fields stay as they were.
void list_all_customers(CustomersForm& form);
// The register index of the selected entry, or -1.
int selected_customer(const CustomersForm& form);

// After any change of the selected entry: its customer in the fields and
// every command open; with none selected, the fields stay and modify and
// delete close.
void show_selected_customer(CustomersForm& form);
// Empty fields and no selection, for a new customer: only adding is open.
void start_new_customer(CustomersForm& form);

// The confirmed commands (see customer_register.h). After adding, deleting or
// importing every customer is listed again, none selected, the fields empty;
// adding and deleting have show_form show that before their message. A
// modified customer keeps its place and its selection under the filter.
void add_form_customer(CustomersForm& form, const std::function<void()>& show_form);
void modify_form_customer(CustomersForm& form);
void delete_form_customer(CustomersForm& form, const std::function<void()>& show_form);
void import_form_customers(CustomersForm& form, const std::string& text);

// Narrows the list to the customers holding the text the user is asked for;
// nothing changes when the user cancels or types only blanks.
void filter_form_customers(CustomersForm& form);
void remove_customer_filter(CustomersForm& form);
