// Maximum shelf loads: the "Max ... Kg" labels of bays and free modules, taken
// from the maximum-load table, and the pass that marks where bays meet at
// corners or a free module stands against a bay.
#pragma once

#include <string>

#include "model/base/records.h"

// The label of a bay or a free module, or the empty text when its length has
// no usable row in the maximum-load table.
std::string max_load_label(const Tmodulo& bay);
std::string max_load_label_free(const Tmodulo_agg& module);

// The normal maximum load of a module length; 0 when the table has none.
double max_load_lookup(double length);

// The load of a module of own_length joined to one of neighbour_length: the
// smaller of its own load and the limit the neighbour imposes (0 when none).
double max_load_pair(double neighbour_length, double own_length);

// Recomputes the transient load overrides of every bay and free module of the cell.
void recompute_cell_load_overrides(Tcell& cell);
// The same for every cell.
void recompute_load_overrides();
