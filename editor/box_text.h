// The text of a message box stays inside it: the box wraps its text at the
// spaces, and a word wider than its lines (a long cell name quoted, a long
// path) would run past its edge. Such a word may break after any of its
// letters instead, where the line ends; it reads as it stands, and what the
// user copies of it holds it as written.
#pragma once

#include <QString>

class QMessageBox;

void set_box_text(QMessageBox& box, const QString& text);

// The text of the box as it was written, without the breaks it allows.
QString box_text_as_written(const QMessageBox& box);
