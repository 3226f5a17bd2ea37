#include "pdf_inspection.h"

#include <zlib.h>

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "model/base/file_io.h"
#include "support/temp_dir.h"

namespace {

std::size_t parse_number(std::string_view text) {
  std::size_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end == text.data()) throw std::runtime_error("no number in: " + std::string(text));
  return value;
}

// The text after key up to the end of its line.
std::string_view value_after(std::string_view text, std::string_view key) {
  std::size_t at = text.find(key);
  if (at == std::string_view::npos) throw std::runtime_error("missing " + std::string(key));
  std::string_view rest = text.substr(at + key.size());
  return rest.substr(0, rest.find("\r\n"));
}

}  // namespace

std::string inflate_bytes(std::string_view compressed) {
  z_stream zs{};
  if (inflateInit(&zs) != Z_OK) throw std::runtime_error("inflateInit failed");
  zs.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  zs.avail_in = static_cast<uInt>(compressed.size());
  std::string out;
  int result = Z_OK;
  while (result == Z_OK) {
    char chunk[65536];
    zs.next_out = reinterpret_cast<Bytef*>(chunk);
    zs.avail_out = sizeof chunk;
    result = inflate(&zs, Z_NO_FLUSH);
    out.append(chunk, sizeof chunk - zs.avail_out);
  }
  bool complete = result == Z_STREAM_END && zs.avail_in == 0;
  inflateEnd(&zs);
  if (!complete) throw std::runtime_error("damaged or incomplete zlib stream");
  return out;
}

ParsedPdf::ParsedPdf(std::string file) : file_(std::move(file)) {
  std::size_t start = file_.rfind("startxref\r\n");
  if (start == std::string::npos) throw std::runtime_error("no startxref");
  xref_offset_ = parse_number(std::string_view(file_).substr(start + 11));
  std::size_t at = xref_offset_;
  auto next_line = [&] {
    std::size_t end = file_.find("\r\n", at);
    if (end == std::string::npos) throw std::runtime_error("unterminated line in xref");
    std::string line = file_.substr(at, end + 2 - at);
    at = end + 2;
    return line;
  };
  if (next_line() != "xref\r\n") throw std::runtime_error("no xref at startxref");
  std::string range = next_line();
  if (range.rfind("0 ", 0) != 0) throw std::runtime_error("xref does not start at 0");
  size_ = static_cast<int>(parse_number(std::string_view(range).substr(2)));
  for (int k = 0; k < size_; ++k) {
    xref_lines_.push_back(next_line());
    if (k > 0) offsets_.push_back(parse_number(xref_lines_.back()));
  }
  trailer_ = file_.substr(at);
}

std::string ParsedPdf::object(int k) const {
  std::size_t begin = offset(k);
  std::size_t end = xref_offset_;
  for (std::size_t other : offsets_)
    if (other > begin) end = std::min(end, other);
  return file_.substr(begin, end - begin);
}

std::size_t ParsedPdf::stream_length(int k) const {
  std::string text = object(k);
  std::string_view value = value_after(text, "/Length ");
  if (value.find(" 0 R") == std::string_view::npos) return parse_number(value);
  std::string length_object = object(static_cast<int>(parse_number(value)));
  return parse_number(std::string_view(length_object).substr(length_object.find("\r\n") + 2));
}

std::string ParsedPdf::stream_data(int k) const {
  std::string text = object(k);
  std::size_t begin = text.find("\r\nstream\r\n");
  if (begin == std::string::npos) throw std::runtime_error("object " + std::to_string(k) + " has no stream");
  return text.substr(begin + 10, stream_length(k));
}

std::vector<int> ParsedPdf::objects_with(std::string_view marker) const {
  std::vector<int> found;
  for (int k = 1; k < size_; ++k)
    if (object(k).find(marker) != std::string::npos) found.push_back(k);
  return found;
}

ParsedPdf write_and_read(TPrintPDF& pdf, const std::function<void(TPrintPDF&)>& draw) {
  TempDir dir;
  pdf.FileName = dir.file("written.pdf");
  pdf.BeginDoc();
  draw(pdf);
  pdf.EndDoc();
  return ParsedPdf(read_file_bytes(pdf.FileName));
}

TestImage::TestImage(int w, int h, PixelLayout pixel_layout, std::ptrdiff_t row_bytes)
    : width(w),
      height(h),
      layout(pixel_layout),
      bytes_per_row(row_bytes ? row_bytes : w * pixel_layout.bytes_per_pixel),
      bytes(static_cast<std::size_t>(bytes_per_row) * h, 0xFF) {}

void TestImage::set(int x, int y, unsigned char r, unsigned char g, unsigned char b) {
  unsigned char* pixel = bytes.data() + y * bytes_per_row + x * layout.bytes_per_pixel;
  pixel[layout.red] = r;
  pixel[layout.green] = g;
  pixel[layout.blue] = b;
}

RgbRasterView TestImage::view() const { return {width, height, bytes.data(), bytes_per_row, layout}; }

std::string TestImage::rgb_rows() const {
  std::string rows;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const unsigned char* pixel = bytes.data() + y * bytes_per_row + x * layout.bytes_per_pixel;
      for (int channel : {layout.red, layout.green, layout.blue}) rows += static_cast<char>(pixel[channel]);
    }
  return rows;
}

TestImage drawn_page(int width, int height) {
  TestImage page(width, height);
  for (int x = 0; x < width; ++x)
    for (int y : {0, height / 3, height - 1}) page.set(x, y, 0, 0, 0);
  for (int y = 0; y < height; ++y)
    for (int x : {0, width / 2, width - 1}) page.set(x, y, 0, 0, 0);
  for (int y = height / 2; y < height / 2 + height / 10; ++y)
    for (int x = width / 8; x < width / 3; ++x) page.set(x, y, 200, 30, 40);
  for (int y = height / 5; y < height / 4; ++y)
    for (int x = width * 3 / 5; x < width * 4 / 5; ++x) page.set(x, y, 20, 90, 210);
  return page;
}

void draw_on_pages(TPrintPDF& pdf, const TestImage& image, int pages) {
  for (int page = 1; page <= pages; ++page) {
    if (page > 1) pdf.NewPage();
    pdf.Draw(0, 0, image.view());
  }
}

ParsedPdf image_pages_pdf(const TestImage& image, int pages, bool compress, const std::string& title) {
  TPrintPDF pdf;
  pdf.TITLE = title;
  pdf.Compress = compress;
  pdf.PageWidth = image.width;
  pdf.PageHeight = image.height;
  return write_and_read(pdf, [&](TPrintPDF& writer) { draw_on_pages(writer, image, pages); });
}
