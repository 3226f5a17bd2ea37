#include "output/print/printer_output.h"

#include <stdexcept>

#include "model/state/ui_seam.h"
#include "output/print/render_driver.h"

namespace {

// Releases the page bitmap and closes the wait box however printing ends.
class PrinterRoad {
 public:
  PrinterRoad(PageContext& page, PrinterSink& printer, const PageRange& range) : page_(page) {
    page_.printer = &printer;
    page_.printer_range = range;
    page_.pages_rendered = 0;
    page_.pages_emitted = 0;
    QSize size = printer.page_pixels();
    page_.page_bitmap = QImage(size, QImage::Format_RGB32);
    if (page_.page_bitmap.isNull()) throw std::runtime_error("The printer's page is too large to render.");
    page_.page_bitmap.fill(Qt::white);
    page_.canvas().begin(page_.page_bitmap, page_.print_font);
    ui().show_wait_box();
  }
  ~PrinterRoad() {
    page_.canvas().end();
    page_.page_bitmap = QImage();
    page_.printer = nullptr;
    ui().hide_wait_box();
  }
  PrinterRoad(const PrinterRoad&) = delete;
  PrinterRoad& operator=(const PrinterRoad&) = delete;

 private:
  PageContext& page_;
};

}  // namespace

void print_document(PageContext& page, PrinterSink& printer, const PageRange& range) {
  PrinterRoad road(page, printer, range);
  page.print_customer_block = true;
  QSize size = page.page_bitmap.size();
  render_document(page, size.width() - 1, size.height() - 1, kPrinterMode);
  page.canvas().end();
  emit_printer_page(page);
}
