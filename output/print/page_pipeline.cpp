#include "output/print/page_pipeline.h"

#include "output/print/page_headers.h"
#include "output/print/pdf_output.h"

namespace {

// The one page bitmap of the printer and the PDF, white again for the next
// page. The pen keeps its width, so the next page's frame and header lines
// are as thick as the last page's.
void reuse_page_bitmap(PageContext& page, PageFont font) {
  const int pen_width = page.canvas().pen_width();
  page.page_bitmap.fill(Qt::white);
  page.canvas().begin(page.page_bitmap, font);
  page.canvas().set_pen_width(pen_width);
}

}  // namespace

void start_new_page(PageContext& page, int w, int h, int mode, PageFont font) {
  // The canvas lets go of the finished page before it is sent or another is added.
  page.canvas().end();
  switch (mode) {
    case kPreviewMode: {
      page.last_page_index += 1;
      page.preview_pages.emplace_back(page.preview_size, QImage::Format_RGB32);
      page.preview_pages.back().fill(Qt::white);
      page.canvas().begin(page.preview_pages.back(), font);
      break;
    }
    case kPrinterMode:
      emit_printer_page(page);
      reuse_page_bitmap(page, font);
      break;
    default:
      emit_pdf_page(page);
      reuse_page_bitmap(page, font);
      break;
  }
  draw_page_header(page, w, h);
}

void emit_printer_page(PageContext& page) {
  page.pages_rendered += 1;
  const PageRange& range = page.printer_range;
  if (!range.all && (page.pages_rendered < range.from || page.pages_rendered > range.to)) return;
  page.pages_emitted += 1;
  if (page.pages_emitted > 1) page.printer->new_page();
  page.printer->draw_page(page.page_bitmap);
}
