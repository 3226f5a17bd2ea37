#include "editor/output_windows/customer_edits.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStringList>

#include "editor/qt_lang_text.h"
#include "editor/text_bounds.h"
#include "model/base/text_io.h"
#include "model/files/customers_file.h"
#include "model/state/ui_seam.h"

void CustomerEdits::bound_texts() const {
  for (QLineEdit* field : fields) bound_text_bytes(field, kTextBytes);
  bound_line_bytes(notes, kTextBytes);
}

void CustomerEdits::show(const Tcliente& customer) const {
  const auto values = customer_fields(customer);
  for (std::size_t k = 0; k < fields.size(); ++k) fields[k]->setText(qtext(*values[k]));
  QStringList lines;
  for (const std::string& note : customer.notes) lines << qtext(note);
  notes->setPlainText(lines.join('\n'));
}

Tcliente CustomerEdits::customer() const {
  Tcliente customer;
  const auto values = customer_fields(customer);
  for (std::size_t k = 0; k < fields.size(); ++k) *values[k] = fields[k]->text().toStdString();
  customer.notes = split_lines(notes->toPlainText().toStdString());
  return customer;
}
