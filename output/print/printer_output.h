// The printer road of the printed document: every page is rendered on one
// bitmap of the printer's page size and sent when it lies in the chosen range.
// The printer is any PrinterSink: the print window hands in the system's.
#pragma once

#include "output/print/page_context.h"
#include "output/print/page_pipeline.h"

// Renders the whole document to the printer, sending the pages of the range,
// while the wait box is shown.
void print_document(PageContext& page, PrinterSink& printer, const PageRange& range);
