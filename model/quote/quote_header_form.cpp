#include "model/quote/quote_header_form.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#include "model/base/file_io.h"
#include "model/base/string_utils.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/files/logo_file.h"
#include "model/files/preferences.h"
#include "model/quote/customer_register.h"
#include "model/state/globals.h"
#include "model/state/language.h"
#include "model/state/ui_seam.h"
#include "model/text/lang_text.h"
#include "model/text/text_numbers.h"

namespace fs = std::filesystem;

namespace {

double* discount_field(Tprv& header, std::size_t k) {
  double* fields[] = {&header.discount1, &header.discount2, &header.discount3, &header.discount4};
  return fields[k];
}

bool is_picture_name(const fs::path& name) {
  const std::string extension = name.extension().string();
  for (std::string_view picture : {".bmp", ".png", ".jpg", ".jpeg", ".gif"})
    if (equal_ignoring_ascii_case(extension, picture)) return true;
  return false;
}

// The logo Company names after the form's, and the copy a newly picked file
// needs into user/ under its own name, written in one save with the
// preferences that name it. A file that already is that target is left
// alone, since copying a file onto itself empties it; another picture of that
// name is replaced only when the user says so.
struct FormLogo {
  std::string name;
  std::vector<FileContent> copy;
};

FormLogo form_logo(const std::string& source) {
  const std::string name = fs::path(source).filename().string();
  if (source.empty() || name == Company.logo) return {Company.logo, {}};
  if (std::string refusal = logo_refusal(source); !refusal.empty()) {
    ui().show_message(refusal);
    return {Company.logo, {}};
  }
  const fs::path target = fs::path(user_folder()) / name;
  std::error_code error;
  if (fs::equivalent(source, target, error)) return {name, {}};
  if (fs::exists(target, error) &&
      !ui().ask_yes_no("A picture named " + name + " is already in " + target.parent_path().string() +
                       ". Replace it with " + source + "?"))
    return {Company.logo, {}};
  try {
    return {name, {{target.string(), read_file_bytes(source)}}};
  } catch (const FileError& failure) {
    ui().show_message("The logo " + source + " cannot be copied to " + target.string() + ": " + failure.what());
    return {Company.logo, {}};
  }
}

// The company block of the form; logo_copy gets what its logo needs written.
Tazienda form_company(const QuoteHeaderForm& form, std::vector<FileContent>& logo_copy) {
  Tazienda company = Company;
  FormLogo logo = form_logo(form.logo_source_path);
  company.logo = std::move(logo.name);
  logo_copy = std::move(logo.copy);
  // The company texts as far as the preferences file reads them back.
  auto company_text = [](const std::string& text) { return cut_text(text, kTextBytes); };
  std::transform(form.header_lines.begin(), form.header_lines.end(), company.header_lines.begin(), company_text);
  std::transform(form.more_lines.begin(), form.more_lines.end(), company.more_lines.begin(), company_text);
  company.currency = company_text(form.currency);
  return company;
}

}  // namespace

std::string logo_refusal(const std::string& source) {
  const fs::path name = fs::path(source).filename();
  if (is_picture_name(name)) return {};
  return "The logo was not changed: \"" + name.string() +
         "\" is not the name of a picture (.bmp, .png, .jpg, .jpeg or .gif). The logo is copied into the user "
         "folder under its own name, and there the program keeps its own files.";
}

QuoteHeaderForm load_quote_header_form(char decimal_separator) {
  QuoteHeaderForm form;
  const Tprv& header = QuoteHeader;
  form.customer = header.customer;
  const int registered = last_customer_named(header.customer.name);
  if (registered >= 0) form.customer.notes = Customers[static_cast<std::size_t>(registered)].notes;
  form.date = header.date;
  form.number = header.number;
  form.from = header.from;
  form.customer_ref = header.customer_ref;
  form.drawing = header.drawing;
  form.note1 = header.note1;
  form.note2 = header.note2;
  Tprv copy = header;
  for (std::size_t k = 0; k < form.discounts.size(); ++k)
    form.discounts[k] = format_general(*discount_field(copy, k), decimal_separator);
  const std::string found = find_logo_file(Company.logo);
  form.logo_source_path = found.empty() ? user_path(Company.logo) : found;
  form.header_lines = Company.header_lines;
  form.more_lines = Company.more_lines;
  form.currency = Company.currency;
  return form;
}

int apply_quote_header_form(const QuoteHeaderForm& form, char decimal_separator) {
  Tprv header;
  for (std::size_t k = 0; k < form.discounts.size(); ++k) {
    double& discount = *discount_field(header, k);
    // A discount is a percentage: beyond 0..100 the totals turn negative or overflow.
    if (!parse_double(form.discounts[k], discount, decimal_separator) || !(discount >= 0.0 && discount <= 100.0)) {
      ui().show_message(lang_text(text::invalid_value));
      return static_cast<int>(k);
    }
  }
  header.customer = form.customer;
  cut_customer_texts(header.customer);
  header.date = cut_short_string(form.date);
  header.number = cut_short_string(form.number);
  header.from = cut_short_string(form.from);
  header.customer_ref = cut_short_string(form.customer_ref);
  header.drawing = cut_short_string(form.drawing);
  header.note1 = cut_short_string(form.note1);
  header.note2 = cut_short_string(form.note2);

  std::vector<FileContent> logo_copy;
  Tazienda company = form_company(form, logo_copy);
  // Written before anything is stored, so a failed write leaves the dialog's
  // values to the user; the logo with them, so none is left that no preferences name.
  try {
    write_preferences_with(company, std::move(logo_copy));
  } catch (const FileError& error) {
    ui().show_message(error.what());
    return kQuoteHeaderNotWritten;
  }
  Company = std::move(company);
  // The header is saved with the project: a change must be offered for saving on close.
  if (!(header == QuoteHeader)) AppState.modified = 1;
  QuoteHeader = std::move(header);
  return kQuoteHeaderStored;
}
