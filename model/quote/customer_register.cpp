#include "model/quote/customer_register.h"

#include <algorithm>
#include <utility>

#include "model/base/case_folding.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/text_table.h"
#include "model/state/ui_seam.h"
#include "model/text/text_numbers.h"

namespace {

// Only a to z change case: accented letters keep their codes, as the stored order expects.
void sort_by_name(std::vector<Tcliente>& customers) {
  std::vector<std::pair<std::string, std::size_t>> keys;
  keys.reserve(customers.size());
  for (std::size_t i = 0; i < customers.size(); ++i) keys.emplace_back(ascii_upper(customers[i].name), i);
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<Tcliente> sorted;
  sorted.reserve(customers.size());
  for (const auto& key : keys) sorted.push_back(std::move(customers[key.second]));
  customers = std::move(sorted);
}

// Makes updated the register and writes it; on a failed write the register
// in memory goes back to what the file still holds.
void commit_register(std::vector<Tcliente> updated) {
  std::swap(Customers, updated);
  try {
    write_customers();
  } catch (...) {
    std::swap(Customers, updated);
    throw;
  }
}

bool confirmed_change(const Tcliente& customer, int question) {
  if (customer.name.empty()) {
    ui().show_message(lang_text(text::invalid_value));
    return false;
  }
  return ui().ask_yes_no(lang_text(question));
}

bool valid_index(int index) { return index >= 0 && static_cast<std::size_t>(index) < Customers.size(); }

}  // namespace

CustomerFilter build_customer_filter() {
  CustomerFilter filter(Customers.size());
  for (std::size_t i = 0; i < filter.size(); ++i) filter[i] = static_cast<int>(i);
  return filter;
}

CustomerFilter narrow_customer_filter(const CustomerFilter& filter, const std::string& text) {
  const std::string wanted = fold_case(text);
  CustomerFilter kept;
  for (int index : filter) {
    if (!valid_index(index)) continue;
    for (const std::string* field : customer_fields(Customers[static_cast<std::size_t>(index)])) {
      if (fold_case(*field).find(wanted) != std::string::npos) {
        kept.push_back(index);
        break;
      }
    }
  }
  return kept;
}

std::vector<std::string> customer_names(const CustomerFilter& filter) {
  std::vector<std::string> names;
  names.reserve(filter.size());
  for (int index : filter)
    if (valid_index(index)) names.push_back(Customers[static_cast<std::size_t>(index)].name);
  return names;
}

void sort_customers_by_name() { sort_by_name(Customers); }

std::vector<Tstringlist> split_tab_line(const std::vector<std::string>& lines) {
  std::vector<Tstringlist> rows;
  rows.reserve(lines.size());
  for (std::string line : lines) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    rows.push_back(split_tab_fields(line));
  }
  return rows;
}

std::string customers_exchange_text() {
  std::string text;
  for (const Tcliente& customer : Customers) {
    const auto fields = customer_fields(customer);
    for (std::size_t k = 0; k < fields.size(); ++k) {
      if (k > 0) text += '\t';
      text += *fields[k];
    }
    text += "\r\n";
  }
  return text;
}

std::string import_instruction() {
  std::string text = "Copy and paste values from EXCEL (";
  const int field_texts[] = {text::customer_name,  text::customer_address,  text::customer_postcode,
                             text::customer_city,  text::customer_province, text::customer_country,
                             text::customer_phone, text::customer_fax,      text::customer_email};
  for (int number : field_texts) {
    if (number != field_texts[0]) text += ", ";
    text += lang_text(number);
  }
  return text + ")";
}

int import_customers(const std::string& text) {
  std::vector<Tcliente> updated = Customers;
  int added = 0;
  bool cut = false;
  for (const Tstringlist& fields : split_tab_line(split_lines(text))) {
    if (fields.size() < 2) continue;
    Tcliente customer;
    const auto targets = customer_fields(customer);
    for (std::size_t k = 0; k < targets.size() && k < fields.size(); ++k) *targets[k] = fields[k];
    if (cut_customer_texts(customer)) cut = true;
    updated.push_back(std::move(customer));
    ++added;
  }
  if (added == 0) return 0;
  sort_by_name(updated);
  commit_register(std::move(updated));
  // The pasted text is kept as far as it can be, and the user told where it ends.
  if (cut) ui().show_message(text_bound_hint(kTextBytes));
  return added;
}

bool add_customer(Tcliente customer, const std::function<void()>& show_change) {
  if (!confirmed_change(customer, text::add_customer_question)) return false;
  cut_customer_texts(customer);
  std::vector<Tcliente> updated = Customers;
  updated.push_back(std::move(customer));
  sort_by_name(updated);
  commit_register(std::move(updated));
  show_change();
  ui().show_message(lang_text(text::customer_added));
  return true;
}

bool modify_customer(int index, Tcliente customer) {
  if (!valid_index(index) || !confirmed_change(customer, text::change_customer_question)) return false;
  cut_customer_texts(customer);
  // Not sorted again: a customer whose name changed keeps its place in the list.
  std::vector<Tcliente> updated = Customers;
  updated[static_cast<std::size_t>(index)] = std::move(customer);
  commit_register(std::move(updated));
  ui().show_message(lang_text(text::customer_changed));
  return true;
}

bool delete_customer(int index, const std::function<void()>& show_change) {
  if (!valid_index(index) || !ui().ask_yes_no(lang_text(text::delete_customer_question))) return false;
  std::vector<Tcliente> updated = Customers;
  updated.erase(updated.begin() + index);
  commit_register(std::move(updated));
  show_change();
  ui().show_message(lang_text(text::customer_deleted));
  return true;
}

int last_customer_named(const std::string& name) {
  for (std::size_t i = Customers.size(); i-- > 0;)
    if (Customers[i].name == name) return static_cast<int>(i);
  return -1;
}
