// TPrintPDF writes a PDF 1.4 file whose pages carry full-page raster images:
// the PDF road of the printed document hands it one page bitmap per page. The
// whole file is put together in memory and saved in one safe write at the end.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "output/raster_view.h"

// A font choice the writer keeps for its callers; nothing in the file uses it.
struct TPDFFont {
  int number = 4;
  int size = 12;
};

class TPrintPDF {
 public:
  // The text Producer, Author and Creator start with.
  static constexpr const char* kDefaultProducer = "Rackwright";

  // Set before BeginDoc.
  std::string FileName;  // written by EndDoc
  std::string TITLE;     // Info /Title
  int PageWidth = 612;   // in PDF units: the media box and the placement of images
  int PageHeight = 792;
  int LineWidth = 1;  // kept, not written
  std::string Author = kDefaultProducer;
  std::string Creator = kDefaultProducer;
  std::string Keywords;
  std::string Subject;
  std::string Producer = kDefaultProducer;
  TPDFFont Font;         // kept, not written
  bool Compress = true;  // deflate the content and image streams

  // Pages opened so far: 1 after BeginDoc, one more per NewPage.
  int PageNumber() const { return page_number_; }

  // Starts a document with page 1 open; drops anything of an earlier one.
  void BeginDoc();
  // Closes the current page and opens the next.
  void NewPage();
  // Paints the image on the current page, its top left corner at (x, y) PDF
  // units from the page's top left corner, one unit per pixel. Raises
  // std::invalid_argument for an empty image.
  void Draw(int x, int y, const RgbRasterView& image);
  // Closes the last page and saves the file to FileName through a temporary
  // file and a rename. Raises FileError; the target is then left as it was.
  void EndDoc();

 private:
  void discard_document();
  void require_open_document(const char* call) const;
  int begin_object(std::string& object);
  void append_object(const std::string& object);
  int append_lines_object(const std::vector<std::string>& lines);
  void open_content_stream();
  void close_content_stream();
  std::string image_object(int image, const RgbRasterView& view) const;
  std::string image_data(const RgbRasterView& view) const;
  void write_info();
  void write_outlines();
  void write_fonts();
  void write_pages();
  void write_resources();
  void write_images();
  void write_page_objects();
  void write_catalog();
  void write_xref_and_trailer();

  bool document_open_ = false;
  bool compressing_ = true;  // Compress as it was at BeginDoc: a stream's filter and data must agree
  int page_number_ = 0;
  int object_count_ = 0;                    // the number of the last object begun
  std::string document_;                    // the file so far, object by object
  std::vector<std::size_t> offsets_;        // entry k - 1: where object k begins
  std::string content_object_;              // the open content stream's object up to its data
  std::string page_content_;                // the open page's drawing operators, uncompressed
  std::vector<int> content_objects_;        // content stream object of each page
  std::vector<std::string> image_objects_;  // dictionary and data of each image drawn
  std::vector<int> font_objects_;
  int outlines_object_ = 0;
  int pages_object_ = 0;
  int resources_object_ = 0;
  int catalog_object_ = 0;
};
