#include "model/quote/customers_form.h"

#include "model/base/text_io.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

namespace {

// Modify and delete act on the selected entry, so they are open exactly while there is one.
void select_row(CustomersForm& form, int row) {
  form.selected_row = row;
  form.can_modify = form.can_delete = selected_customer(form) >= 0;
}

void list_customers(CustomersForm& form, CustomerFilter filter) {
  form.filter = std::move(filter);
  form.names = customer_names(form.filter);
  form.listing += 1;
  select_row(form, -1);
}

// After a change that re-sorts or shrinks the register: no filter, no selection.
void relist_all(CustomersForm& form) {
  form.customer = Tcliente{};
  list_customers(form, build_customer_filter());
}

}  // namespace

void list_all_customers(CustomersForm& form) { list_customers(form, build_customer_filter()); }

int selected_customer(const CustomersForm& form) {
  const int row = form.selected_row;
  if (row < 0 || static_cast<std::size_t>(row) >= form.filter.size()) return -1;
  return form.filter[static_cast<std::size_t>(row)];
}

void show_selected_customer(CustomersForm& form) {
  select_row(form, form.selected_row);
  const int index = selected_customer(form);
  if (index < 0) return;
  form.customer = Customers[static_cast<std::size_t>(index)];
  form.can_add = true;
}

void start_new_customer(CustomersForm& form) {
  form.customer = Tcliente{};
  select_row(form, -1);
  form.can_add = true;
}

void add_form_customer(CustomersForm& form, const std::function<void()>& show_form) {
  add_customer(form.customer, [&] {
    relist_all(form);
    show_form();
  });
}

void modify_form_customer(CustomersForm& form) {
  const int index = selected_customer(form);
  if (index < 0 || !modify_customer(index, form.customer)) return;
  const int row = form.selected_row;
  list_customers(form, form.filter);
  select_row(form, row);
}

void delete_form_customer(CustomersForm& form, const std::function<void()>& show_form) {
  const int index = selected_customer(form);
  if (index < 0) return;
  delete_customer(index, [&] {
    relist_all(form);
    show_form();
  });
}

void import_form_customers(CustomersForm& form, const std::string& text) {
  import_customers(text);
  relist_all(form);
}

void filter_form_customers(CustomersForm& form) {
  std::string value;
  if (!ui().input_query(lang_text(text::search), lang_text(text::search_prompt), value) || trim_blanks(value).empty())
    return;
  list_customers(form, narrow_customer_filter(form.filter, value));
  form.can_remove_filter = true;
}

void remove_customer_filter(CustomersForm& form) {
  list_customers(form, build_customer_filter());
  form.can_remove_filter = false;
}
