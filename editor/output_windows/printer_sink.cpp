#include "editor/output_windows/printer_sink.h"

#include <stdexcept>

QPrinterSink::~QPrinterSink() {
  if (painter_.isActive()) painter_.end();
}

QSize QPrinterSink::page_pixels() const { return printer_.pageLayout().paintRectPixels(kPrinterDpi).size(); }

void QPrinterSink::new_page() { printer_.newPage(); }

void QPrinterSink::draw_page(const QImage& page) {
  if (!painter_.isActive() && !painter_.begin(&printer_)) throw std::runtime_error("The printer cannot be opened.");
  painter_.drawImage(0, 0, page);
}
