// Reads back what the PDF writer saved, through its own cross-reference
// table, so tests can look at objects, streams and their data.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "output/pdf_writer.h"
#include "output/raster_view.h"

// zlib's inflate of a whole zlib stream; raises std::runtime_error on damaged data.
std::string inflate_bytes(std::string_view compressed);

class ParsedPdf {
 public:
  // Raises std::runtime_error when the file has no readable xref table.
  explicit ParsedPdf(std::string file);

  const std::string& bytes() const { return file_; }
  int size() const { return size_; }  // /Size of the trailer
  std::size_t xref_offset() const { return xref_offset_; }
  const std::vector<std::string>& xref_lines() const { return xref_lines_; }  // with their CR LF
  const std::string& trailer() const { return trailer_; }

  // Object k from its object line to the start of the next object.
  std::string object(int k) const;
  // The value of /Length (followed through a reference) and the data it covers.
  std::size_t stream_length(int k) const;
  std::string stream_data(int k) const;
  // Numbers of the objects whose text holds the given marker, e.g. "/Type /Page\r\n".
  std::vector<int> objects_with(std::string_view marker) const;

 private:
  std::size_t offset(int object) const { return offsets_.at(object - 1); }

  std::string file_;
  int size_ = 0;
  std::size_t xref_offset_ = 0;
  std::vector<std::string> xref_lines_;
  std::vector<std::size_t> offsets_;
  std::string trailer_;
};

// An image held in memory with the layout and row padding a test chooses.
struct TestImage {
  int width;
  int height;
  PixelLayout layout;
  std::ptrdiff_t bytes_per_row;
  std::vector<unsigned char> bytes;

  TestImage(int w, int h, PixelLayout pixel_layout = kRgb24, std::ptrdiff_t row_bytes = 0);
  void set(int x, int y, unsigned char r, unsigned char g, unsigned char b);
  RgbRasterView view() const;
  // The rows as the writer must store them: R G B, no padding.
  std::string rgb_rows() const;
};

// A white image with a frame, a few lines and coloured blocks, like a drawn page.
TestImage drawn_page(int width, int height);

// Writes a document to a fresh file: BeginDoc, whatever draw does, EndDoc;
// then reads the file back.
ParsedPdf write_and_read(TPrintPDF& pdf, const std::function<void(TPrintPDF&)>& draw);

// Draws the image at the top left of each of the pages, as the program draws
// its page bitmaps: a NewPage before every page but the first.
void draw_on_pages(TPrintPDF& pdf, const TestImage& image, int pages);

// A document of pages the image's size, each filled by the image, read back.
ParsedPdf image_pages_pdf(const TestImage& image, int pages = 1, bool compress = true, const std::string& title = "");
