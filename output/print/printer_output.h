// The printer road of the printed document: every page is rendered on one
// bitmap of the printer's page size and sent when it lies in the chosen range.
#pragma once

#include <QPainter>
#include <QPrinter>

#include "output/print/page_context.h"
#include "output/print/page_pipeline.h"

// A QPrinter as the print road's printer. The document begins with the first
// page drawn and ends when the sink goes. Set the printer's resolution first.
class QPrinterSink : public PrinterSink {
 public:
  explicit QPrinterSink(QPrinter& printer) : printer_(printer) {}
  ~QPrinterSink() override;
  QPrinterSink(const QPrinterSink&) = delete;
  QPrinterSink& operator=(const QPrinterSink&) = delete;

  QSize page_pixels() const override;
  void new_page() override;
  void draw_page(const QImage& page) override;

 private:
  QPrinter& printer_;
  QPainter painter_;
};

// The printer's resolution: a page at 1200 dpi would need half a gigabyte.
inline constexpr int kPrinterDpi = 300;

// Renders the whole document to the printer, sending the pages of the range,
// while the wait box is shown.
void print_document(PageContext& page, PrinterSink& printer, const PageRange& range);
