// How TPrintPDF saves: one safe write at the end, nothing left behind on
// failure, no files of its own while drawing, and calls out of order refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "model/base/file_io.h"
#include "output/pdf_writer.h"
#include "pdf_inspection.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

namespace {

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

// Makes a folder the process's current folder while it lives.
class CurrentFolder {
 public:
  explicit CurrentFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
  ~CurrentFolder() { fs::current_path(previous_); }

 private:
  fs::path previous_;
};

}  // namespace

TEST(PdfSaving, DrawingLeavesNoFilesAndOnlyTheTargetAppears) {
  TempDir dir;
  CurrentFolder in_dir(dir.path());
  TPrintPDF pdf;
  pdf.FileName = "out.pdf";
  pdf.BeginDoc();
  draw_on_pages(pdf, drawn_page(40, 50), 2);
  EXPECT_TRUE(names_in(dir.path()).empty());
  pdf.EndDoc();
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"out.pdf"});
}

TEST(PdfSaving, FailedRenameRaisesAndLeavesNoTemporaryFile) {
  TempDir dir;
  fs::create_directories(dir.path() / "out.pdf" / "inside");  // a folder cannot be replaced by the file
  TPrintPDF pdf;
  pdf.FileName = dir.file("out.pdf");
  pdf.BeginDoc();
  pdf.Draw(0, 0, drawn_page(10, 10).view());
  EXPECT_THROW(pdf.EndDoc(), FileError);
  EXPECT_EQ(names_in(dir.path()), std::vector<std::string>{"out.pdf"});
  EXPECT_TRUE(fs::is_directory(dir.path() / "out.pdf" / "inside"));
}

TEST(PdfSaving, CallsOutsideADocumentAreRefused) {
  TempDir dir;
  TPrintPDF pdf;
  pdf.FileName = dir.file("out.pdf");
  EXPECT_EQ(pdf.PageNumber(), 0);
  EXPECT_THROW(pdf.NewPage(), std::logic_error);
  EXPECT_THROW(pdf.Draw(0, 0, drawn_page(2, 2).view()), std::logic_error);
  EXPECT_THROW(pdf.EndDoc(), std::logic_error);
  pdf.BeginDoc();
  pdf.EndDoc();
  EXPECT_THROW(pdf.EndDoc(), std::logic_error);
}
