// The state of one rendering of the printed document: the options the print
// window offers, where pages go (preview images, printer or PDF), the pixel
// scales, pens and font of the page size, the part being drawn and the page
// counters. The quote pages, the cell pages and the page headers read and
// advance it; the render driver sets it up.
#pragma once

#include <QImage>
#include <QSize>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/quote/print_form.h"
#include "output/print/page_canvas.h"

class TPrintPDF;
class PrinterSink;

enum OutputMode { kPreviewMode = 0, kPrinterMode = 1, kPdfMode = 2 };

// Pages the printer road sends: all, or the numbers from..to (1 = first).
struct PageRange {
  bool all = true;
  int from = 1;
  int to = 1;
};

// The texts of the quote totals the print window shows beside the preview:
// Label4, Label4_, Label5, Label5_ .. Label8, Label8_.
using QuoteSummary = std::array<std::string, 10>;

struct PageContext {
  PrintOptions options;
  int output_mode = kPreviewMode;

  // The canvas of the page being drawn; tests put a recording one here.
  std::unique_ptr<PageCanvas> page_canvas = std::make_unique<PageCanvas>();
  QImage page_bitmap;                 // modes 1 and 2: the one page reused for every page
  std::vector<QImage> preview_pages;  // mode 0: one image per page
  QSize preview_size{460, 615};       // the size of the window's preview image

  int last_page_index = 0;     // newest preview page
  int shown_page = 0;          // preview page on view
  int first_drawing_page = 0;  // page where the cell drawings begin

  double px_per_mm_x = 1.0;
  double px_per_mm_y = 1.0;
  int pen_thick = 0;
  int pen_medium = 0;
  int pen_thin = 0;
  PageFont print_font;
  bool drawing_part = false;  // the page being drawn belongs to the cell drawings
  bool print_customer_block = true;
  std::optional<QImage> logo;  // the company logo, read once per rendering

  int pages_rendered = 0;  // modes 1 and 2: pages finished
  int pages_emitted = 0;   // modes 1 and 2: pages sent
  PrinterSink* printer = nullptr;
  PageRange printer_range;
  TPrintPDF* pdf_writer = nullptr;

  // Price-table columns in page millimetres.
  double c0 = 25.0, c1 = 130.0, c2 = 155.0, c3 = 165.0, c4 = 185.0;
  QuoteSummary summary;

  double plan_scale = 1.0;  // page pixels per plan millimetre
  int plan_text_band = 0;   // pixels kept free under each plan for its captions

  PageCanvas& canvas() { return *page_canvas; }
  // Page pixels of page millimetres, rounded.
  int px_x(double mm) const;
  int px_y(double mm) const;
};
