#include "output/print/pdf_output.h"

#include "model/state/ui_seam.h"
#include "output/pdf_writer.h"
#include "output/print/render_driver.h"

namespace {

constexpr int kPdfPageWidth = 2100;
constexpr int kPdfPageHeight = 2970;

// Releases the page bitmap and forgets the writer however make_pdf ends.
class PdfRoad {
 public:
  PdfRoad(PageContext& page, TPrintPDF& writer) : page_(page) {
    page_.pdf_writer = &writer;
    page_.pages_rendered = 0;
    page_.pages_emitted = 0;
    page_.page_bitmap = QImage(kPdfPageWidth, kPdfPageHeight, QImage::Format_RGB32);
    page_.page_bitmap.fill(Qt::white);
    page_.canvas().begin(page_.page_bitmap, page_.print_font);
  }
  ~PdfRoad() {
    page_.canvas().end();
    page_.page_bitmap = QImage();
    page_.pdf_writer = nullptr;
  }
  PdfRoad(const PdfRoad&) = delete;
  PdfRoad& operator=(const PdfRoad&) = delete;

 private:
  PageContext& page_;
};

}  // namespace

void emit_pdf_page(PageContext& page) {
  page.pages_rendered += 1;
  page.pages_emitted += 1;
  if (page.pages_emitted > 1) page.pdf_writer->NewPage();
  const QImage& bitmap = page.page_bitmap;
  // The writer reads the bitmap's own rows; nothing is copied.
  RgbRasterView view{bitmap.width(), bitmap.height(), bitmap.constBits(), bitmap.bytesPerLine(), kBgrx32};
  page.pdf_writer->Draw(0, 0, view);
}

void make_pdf(PageContext& page, const std::string& path, bool with_customer) {
  TPrintPDF writer;
  writer.TITLE = "titolo";
  writer.Compress = true;
  writer.PageWidth = kPdfPageWidth;
  writer.PageHeight = kPdfPageHeight;
  writer.FileName = path;
  writer.BeginDoc();
  {
    PdfRoad road(page, writer);
    page.print_customer_block = with_customer;
    render_document(page, kPdfPageWidth - 1, kPdfPageHeight - 1, kPdfMode);
    page.canvas().end();
    emit_pdf_page(page);
  }
  writer.EndDoc();
  ui().beep();
}
