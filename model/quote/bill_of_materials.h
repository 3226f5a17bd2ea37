// The bill of materials: every cell's walls, bays, end frames, free modules,
// trolleys and compact groups counted against the price and code table.
#pragma once

// Rebuilds the compact groups, then replaces QuoteDetails with one array of
// lines per cell, each in codes-table order. Components without a row are left out.
void build_bill_of_materials();
