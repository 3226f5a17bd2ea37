#include "model/files/customers_file.h"

#include <filesystem>

#include "model/base/file_io.h"
#include "model/base/text_io.h"
#include "model/files/damaged_files.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"

namespace {

const std::string kSeparator(36, '-');

std::string customers_path() { return user_path("clienti.dat"); }

// The customers of a register file as far as they can be read. Each record is
// read by its counts, and the line after its notes ends it whatever that line
// holds. Only after a damaged record is the separator of dashes looked for, to
// find the next record; each damage is described with its line.
class CustomersParse {
 public:
  explicit CustomersParse(const std::string& plain) : lines_(split_lines(plain, legacy_code_page())) {}

  void run() {
    long long count = 0;
    const bool counted = !lines_.empty() && parse_integer(lines_[0], count) && count >= 0;
    if (!counted) faults.push_back("line 1: the customer count is missing or not a count");
    std::size_t records = 0;
    for (std::size_t at = 1; !rest_is_blank(at); ++records) at = read_record(at);
    if (counted && static_cast<long long>(records) != count)
      faults.push_back("line 1: the count says " + std::to_string(count) + " customers, the file holds " +
                       std::to_string(records));
  }

  std::vector<Tcliente> customers;
  std::vector<std::string> faults;

 private:
  bool rest_is_blank(std::size_t at) const {
    for (; at < lines_.size(); ++at)
      if (!is_blank_line(lines_[at])) return false;
    return true;
  }

  bool is_separator(std::size_t at) const { return at < lines_.size() && trim_blanks(lines_[at]) == kSeparator; }

  // Reads the record from line at; gives the line after it (after the next
  // separator line when the record is damaged, or the end).
  std::size_t read_record(std::size_t at) {
    const std::string fault = record_fault(at);
    if (fault.empty()) {
      Tcliente customer;
      std::size_t line = at;
      for (std::string* field : customer_fields(customer)) *field = text_at(line++);
      const std::size_t note_count = notes_at(at);
      for (std::size_t i = 0; i < note_count; ++i) customer.notes.push_back(text_at(at + 10 + i));
      customers.push_back(std::move(customer));
      return at + 11 + note_count;  // past the separator line
    }
    faults.push_back(fault);
    std::size_t next = at;
    while (next < lines_.size() && !is_separator(next)) ++next;
    return next + 1;
  }

  // The text of line at, cut to kTextBytes (the cut is a fault: the file is kept).
  std::string text_at(std::size_t at) {
    const std::string& text = lines_[at];
    if (text.size() > kTextBytes)
      faults.push_back("line " + std::to_string(at + 1) + ": " + cut_text_note(text.size(), kTextBytes));
    return cut_text(text, kTextBytes);
  }

  std::size_t notes_at(std::size_t at) const {
    long long count = 0;
    parse_integer(lines_[at + 9], count);
    return static_cast<std::size_t>(count);
  }

  // Why the record from line at cannot be read, or an empty text.
  std::string record_fault(std::size_t at) const {
    const std::string where = " (the customer from line " + std::to_string(at + 1) + ")";
    if (at + 10 > lines_.size()) return "line " + std::to_string(lines_.size()) + ": the file ends" + where;
    long long count = 0;
    if (!parse_integer(lines_[at + 9], count) || count < 0 || count > static_cast<long long>(lines_.size() - at - 10))
      return "line " + std::to_string(at + 10) + ": \"" + cut_short_string(lines_[at + 9]) + "\" is not a note count" +
             where;
    return {};
  }

  std::vector<std::string> lines_;
};

}  // namespace

std::array<std::string*, 9> customer_fields(Tcliente& c) {
  return {&c.name, &c.address, &c.postcode, &c.city, &c.province, &c.country, &c.phone, &c.fax, &c.email};
}

std::array<const std::string*, 9> customer_fields(const Tcliente& c) {
  return {&c.name, &c.address, &c.postcode, &c.city, &c.province, &c.country, &c.phone, &c.fax, &c.email};
}

bool cut_customer_texts(Tcliente& customer) {
  bool cut = false;
  auto keep = [&cut](std::string& text) {
    if (text.size() <= kTextBytes) return;
    text = cut_text(text, kTextBytes);
    cut = true;
  };
  for (std::string* field : customer_fields(customer)) keep(*field);
  for (std::string& note : customer.notes) keep(note);
  return cut;
}

void read_customers() {
  const std::string path = customers_path();
  std::vector<Tcliente> customers;
  if (std::filesystem::exists(path)) {
    if (std::optional<std::string> plain = read_user_file(path)) {
      CustomersParse parse(*plain);
      parse.run();
      customers = std::move(parse.customers);
      if (!parse.faults.empty()) ui().show_message(note_damaged_file(path, parse.faults));
    }
  }
  Customers = std::move(customers);
}

void write_customers() {
  keep_damaged_copy(customers_path());
  write_scrambled_file(customers_path(), customers_text(Customers));
}

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
