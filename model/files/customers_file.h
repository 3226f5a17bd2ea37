// The customer register user/clienti.dat, stored scrambled: the customer
// count, then per customer nine text lines, the note count, the notes and a
// separator line, which the writer fills with 36 dashes and the reader passes
// over whatever it holds.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "model/base/records.h"

// Reads Customers; a missing file gives an empty register. A damaged record
// is passed over and every readable customer kept; a field or note longer
// than any window shows (kTextBytes) is cut. The damage is reported to the
// user, and the file is kept as it was before its next write.
void read_customers();
// Writes Customers to user/clienti.dat (a damaged file read before is kept
// beside it first); raises FileError.
void write_customers();

// The plain content of a customer file.
std::string customers_text(const std::vector<Tcliente>& customers);

// Cuts each of the nine fields and each note to kTextBytes, the most the
// register and the project files read back; true when one was longer.
bool cut_customer_texts(Tcliente& customer);

// The nine text fields of a customer in their stored order (project files share it).
std::array<std::string*, 9> customer_fields(Tcliente& customer);
std::array<const std::string*, 9> customer_fields(const Tcliente& customer);
