// The nine customer edits and the notes memo, as the register window and the
// quote header dialog both show them, in the stored field order (name,
// address, postcode, city, province, country, phone, fax, e-mail).
#pragma once

#include <array>

#include "model/base/records.h"

class QLineEdit;
class QPlainTextEdit;

struct CustomerEdits {
  std::array<QLineEdit*, 9> fields{};
  QPlainTextEdit* notes = nullptr;

  // Each field and each line of the notes takes what the register and the
  // project files read back (kTextBytes).
  void bound_texts() const;
  void show(const Tcliente& customer) const;
  // The customer as typed; the notes are the memo's lines.
  Tcliente customer() const;
};
