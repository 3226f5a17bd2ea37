#include "model/files/customers_file.h"

#include <filesystem>

#include "model/files/file_io.h"
#include "model/files/text_io.h"
#include "model/state/globals.h"
#include "model/state/ui_seam.h"

namespace {

const std::string kSeparator(36, '-');

std::string customers_path() { return program_path("user/clienti.dat"); }

Tcliente read_customer(TextReader& in) {
  Tcliente customer;
  for (std::string* field : customer_fields(customer)) *field = in.line();
  int note_count = in.int32();
  if (note_count < 0) in.fail("the note count is negative");
  // Notes are read one by one, so a damaged count cannot ask for more than the file holds.
  for (int i = 0; i < note_count; ++i) customer.notes.push_back(in.line());
  in.line();  // separator
  return customer;
}

}  // namespace

std::array<std::string*, 9> customer_fields(Tcliente& c) {
  return {&c.name, &c.address, &c.postcode, &c.city, &c.province, &c.country, &c.phone, &c.fax, &c.email};
}

std::array<const std::string*, 9> customer_fields(const Tcliente& c) {
  return {&c.name, &c.address, &c.postcode, &c.city, &c.province, &c.country, &c.phone, &c.fax, &c.email};
}

void read_customers() {
  const std::string path = customers_path();
  if (!std::filesystem::exists(path)) {
    Customers.clear();
    return;
  }
  std::vector<Tcliente> customers;
  try {
    TextReader in(read_scrambled_file(path), path);
    int count = in.int32();
    if (count < 0) in.fail("the customer count is negative");
    for (int i = 0; i < count; ++i) customers.push_back(read_customer(in));
  } catch (const FileError&) {
    ui().show_message(read_error_text(path));
  }
  Customers = std::move(customers);
}

void write_customers() { write_scrambled_file(customers_path(), customers_text(Customers)); }

std::string customers_text(const std::vector<Tcliente>& customers) {
  TextWriter out;
  out.integer(static_cast<long long>(customers.size()));
  for (const Tcliente& customer : customers) {
    for (const std::string* field : customer_fields(customer)) out.line(*field);
    out.integer(static_cast<long long>(customer.notes.size()));
    for (const std::string& note : customer.notes) out.line(note);
    out.line(kSeparator);
  }
  return out.take();
}
