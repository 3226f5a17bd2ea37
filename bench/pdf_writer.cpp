// Writing a ten-page PDF of full 2100 × 2970 pages, as the program's PDF road
// does, against zlib's compress2 of the same rows: the writer's own cost over
// the compression it cannot avoid.
#include "output/pdf_writer.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench/measuring_time.h"

namespace {

constexpr int kWidth = 2100;
constexpr int kHeight = 2970;
constexpr int kPages = 10;
constexpr int kDistinctPages = 3;

// A mostly white page: a frame, a table of text-like lines, a logo block and plan lines.
class DrawnPage {
 public:
  explicit DrawnPage(std::uint32_t seed) : pixels_(std::size_t(kWidth) * kHeight * 3, 0xFF), random_(seed) {
    rectangle(100, 100, kWidth - 100, 104, 0, 0, 0);
    rectangle(100, kHeight - 104, kWidth - 100, kHeight - 100, 0, 0, 0);
    rectangle(150, 150, 450, 300, 30, 60, 160);  // logo
    for (int row = 0; row < 25; ++row) {
      const int top = 400 + row * 60;
      rectangle(100, top + 50, kWidth - 100, top + 52, 0, 0, 0);
      for (int x = 130; x < kWidth - 400; x += 26 + int(random_() % 40)) glyph_run(x, top + 15);
    }
    for (int k = 0; k < 40; ++k) {  // plan lines up to 300 wide and 150 tall, kept inside the frame
      const int x = 200 + int(random_() % 1500), y = 2000 + int(random_() % 800);
      rectangle(x, y, x + 300, y + 3, 0, 0, 0);
      rectangle(x, y, x + 3, y + 150, 0, 0, 0);
    }
  }

  RgbRasterView view() const { return {kWidth, kHeight, pixels_.data(), kWidth * 3, kRgb24}; }
  std::string_view rows() const { return {reinterpret_cast<const char*>(pixels_.data()), pixels_.size()}; }

 private:
  void rectangle(int left, int top, int right, int bottom, unsigned char r, unsigned char g, unsigned char b) {
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) {
        unsigned char* pixel = &pixels_[(std::size_t(y) * kWidth + x) * 3];
        pixel[0] = r;
        pixel[1] = g;
        pixel[2] = b;
      }
  }
  // A word of text at this resolution: a few irregular strokes 30 pixels high.
  void glyph_run(int left, int top) {
    const int letters = 2 + int(random_() % 6);
    for (int letter = 0; letter < letters; ++letter)
      for (int stroke = 0; stroke < 3; ++stroke) {
        const int x = left + letter * 18 + int(random_() % 14), y = top + int(random_() % 22);
        if (random_() % 2)
          rectangle(x, top, x + 3, top + 30, 0, 0, 0);
        else
          rectangle(left + letter * 18, y, left + letter * 18 + 14, y + 3, 0, 0, 0);
      }
  }

  std::vector<unsigned char> pixels_;
  std::minstd_rand random_;
};

const std::vector<DrawnPage>& pages() {
  static const std::vector<DrawnPage> drawn = [] {
    std::vector<DrawnPage> made;
    for (int k = 0; k < kDistinctPages; ++k) made.emplace_back(std::uint32_t(k + 1));
    return made;
  }();
  return drawn;
}

double seconds_since(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double write_document(const std::string& path) {
  auto start = std::chrono::steady_clock::now();
  TPrintPDF pdf;
  pdf.FileName = path;
  pdf.TITLE = "titolo";
  pdf.PageWidth = kWidth;
  pdf.PageHeight = kHeight;
  pdf.BeginDoc();
  for (int page = 0; page < kPages; ++page) {
    if (page > 0) pdf.NewPage();
    pdf.Draw(0, 0, pages()[page % kDistinctPages].view());
  }
  pdf.EndDoc();
  return seconds_since(start);
}

double compress_rows() {
  auto start = std::chrono::steady_clock::now();
  for (int page = 0; page < kPages; ++page) {
    std::string_view rows = pages()[page % kDistinctPages].rows();
    uLongf size = compressBound(rows.size());
    std::vector<Bytef> out(size);
    compress2(out.data(), &size, reinterpret_cast<const Bytef*>(rows.data()), rows.size(), Z_DEFAULT_COMPRESSION);
    benchmark::DoNotOptimize(out.data());
  }
  return seconds_since(start);
}

// Each iteration writes the document and compresses the same rows, so both
// run under the same conditions; the iteration time is the writer's.
void BM_TenPagePdfAgainstCompress2(benchmark::State& state) {
  const std::string path = (std::filesystem::temp_directory_path() / "bench_pdf_writer.pdf").string();
  pages();
  double writer_seconds = 0, compress_seconds = 0;
  for (auto _ : state) {
    const double writer = write_document(path);
    writer_seconds += writer;
    compress_seconds += compress_rows();
    state.SetIterationTime(writer);
  }
  std::filesystem::remove(path);
  const double pages_done = double(kPages) * state.iterations();
  state.counters["pages_per_second"] = pages_done / writer_seconds;
  state.counters["compress2_pages_per_second"] = pages_done / compress_seconds;
  state.counters["overhead_percent"] = 100.0 * (writer_seconds / compress_seconds - 1.0);
}
BENCHMARK(BM_TenPagePdfAgainstCompress2)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(measuring_time(3.0));

}  // namespace
