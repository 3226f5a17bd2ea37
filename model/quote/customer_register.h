// The customer register's logic, shared by the register window and the quote
// header dialog: the list filter, the sort by name, the tab-separated exchange
// text and the confirmed add, modify and delete. Every change is written to
// user/clienti.dat at once; a failed write leaves Customers as it was.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "model/base/records.h"

// Indices into Customers of the entries listed, in register order.
using CustomerFilter = std::vector<int>;

// Every customer: the list without a filter.
CustomerFilter build_customer_filter();
// Keeps those entries of filter whose customer holds text (not trimmed) in one
// of its nine fields, compared with the case of every letter folded; notes are
// not searched.
CustomerFilter narrow_customer_filter(const CustomerFilter& filter, const std::string& text);
// The names of the listed customers, in list order.
std::vector<std::string> customer_names(const CustomerFilter& filter);

// Stable sort of Customers by name with a to z upper-cased, in byte order.
void sort_customers_by_name();

// Each line cut at every TAB into fields (a trailing CR dropped first); a
// trailing TAB gives a last empty field.
std::vector<Tstringlist> split_tab_line(const std::vector<std::string>& lines);
// The exchange text: one line per customer ending in CR LF, the nine fields
// (name, address, postcode, city, province, country, phone, fax, e-mail) joined by TAB.
std::string customers_exchange_text();
// The label of the import window, naming the nine fields in exchange order.
std::string import_instruction();

// Appends a customer per line of two or more fields, sorts and writes the
// register. Returns the number added; nothing is written when there is none.
// A field longer than the register holds is cut, and the user told its bound.
int import_customers(const std::string& text);

// The confirmed commands of the windows. An empty name shows text::invalid_value and
// changes nothing; No at the question changes nothing. True when the register
// changed. Adding and deleting have show_change show the register as it now
// is before they say what they did (text::customer_added, text::customer_deleted): nothing shown behind the
// message lists a customer that is gone or lacks one just added. A text
// longer than the register holds is cut (cut_customer_texts).
bool add_customer(Tcliente customer, const std::function<void()>& show_change);
bool modify_customer(int index, Tcliente customer);
bool delete_customer(int index, const std::function<void()>& show_change);

// The index of the last customer of the register with exactly that name, or -1.
int last_customer_named(const std::string& name);
