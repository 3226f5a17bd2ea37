// The system printer as the print road's printer: a QPrinter, which the print
// window sets up through the print dialog. It lives with the windows because
// Qt's printing brings its widgets along, and the outputs need none.
#pragma once

#include <QPainter>
#include <QPrinter>

#include "output/print/page_pipeline.h"

// The document begins with the first page drawn and ends when the sink goes.
// Set the printer's resolution first.
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
