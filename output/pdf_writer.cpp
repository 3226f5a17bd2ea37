#include "pdf_writer.h"

#include <array>
#include <ctime>
#include <stdexcept>

#include "model/base/file_io.h"
#include "output/deflate_stream.h"
#include "output/pdf_text.h"

using std::to_string;

namespace {

// The standard Type 1 fonts every document lists as F1 .. F14.
constexpr std::array<const char*, 14> kBaseFonts = {
    "Helvetica",   "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Courier",     "Courier-Bold",   "Courier-Oblique",   "Courier-BoldOblique",
    "Times-Roman", "Times-Bold",     "Times-Italic",      "Times-BoldItalic",
    "Symbol",      "ZapfDingbats"};

std::string reference(int object) { return to_string(object) + " 0 R"; }

std::string local_date_digits_now() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return pdf_date_digits(local);
}

}  // namespace

void TPrintPDF::BeginDoc() {
  discard_document();
  page_number_ = 1;
  document_open_ = true;
  compressing_ = Compress;
  add_line(document_, "%PDF-1.4");
  write_info();
  open_content_stream();
}

void TPrintPDF::NewPage() {
  require_open_document("NewPage");
  ++page_number_;
  close_content_stream();
  open_content_stream();
}

void TPrintPDF::Draw(int x, int y, const RgbRasterView& image) {
  require_open_document("Draw");
  check_raster_view(image);
  const int number = static_cast<int>(image_objects_.size()) + 1;
  image_objects_.push_back(image_object(number, image));
  const long long bottom = static_cast<long long>(PageHeight) - y - image.height;
  add_line(page_content_, "q");
  add_line(page_content_, to_string(image.width) + " 0 0 " + to_string(image.height) + " " + to_string(x) + " " +
                              to_string(bottom) + " cm");
  add_line(page_content_, "/Im" + to_string(number) + " Do");
  add_line(page_content_, "Q");
}

void TPrintPDF::EndDoc() {
  require_open_document("EndDoc");
  close_content_stream();
  write_outlines();
  write_fonts();
  write_pages();
  write_resources();
  write_images();
  write_page_objects();
  write_catalog();
  write_xref_and_trailer();
  add_line(document_, "%%EOF");
  // The document is over whether or not the file can be saved; its memory goes now.
  std::string file = std::move(document_);
  discard_document();
  write_file_safely(FileName, file);
}

void TPrintPDF::discard_document() {
  document_open_ = false;
  object_count_ = 0;
  document_ = std::string();
  offsets_.clear();
  content_object_.clear();
  page_content_.clear();
  content_objects_.clear();
  image_objects_.clear();
  font_objects_.clear();
}

void TPrintPDF::require_open_document(const char* call) const {
  if (!document_open_) throw std::logic_error(std::string("TPrintPDF::") + call + " called outside a document");
}

// Starts an object with its object line and returns its number.
int TPrintPDF::begin_object(std::string& object) {
  object.clear();
  const int number = ++object_count_;
  add_line(object, to_string(number) + " 0 obj");
  return number;
}

// Objects reach the file in the order of their numbers, so the offset of
// object k is what the file holds before it.
void TPrintPDF::append_object(const std::string& object) {
  offsets_.push_back(document_.size());
  document_ += object;
}

// Appends an object made of the lines and "endobj"; returns its number.
int TPrintPDF::append_lines_object(const std::vector<std::string>& lines) {
  std::string object;
  const int number = begin_object(object);
  for (const std::string& line : lines) add_line(object, line);
  add_line(object, "endobj");
  append_object(object);
  return number;
}

void TPrintPDF::write_info() {
  append_lines_object({"<<", "/Producer " + pdf_text_string(Producer), "/Author " + pdf_text_string(Author),
                       "/CreationDate (D:" + local_date_digits_now() + ")", "/Creator " + pdf_text_string(Creator),
                       "/Keywords " + pdf_text_string(Keywords), "/Subject " + pdf_text_string(Subject),
                       "/Title " + pdf_text_string(TITLE), "/ModDate ()", ">>"});
}

// The content stream's object is numbered when its page opens but goes into
// the file only when the page closes and its data is known; its length follows
// as the next object.
void TPrintPDF::open_content_stream() {
  const int number = begin_object(content_object_);
  content_objects_.push_back(number);
  add_line(content_object_, "<< /Length " + reference(number + 1));
  if (compressing_) add_line(content_object_, "/Filter [/FlateDecode]");
  add_line(content_object_, " >>");
  add_line(content_object_, "stream");
  page_content_.clear();
}

void TPrintPDF::close_content_stream() {
  const std::string data = compressing_ ? deflate_bytes(page_content_) : page_content_;
  page_content_.clear();
  content_object_ += data;
  add_line(content_object_, "endstream");
  add_line(content_object_, "endobj");
  append_object(content_object_);
  content_object_.clear();
  append_lines_object({to_string(data.size())});
}

// An image's dictionary, "stream" line and data; its object line and end come
// when the document ends and the image's object number is known.
std::string TPrintPDF::image_object(int image, const RgbRasterView& view) const {
  const std::string data = image_data(view);
  std::string object;
  add_line(object, "<< /Type /XObject");
  add_line(object, "/Subtype /Image");
  add_line(object, "/Width " + to_string(view.width));
  add_line(object, "/Height " + to_string(view.height));
  add_line(object, "/ColorSpace /DeviceRGB");
  add_line(object, "/BitsPerComponent 8");
  add_line(object, "/Length " + to_string(data.size()));
  add_line(object, "/Name /Im" + to_string(image));
  if (compressing_) add_line(object, "/Filter [/FlateDecode]");
  add_line(object, ">>");
  add_line(object, "stream");
  return object + data;
}

// The rows top to bottom as R G B without padding, deflated row by row when
// compressing so that no second copy of the raw page is made.
std::string TPrintPDF::image_data(const RgbRasterView& view) const {
  std::string scratch;
  if (compressing_) {
    DeflateStream stream;
    for (int y = 0; y < view.height; ++y) stream.append(rgb_row(view, y, scratch));
    return stream.finish();
  }
  std::string rows;
  rows.reserve(3 * static_cast<std::size_t>(view.width) * view.height);
  for (int y = 0; y < view.height; ++y) rows += rgb_row(view, y, scratch);
  return rows;
}

void TPrintPDF::write_outlines() { outlines_object_ = append_lines_object({"<< /Type /Outlines", "/Count 0", ">>"}); }

void TPrintPDF::write_fonts() {
  for (std::size_t f = 1; f <= kBaseFonts.size(); ++f)
    font_objects_.push_back(
        append_lines_object({"<< /Type /Font", "/Subtype /Type1", "/Name /F" + to_string(f),
                             std::string("/BaseFont /") + kBaseFonts[f - 1], "/Encoding /WinAnsiEncoding", ">>"}));
}

// Page objects come after Pages, Resources and the images, so their numbers
// follow from the counts of pages and images.
void TPrintPDF::write_pages() {
  const int first_page_object = object_count_ + 3 + static_cast<int>(image_objects_.size());
  std::vector<std::string> lines = {"<< /Type /Pages", "/Kids ["};
  for (std::size_t k = 0; k < content_objects_.size(); ++k)
    lines.push_back(reference(first_page_object + static_cast<int>(k)));
  lines.insert(lines.end(), {"]", "/Count " + to_string(page_number_), ">>"});
  pages_object_ = append_lines_object(lines);
}

// The images follow the resources directly, so image i is object Resources + i.
void TPrintPDF::write_resources() {
  const int resources = object_count_ + 1;
  std::vector<std::string> lines = {"<< /ProcSet [ /PDF /Text /ImageC]", "/XObject << "};
  for (std::size_t i = 1; i <= image_objects_.size(); ++i)
    lines.push_back("/Im" + to_string(i) + " " + reference(resources + static_cast<int>(i)));
  lines.insert(lines.end(), {">>", "/Font << "});
  for (std::size_t f = 1; f <= font_objects_.size(); ++f)
    lines.push_back("/F" + to_string(f) + " " + reference(font_objects_[f - 1]) + " ");
  lines.insert(lines.end(), {">>", ">>"});
  resources_object_ = append_lines_object(lines);
}

void TPrintPDF::write_images() {
  std::string object;
  for (std::string& image : image_objects_) {
    begin_object(object);
    object += image;
    add_line(object, "\r\nendstream");
    add_line(object, "endobj");
    append_object(object);
    image = std::string();  // an uncompressed page is large: let it go at once
  }
}

void TPrintPDF::write_page_objects() {
  for (int content : content_objects_)
    append_lines_object({"<< /Type /Page", "/Parent " + reference(pages_object_),
                         "/MediaBox [ 0 0 " + to_string(PageWidth) + " " + to_string(PageHeight) + "]",
                         "/Contents " + reference(content), "/Resources " + reference(resources_object_), ">>"});
}

void TPrintPDF::write_catalog() {
  catalog_object_ = append_lines_object(
      {"<< /Type /Catalog", "/Pages " + reference(pages_object_), "/Outlines " + reference(outlines_object_), ">>"});
}

void TPrintPDF::write_xref_and_trailer() {
  const int size = ++object_count_;  // the objects and the free entry 0
  const std::size_t xref_offset = document_.size();
  std::string table;
  add_line(table, "xref");
  add_line(table, "0 " + to_string(size));
  add_line(table, "0000000000 65535 f");
  for (std::size_t offset : offsets_) add_line(table, xref_entry(offset));
  add_line(table, "trailer");
  add_line(table, "<< /Size " + to_string(size));
  add_line(table, "/Root " + reference(catalog_object_));
  add_line(table, "/Info 1 0 R");
  add_line(table, ">>");
  add_line(table, "startxref");
  add_line(table, to_string(xref_offset));
  document_ += table;
}
