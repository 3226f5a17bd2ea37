// The bounds of the stored texts where the user types or pastes them. A field
// takes at most the bytes of UTF-8 that the file it is saved in reads back
// (model/base/text_io.h): bytes, not Qt's UTF-16 units, so that a Czech text
// cannot slip past. What does not fit is left out at a character boundary (a
// paste keeps its beginning, a key pressed at the bound does nothing), and a
// tooltip at the field says why (text_bound_hint).
#pragma once

#include <cstddef>

class QAbstractItemView;
class QLineEdit;
class QPlainTextEdit;

void bound_text_bytes(QLineEdit* edit, std::size_t most_bytes);
// Each line of the memo: a note, or a line of a file edited as text.
void bound_line_bytes(QPlainTextEdit* memo, std::size_t most_bytes);
// Each cell of the grid, edited in place.
void bound_cell_bytes(QAbstractItemView* grid, std::size_t most_bytes);
