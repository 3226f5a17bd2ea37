// The files TPrintPDF writes as real PDF tools see them: valid structure,
// pages, size and title, and the page rendered back pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "external_tool.h"
#include "model/base/file_io.h"
#include "pdf_inspection.h"
#include "support/temp_dir.h"

namespace {

constexpr const char* kQpdf = "/usr/bin/qpdf";
constexpr const char* kPdfinfo = "/usr/bin/pdfinfo";
constexpr const char* kPdftoppm = "/usr/bin/pdftoppm";

// A document as the program writes it, full pages drawn at the top left, for the tools to read.
std::string write_document(const TempDir& dir, const TestImage& page, int pages, bool compress) {
  std::string path = dir.file("document.pdf");
  write_file_safely(path, image_pages_pdf(page, pages, compress, "titolo (copia").bytes());
  return path;
}

// The pixels of a binary PPM as R G B rows; fails the test on another format.
std::string ppm_pixels(const std::string& ppm, int width, int height) {
  std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
  EXPECT_EQ(ppm.substr(0, header.size()), header);
  return ppm.substr(header.size());
}

// poppler scales a full-page image by a hair, so an edge may come out blended
// with its neighbour: a rendered value must match the drawn one, or lie within
// the values drawn around it. Swapped channels, flipped or shifted rows fail.
bool renders_as_drawn(const std::string& drawn, const std::string& rendered, int width, int height, int x, int y,
                      int channel) {
  constexpr int kTolerance = 2;
  auto value = [&](const std::string& pixels, int px, int py) {
    return static_cast<int>(static_cast<unsigned char>(pixels[3 * (std::size_t(py) * width + px) + channel]));
  };
  int got = value(rendered, x, y);
  if (std::abs(got - value(drawn, x, y)) <= kTolerance) return true;
  int low = 255, high = 0;
  for (int py = std::max(0, y - 1); py <= std::min(height - 1, y + 1); ++py)
    for (int px = std::max(0, x - 1); px <= std::min(width - 1, x + 1); ++px) {
      low = std::min(low, value(drawn, px, py));
      high = std::max(high, value(drawn, px, py));
    }
  return got >= low - kTolerance && got <= high + kTolerance;
}

}  // namespace

TEST(PdfTools, QpdfFindsNoFaultCompressedOrNot) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kQpdf);
  TempDir dir;
  for (bool compress : {true, false}) {
    ToolResult check = run_tool(kQpdf, {"--check", write_document(dir, drawn_page(210, 297), 3, compress)});
    EXPECT_EQ(check.exit_code, 0) << check.output;
  }
}

TEST(PdfTools, PdfinfoReadsPagesSizeAndTitle) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kPdfinfo);
  TempDir dir;
  ToolResult info = run_tool(kPdfinfo, {write_document(dir, drawn_page(2100, 2970), 2, true)});
  ASSERT_EQ(info.exit_code, 0) << info.output;
  for (const char* line : {"Title:           titolo (copia\n", "Pages:           2\n",
                           "Page size:       2100 x 2970 pts", "PDF version:     1.4\n"})
    EXPECT_NE(info.output.find(line), std::string::npos) << line << " in " << info.output;
}

TEST(PdfTools, PdftoppmRendersThePageAsItWasDrawn) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kPdftoppm);
  TempDir dir;
  TestImage page = drawn_page(2100, 2970);
  std::string pdf = write_document(dir, page, 1, true);
  ToolResult render = run_tool(kPdftoppm, {"-r", "72", "-singlefile", pdf, dir.file("page")});
  ASSERT_EQ(render.exit_code, 0) << render.output;
  std::string rendered = ppm_pixels(read_file_bytes(dir.file("page.ppm")), 2100, 2970);
  std::string expected = page.rgb_rows();
  ASSERT_EQ(rendered.size(), expected.size());
  std::size_t off_pixels = 0;
  for (int y = 0; y < page.height; ++y)
    for (int x = 0; x < page.width; ++x)
      for (int channel = 0; channel < 3; ++channel)
        if (!renders_as_drawn(expected, rendered, page.width, page.height, x, y, channel)) ++off_pixels;
  EXPECT_EQ(off_pixels, 0u);
}
