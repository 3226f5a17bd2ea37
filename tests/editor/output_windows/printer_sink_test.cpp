// The system printer's road into a PDF file, checked by a real PDF tool.
#include "editor/output_windows/printer_sink.h"

#include <QPrinter>

#include "output/print/printer_output.h"
#include "output/print_roads_fixture.h"

namespace {

TEST_F(PrintRoads, ThePrinterRoadIntoAPdfFileHoldsTheChosenRange) {
  SKIP_OR_FAIL_WITHOUT_TOOL(kPdfinfo);
  cell_pages(5);
  std::string path = program_dir_.file("user/printed.pdf");
  {
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(path));
    printer.setResolution(kPrinterDpi);
    QPrinterSink sink(printer);
    print_document(page, sink, PageRange{false, 2, 4});
  }
  EXPECT_EQ(info_line(path, "Pages:"), "3");
}

}  // namespace
