// The quote header dialog's values as plain data: the quote's customer and
// texts, the four discounts as typed, the logo picked and the company block.
// Loading fills it from QuoteHeader, Customers and Company; applying checks
// and stores it, copies a newly picked logo into user/ and writes the
// preferences, where the company block lives.
#pragma once

#include <array>
#include <string>

#include "model/base/records.h"

struct QuoteHeaderForm {
  Tcliente customer;
  std::string date, number, from, customer_ref, drawing, note1, note2;
  std::array<std::string, 4> discounts;  // in the user's decimal separator
  std::string logo_source_path;          // the logo shown: the file in user/ or one just picked
  std::array<std::string, 4> header_lines;
  std::array<std::string, 10> more_lines;
  std::string currency;
};

// The dialog's values on opening. The notes are those of the last register
// customer of the quote customer's name, when there is one.
QuoteHeaderForm load_quote_header_form(char decimal_separator);

// Why a picked file cannot become the logo, or an empty text. The logo is
// copied into user/ under its own name, so only picture names are taken:
// never the name of a file the program keeps there.
std::string logo_refusal(const std::string& source);

inline constexpr int kQuoteHeaderStored = -1;
inline constexpr int kQuoteHeaderNotWritten = -2;

// Stores the form. A discount that is not a number from 0 to 100 shows text::invalid_value, stores
// nothing and gives its index (0..3); kQuoteHeaderStored when stored. A changed quote header
// marks the project modified. A logo that is refused or cannot be
// read is reported and the old one kept; replacing another picture of its
// name in user/ is asked first. The logo copied and the preferences are
// written together: when either cannot be, that is said, no file changes,
// nothing is stored and kQuoteHeaderNotWritten is given.
int apply_quote_header_form(const QuoteHeaderForm& form, char decimal_separator);
