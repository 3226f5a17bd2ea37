// The PDF road of the printed document: every page is rendered on one
// 2100 x 2970 bitmap and put on a PDF page as a single image.
#pragma once

#include <string>

#include "output/print/page_context.h"

// Writes the whole document to path, with or without the customer block in
// the page headers. Raises the writer's errors; no file is written then and
// the page bitmap is released. Beeps once the file is written.
void make_pdf(PageContext& page, const std::string& path, bool with_customer);
// Puts the finished page bitmap on the PDF as the content of the current page.
void emit_pdf_page(PageContext& page);
