// The spreadsheet quote of a large project (30 furnished cells, 600 quote
// lines): the template read, every row and formula set, the cached results
// computed and the .xlsx file written.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>

#include "output/spreadsheet/quote_export.h"
#include "support/print_sample.h"

namespace {

constexpr std::size_t kLinesPerCell = 20;

void make_large_project() {
  setenv("RACKWRIGHT_STAGE_DIR", RACKWRIGHT_STAGE_DIR_DEFAULT, 0);
  make_large_print_sample(30, kLinesPerCell);
}

void BM_SpreadsheetExport(benchmark::State& state) {
  make_large_project();
  std::string path = (std::filesystem::temp_directory_path() / "rackwright-bench-quote.xlsx").string();
  for (auto _ : state) {
    SpreadsheetApp sheet;
    sheet.open_template(program_path("data/quote_template.txt"));
    write_quote_sheet(sheet);
    sheet.make_visible(path);
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(path));
  std::filesystem::remove(path);
}
BENCHMARK(BM_SpreadsheetExport)->Unit(benchmark::kMillisecond);

}  // namespace
