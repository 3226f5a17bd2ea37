#include "output/print/render_driver.h"

#include "model/base/rounding.h"
#include "model/state/globals.h"
#include "output/print/cell_pages.h"
#include "output/print/page_headers.h"
#include "output/print/page_pipeline.h"
#include "output/print/page_size.h"
#include "output/print/quote_pages.h"

namespace {

int rounded(double value) { return static_cast<int>(Round(value)); }

}  // namespace

void set_page_scales(PageContext& page, int w, int h) {
  page.pen_thick = rounded(h * 0.38 / kPageHeightMm);
  page.pen_medium = rounded(h * 0.25 / kPageHeightMm);
  page.pen_thin = rounded(h * 0.15 / kPageHeightMm);
  page.print_font = PageFont{rounded(3.0 * h / kPageHeightMm), false};
  page.px_per_mm_x = w / kPageWidthMm;
  page.px_per_mm_y = h / kPageHeightMm;
}

void render_document(PageContext& page, int w, int h, int mode) {
  set_page_scales(page, w, h);
  page.output_mode = mode;
  page.canvas().set_font(page.print_font);
  page.canvas().set_pen_width(page.px_y(0.3));
  page.drawing_part = false;
  page.logo = load_logo(Company.logo);
  page.summary = {};

  const PrintOptions& options = page.options;
  if (options.quote_part) {
    draw_quote_pages(page, w, h, mode);
    if (options.drawings_part) {
      page.drawing_part = true;
      start_new_page(page, w, h, mode, page.print_font);
    }
  }
  if (options.drawings_part) {
    if (!options.quote_part) {
      page.drawing_part = true;
      draw_page_header(page, w, h);
    }
    draw_cell_pages(page, w, h, mode);
  }
}

void build_preview(PageContext& page) {
  page.canvas().end();
  page.last_page_index = 0;
  page.preview_pages.clear();
  page.preview_pages.emplace_back(page.preview_size, QImage::Format_RGB32);
  page.preview_pages.front().fill(Qt::white);
  page.canvas().begin(page.preview_pages.front(), page.print_font);
  page.print_customer_block = true;
  render_document(page, page.preview_size.width() - 1, page.preview_size.height() - 1, kPreviewMode);
  page.canvas().end();
}

int preview_page_count(const PageContext& page) { return static_cast<int>(page.preview_pages.size()); }
