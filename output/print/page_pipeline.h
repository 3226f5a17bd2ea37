// The page pipeline under the renderer: what the current page is in each
// output mode and how a finished page leaves it. Preview pages are kept as
// images; printer and PDF pages are drawn on one page bitmap that is sent,
// cleared and reused.
#pragma once

#include <QImage>
#include <QSize>

#include "output/print/page_context.h"

// The printer as the print road sees it; tests put a fake one in its place.
class PrinterSink {
 public:
  virtual ~PrinterSink() = default;
  // The printable page in printer pixels.
  virtual QSize page_pixels() const = 0;
  virtual void new_page() = 0;
  // The page bitmap at the top left of the current printer page, unscaled.
  virtual void draw_page(const QImage& page) = 0;
};

// Finishes the current page, opens the next in the given mode and draws its header.
void start_new_page(PageContext& page, int w, int h, int mode, PageFont font);
// Sends the page bitmap to the printer as the next page when it lies in the range.
void emit_printer_page(PageContext& page);
