// The printer and PDF roads of the printed document: page ranges on a fake
// printer, and the files checked by real PDF tools. (The customer block of the
// PDF is checked with the mail attachment, the blank page with the preview.)
#include <filesystem>

#include "external_tool.h"
#include "output/print/pdf_output.h"
#include "output/print/printer_output.h"
#include "print_roads_fixture.h"
#include "support/print_sample.h"
#include "support/room_outline.h"
#include "support/scripted_ui.h"

namespace {

constexpr const char* kQpdf = "/usr/bin/qpdf";
constexpr const char* kPdfimages = "/usr/bin/pdfimages";

class FakePrinter : public PrinterSink {
 public:
  explicit FakePrinter(QSize pixels = {420, 594}) : pixels_(pixels) {}
  QSize page_pixels() const override { return pixels_; }
  void new_page() override { ++new_pages; }
  void draw_page(const QImage& page) override { pages.push_back(page.copy()); }
  int new_pages = 0;
  std::vector<QImage> pages;

 private:
  QSize pixels_;
};

// Rows of the column x, from top to bottom, that are not white.
int inked_rows(const QImage& page, int x, int top, int bottom) {
  int inked = 0;
  for (int y = top; y < bottom; ++y) inked += page.pixel(x, y) != qRgb(255, 255, 255);
  return inked;
}

TEST_F(PrintRoads, APageRangeSendsOnlyItsPagesButRendersThemAll) {
  cell_pages(5);
  FakePrinter printer;
  print_document(page, printer, PageRange{false, 2, 3});
  EXPECT_EQ(page.pages_rendered, 5);
  EXPECT_EQ(page.pages_emitted, 2);
  EXPECT_EQ(printer.new_pages, 1) << "only before the second page sent";
  ASSERT_EQ(printer.pages.size(), 2u);
  EXPECT_EQ(printer.pages[0].size(), QSize(420, 594));
  EXPECT_EQ(ui_->wait_box_shows, 1);
  EXPECT_FALSE(ui_->wait_box_shown);
  EXPECT_TRUE(page.page_bitmap.isNull()) << "the page is released";

  FakePrinter every;
  print_document(page, every, PageRange{});
  EXPECT_EQ(every.pages.size(), 5u);
  EXPECT_EQ(every.new_pages, 4);
}

TEST_F(PrintRoads, EveryPageDrawsItsFrameWithThePenThePreviousPageLeft) {
  // A quote of 32 rows is two pages; the frame's top edge runs 1 mm below the
  // sheet's, through a band where nothing else is drawn.
  page.options.drawings_part = false;
  Tcodice row;
  row.alt_code = "A1";
  row.price = 1;
  CodesTable = {row};
  Cells.emplace_back();
  QuoteDetails = {Tdett_prv(32, Trec_prv{0, 1, 0, "R"})};
  FakePrinter printer({2101, 2971});
  print_document(page, printer, PageRange{});
  ASSERT_EQ(printer.pages.size(), 2u);
  EXPECT_EQ(inked_rows(printer.pages[0], 1050, 0, 50), 3) << "0.3 mm at 10 pixels a millimetre";
  EXPECT_EQ(inked_rows(printer.pages[1], 1050, 0, 50), 3);
}

TEST_F(PrintRoads, PdfFilesPassTheToolsWithOneFullPageImageEach) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kQpdf);
  SKIP_OR_FAIL_WITHOUT_TOOL(kPdfinfo);
  SKIP_OR_FAIL_WITHOUT_TOOL(kPdfimages);
  for (int pages : {1, 3}) {
    Cells.clear();
    cell_pages(pages);
    std::string path = program_dir_.file("user/document.pdf");
    make_pdf(page, path, true);
    EXPECT_NE(tool_output(kQpdf, {"--check", path}).find("No syntax or stream encoding errors"), std::string::npos);
    EXPECT_EQ(info_line(path, "Pages:"), std::to_string(pages));
    EXPECT_EQ(info_line(path, "Page size:"), "2100 x 2970 pts");
    EXPECT_EQ(info_line(path, "Title:"), "titolo");
    std::string images = tool_output(kPdfimages, {"-list", path});
    int full_pages = 0;
    for (std::size_t at = images.find(" 2100  2970  rgb"); at != std::string::npos;
         at = images.find(" 2100  2970  rgb", at + 1))
      ++full_pages;
    EXPECT_EQ(full_pages, pages) << images;
    EXPECT_TRUE(page.page_bitmap.isNull());
    EXPECT_EQ(page.pdf_writer, nullptr);
  }
}

TEST_F(PrintRoads, AnUnwritableTargetRaisesAndWritesNothing) {
  cell_pages(2);
  std::string folder = program_dir_.file("user/taken.pdf");
  std::filesystem::create_directories(folder);  // a folder stands where the file would go
  EXPECT_ANY_THROW(make_pdf(page, folder, true));
  EXPECT_TRUE(std::filesystem::is_directory(folder));
  EXPECT_TRUE(std::filesystem::is_empty(folder));
  EXPECT_TRUE(page.page_bitmap.isNull()) << "the page is released";
  EXPECT_EQ(page.pdf_writer, nullptr);
  EXPECT_ANY_THROW(make_pdf(page, program_dir_.file("missing/out.pdf"), true));
  EXPECT_FALSE(std::filesystem::exists(program_dir_.file("missing")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program_dir_.file("user")),
                          std::filesystem::directory_iterator()),
            1)
      << "no temporary file is left behind";
}

TEST_F(PrintRoads, APdfIsAnnouncedByABeepOnlyOnceItIsWritten) {
  cell_pages(1);
  EXPECT_ANY_THROW(make_pdf(page, program_dir_.file("missing/out.pdf"), true));
  EXPECT_EQ(ui_->beeps, 0);
  make_pdf(page, program_dir_.file("user/out.pdf"), true);
  EXPECT_EQ(ui_->beeps, 1);
}

TEST_F(PrintRoads, ASampleProjectPrintsItsQuoteThenOnePlanPerCell) {
  load_print_data("IT");
  make_print_sample(2);
  ASSERT_EQ(render(), 3);
  EXPECT_EQ(page.first_drawing_page, 1);
  EXPECT_EQ(canvas().find("Room 1").front().page, 0) << "its block in the quote";
  EXPECT_EQ(canvas().find("Room 1").back().page, 1) << "the caption under its plan";
  EXPECT_EQ(canvas().find("Room 2 (x2)").back().page, 2);
  EXPECT_EQ(text("PREVENTIVO").page, 0);
  EXPECT_FALSE(page.summary[1].empty());
}

}  // namespace
