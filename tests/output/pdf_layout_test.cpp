// The object layout of the files TPrintPDF writes: numbering, cross-reference
// table, stream lengths, page tree and document information.
#include <gtest/gtest.h>

#include <regex>

#include "output/pdf_writer.h"
#include "pdf_inspection.h"

namespace {

ParsedPdf pages_pdf(int pages, bool compress = true) { return image_pages_pdf(drawn_page(21, 30), pages, compress); }

ParsedPdf empty_document(TPrintPDF& pdf) {
  return write_and_read(pdf, [](TPrintPDF&) {});
}

}  // namespace

TEST(PdfLayout, EmptyDocumentIsOneBlankPageWithTheFixedNumbering) {
  TPrintPDF pdf;
  ParsedPdf file = empty_document(pdf);
  EXPECT_EQ(pdf.PageNumber(), 1);
  EXPECT_EQ(file.size(), 23);
  EXPECT_EQ(file.objects_with("/Type /Outlines"), std::vector<int>{4});
  EXPECT_EQ(file.objects_with("/Type /Font"), (std::vector<int>{5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18}));
  EXPECT_EQ(file.object(19), "19 0 obj\r\n<< /Type /Pages\r\n/Kids [\r\n21 0 R\r\n]\r\n/Count 1\r\n>>\r\nendobj\r\n");
  EXPECT_TRUE(file.object(20).starts_with(
      "20 0 obj\r\n<< /ProcSet [ /PDF /Text /ImageC]\r\n/XObject << \r\n>>\r\n/Font << \r\n/F1 5 0 R \r\n"));
  EXPECT_TRUE(file.object(20).ends_with("/F14 18 0 R \r\n>>\r\n>>\r\nendobj\r\n"));
  EXPECT_EQ(file.object(4), "4 0 obj\r\n<< /Type /Outlines\r\n/Count 0\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(file.object(5),
            "5 0 obj\r\n<< /Type /Font\r\n/Subtype /Type1\r\n/Name /F1\r\n/BaseFont /Helvetica\r\n"
            "/Encoding /WinAnsiEncoding\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(file.object(21),
            "21 0 obj\r\n<< /Type /Page\r\n/Parent 19 0 R\r\n/MediaBox [ 0 0 612 792]\r\n"
            "/Contents 2 0 R\r\n/Resources 20 0 R\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(file.object(22), "22 0 obj\r\n<< /Type /Catalog\r\n/Pages 19 0 R\r\n/Outlines 4 0 R\r\n>>\r\nendobj\r\n");
  EXPECT_EQ(inflate_bytes(file.stream_data(2)), "");
  EXPECT_NE(file.trailer().find("<< /Size 23\r\n/Root 22 0 R\r\n/Info 1 0 R\r\n"), std::string::npos);
}

TEST(PdfLayout, TwoPagesNumberContentsFontsImagesAndPagesInWritingOrder) {
  ParsedPdf file = pages_pdf(2);
  EXPECT_EQ(file.size(), 28);
  EXPECT_EQ(file.objects_with("/Type /Outlines"), std::vector<int>{6});
  EXPECT_EQ(file.objects_with("/BaseFont /Helvetica\r\n"), std::vector<int>{7});
  EXPECT_EQ(file.objects_with("/BaseFont /ZapfDingbats\r\n"), std::vector<int>{20});
  EXPECT_NE(file.object(21).find("/Kids [\r\n25 0 R\r\n26 0 R\r\n]\r\n/Count 2\r\n"), std::string::npos);
  EXPECT_NE(file.object(22).find("/XObject << \r\n/Im1 23 0 R\r\n/Im2 24 0 R\r\n>>"), std::string::npos);
  EXPECT_EQ(file.objects_with("/Subtype /Image"), (std::vector<int>{23, 24}));
  EXPECT_NE(file.object(25).find("/Contents 2 0 R"), std::string::npos);
  EXPECT_NE(file.object(26).find("/Contents 4 0 R"), std::string::npos);
  EXPECT_NE(file.object(26).find("/MediaBox [ 0 0 21 30]"), std::string::npos);
  EXPECT_EQ(file.objects_with("/Type /Catalog"), std::vector<int>{27});
  EXPECT_TRUE(file.object(4).starts_with("4 0 obj\r\n<< /Length 5 0 R\r\n/Filter [/FlateDecode]\r\n >>\r\nstream\r\n"));
  EXPECT_EQ(inflate_bytes(file.stream_data(4)), "q\r\n21 0 0 30 0 0 cm\r\n/Im2 Do\r\nQ\r\n");
  EXPECT_EQ(file.object(5), "5 0 obj\r\n" + std::to_string(file.stream_length(4)) + "\r\nendobj\r\n");
}

// Offsets come from the sizes of what was written and lengths from the data
// written, raw or deflated: every entry and every length must be exact.
TEST(PdfLayout, XrefEntriesPointAtTheirObjectsAndLengthsCoverExactlyTheData) {
  for (bool compress : {true, false}) {
    ParsedPdf file = pages_pdf(3, compress);
    EXPECT_TRUE(file.bytes().starts_with("%PDF-1.4\r\n1 0 obj\r\n"));
    EXPECT_EQ(file.xref_lines().front(), "0000000000 65535 f\r\n");
    for (int k = 1; k < file.size(); ++k) {
      EXPECT_EQ(file.xref_lines()[k].size(), 20u);
      EXPECT_TRUE(file.object(k).starts_with(std::to_string(k) + " 0 obj\r\n")) << "object " << k;
    }
    EXPECT_TRUE(file.trailer().ends_with("startxref\r\n" + std::to_string(file.xref_offset()) + "\r\n%%EOF\r\n"));
    for (int k : {2, 4, 6, 25, 26, 27}) {  // the content streams and the images
      std::string object = file.object(k);
      std::string after = object.substr(object.find("stream\r\n") + 8 + file.stream_length(k));
      EXPECT_TRUE(after == "endstream\r\nendobj\r\n" || after == "\r\nendstream\r\nendobj\r\n") << "object " << k;
    }
  }
}

TEST(PdfLayout, ImagesArePlacedFromTheTopLeftCorner) {
  TPrintPDF pdf;
  pdf.Compress = false;
  pdf.PageWidth = 2100;
  pdf.PageHeight = 2970;
  ParsedPdf file = write_and_read(pdf, [](TPrintPDF& writer) {
    writer.Draw(0, 0, TestImage(2100, 2970).view());
    writer.Draw(100, 200, TestImage(5, 7).view());
  });
  EXPECT_TRUE(file.object(2).starts_with("2 0 obj\r\n<< /Length 3 0 R\r\n >>\r\nstream\r\n"));
  EXPECT_EQ(file.stream_data(2),
            "q\r\n2100 0 0 2970 0 0 cm\r\n/Im1 Do\r\nQ\r\nq\r\n5 0 0 7 100 2763 cm\r\n/Im2 Do\r\nQ\r\n");
}

TEST(PdfInfo, HoldsTheTextsEscapedWithTheCreationDate) {
  TPrintPDF pdf;
  pdf.TITLE = "a) b\\ (c";
  pdf.Keywords = "line\r\nbreak";
  std::string info = empty_document(pdf).object(1);
  EXPECT_TRUE(info.starts_with("1 0 obj\r\n<<\r\n/Producer (Rackwright)\r\n/Author (Rackwright)\r\n"));
  EXPECT_NE(info.find("/Creator (Rackwright)\r\n/Keywords (line\\r\\nbreak)\r\n/Subject ()\r\n"
                      "/Title (a\\) b\\\\ \\(c)\r\n/ModDate ()\r\n>>\r\nendobj\r\n"),
            std::string::npos);
  EXPECT_TRUE(std::regex_search(info, std::regex("/CreationDate \\(D:20[0-9]{12}\\)\r\n")));
}

TEST(PdfWriterUse, ReusedWriterStartsEachDocumentAfresh) {
  TPrintPDF pdf;
  write_and_read(pdf, [](TPrintPDF& writer) {
    writer.NewPage();
    writer.Draw(0, 0, TestImage(2, 2).view());
  });
  EXPECT_EQ(pdf.PageNumber(), 2);
  ParsedPdf second = empty_document(pdf);
  EXPECT_EQ(second.size(), 23);
  EXPECT_EQ(second.objects_with("/Subtype /Image"), std::vector<int>{});
}
