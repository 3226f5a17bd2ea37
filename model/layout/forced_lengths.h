// Forcing the bay lengths of one wall run by hand: one catalogue length per
// bay, chosen by its index in LengthList, so the stored millimetres are
// exactly the catalogue's. A total that does not match the wall stays
// allowed; the dialog shows the difference.
#pragma once

#include <vector>

#include "model/base/records.h"

struct ForcedLengthsForm {
  int wall = -1;
  std::vector<int> choices;  // per bay: an index into LengthList, -1 for none
  double start_total = 0.0;  // the bays' lengths when the form was made, mm
};

// One row per bay of the cell's wall, each choosing the catalogue length
// equal to the bay's current one (none when the catalogue lacks it).
ForcedLengthsForm forced_lengths_form(const Tcell& cell, int wall);

// The total of the rows, mm; a row without a choice counts the bay's current length.
double forced_lengths_total(const ForcedLengthsForm& form, const Tcell& cell);

// Stores one length per bay (a row without a choice keeps that bay's current
// length), lays the cell out again, takes an undo snapshot and redraws.
void apply_forced_lengths(const ForcedLengthsForm& form);
// Returns the wall to automatic lengths, lays out, takes an undo snapshot, redraws.
void remove_forced_lengths(int wall);
