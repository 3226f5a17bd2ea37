// The bill of materials: every cell's walls, bays, end frames, free modules,
// trolleys and compact groups counted against the price and code table.
#pragma once

#include "model/base/records.h"
#include "model/quote/code_lookup.h"

// Rebuilds the compact groups, then replaces QuoteDetails with one array of
// lines per cell, each in codes-table order. Components without a row are left out.
void build_bill_of_materials();
// The lines of one cell, in codes-table order, for the pages and exports that
// walk every cell; its compact groups are taken as they stand.
Tdett_prv bill_of_cell(CodeIndex& index, const Tcell& cell);
