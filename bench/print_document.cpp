// The printed document of a large project (30 furnished cells, 600 quote
// lines): a preview rebuild, as every option click in the print window runs
// it; one page rendered at the PDF's 2100 x 2970 pixels, writer excluded; and
// the whole PDF, reported in pages per second.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "output/print/pdf_output.h"
#include "output/print/render_driver.h"
#include "qt_benchmark_main.h"
#include "support/print_sample.h"

namespace {

constexpr std::size_t kLinesPerCell = 20;

void make_large_project() {
  static bool made = false;
  if (made) return;
  make_large_print_sample(30, kLinesPerCell);
  made = true;
}

void BM_PreviewRebuild(benchmark::State& state) {
  make_large_project();
  PageContext page;
  for (auto _ : state) build_preview(page);
  state.counters["pages"] = static_cast<double>(page.preview_pages.size());
}
BENCHMARK(BM_PreviewRebuild)->Unit(benchmark::kMillisecond);

// One page at the PDF's size: a full quote page, or one cell's plan page.
void BM_PdfSizePage(benchmark::State& state) {
  make_large_project();
  PageContext page;
  page.preview_size = {2100, 2970};
  bool quote = state.range(0) == 0;
  page.options.quote_part = quote;
  page.options.drawings_part = !quote;
  Tcells all = Cells;
  std::vector<Tdett_prv> details = QuoteDetails;
  Cells.resize(1);
  QuoteDetails.assign(1, Tdett_prv(31, details.front().front()));
  for (auto _ : state) build_preview(page);
  Cells = all;
  QuoteDetails = details;
  state.SetLabel(quote ? "quote page" : "cell plan page");
}
BENCHMARK(BM_PdfSizePage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_MakePdf(benchmark::State& state) {
  make_large_project();
  PageContext page;
  std::string path = (std::filesystem::temp_directory_path() / "rackwright-bench-print.pdf").string();
  int pages = 0;
  for (auto _ : state) {
    make_pdf(page, path, true);
    pages += page.pages_emitted;
  }
  std::filesystem::remove(path);
  state.counters["pages/s"] = benchmark::Counter(pages, benchmark::Counter::kIsRate);
  state.counters["pages"] = page.pages_emitted;
}
BENCHMARK(BM_MakePdf)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

// Fonts need an application object.
int main(int argc, char** argv) { return run_benchmarks_with_application(argc, argv); }
