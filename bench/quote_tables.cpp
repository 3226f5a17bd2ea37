// The price grid (its rows, the window's whole fill, and the store with and
// without the file write) on the shipped code table and on a generated
// 5,000-row one, and the customer register's filter over 10,000 customers.
#include <benchmark/benchmark.h>

#include "editor/output_windows/price_table_dialog.h"
#include "model/base/file_io.h"
#include "model/base/rounding.h"
#include "model/files/codes_table.h"
#include "model/quote/customer_register.h"
#include "model/quote/price_grid.h"
#include "qt_benchmark_main.h"
#include "support/print_sample.h"
#include "support/temp_dir.h"

namespace {

void load_shipped_table() { load_print_data("IT"); }

// 5,000 articles on the loaded sizes, every code twice, as large tables repeat codes.
void load_generated_table() {
  load_shipped_table();
  Tdb_codici rows;
  for (int i = 0; i < 5000; ++i) {
    Tcodice row;
    row.tipo = "R";
    row.lar = size_key(WidthList[static_cast<std::size_t>(i) % WidthList.size()]);
    row.lung = size_key(LengthList[static_cast<std::size_t>(i) % LengthList.size()]);
    row.alt = "-";
    row.options.assign(StructureTypes.size(), "SI");
    row.code = "GEN" + std::to_string(i / 2);
    row.alt_code = row.code;
    row.description_number = 400;
    row.price = i * 0.25;
    rows.push_back(row);
  }
  CodesTable = rows;
}

void fill(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(price_grid_rows(','));
  state.counters["rows"] = static_cast<double>(price_grid_rows(',').size());
}

// The rows and the grid's cells, as the window fills them on opening.
void fill_window(benchmark::State& state) {
  TFprezzi window;
  for (auto _ : state) window.FormActivate();
  state.counters["rows"] = window.StringGrid1->rowCount();
}

// Every tenth row edited; the table written into a scratch program folder.
void store(benchmark::State& state, bool with_write) {
  TempDir scratch;
  std::filesystem::create_directories(scratch.path() / "user");
  const std::vector<PriceGridRow> shown = price_grid_rows(',');
  std::vector<PriceGridRow> edited = shown;
  for (std::size_t r = 0; r < edited.size(); r += 10) edited[r].price = "99,5";
  const Tdb_codici original = CodesTable;
  ProgramDir = with_write ? scratch.path().string() : "/nonexistent-folder";
  for (auto _ : state) {
    try {
      benchmark::DoNotOptimize(store_price_grid(shown, edited, ','));
    } catch (const FileError&) {
      // Without a folder the write fails at once: what is left is the store.
    }
    state.PauseTiming();
    CodesTable = original;
    state.ResumeTiming();
  }
}

void BM_PriceGridFillShipped(benchmark::State& state) {
  load_shipped_table();
  fill(state);
}
void BM_PriceGridFill5000(benchmark::State& state) {
  load_generated_table();
  fill(state);
}
void BM_PriceWindowFillShipped(benchmark::State& state) {
  load_shipped_table();
  fill_window(state);
}
void BM_PriceWindowFill5000(benchmark::State& state) {
  load_generated_table();
  fill_window(state);
}
void BM_PriceGridStoreShipped(benchmark::State& state) {
  load_shipped_table();
  store(state, false);
}
void BM_PriceGridStore5000(benchmark::State& state) {
  load_generated_table();
  store(state, false);
}
void BM_PriceGridStoreAndWrite5000(benchmark::State& state) {
  load_generated_table();
  store(state, true);
}

void BM_CustomerFilter10000(benchmark::State& state) {
  Customers.clear();
  for (int i = 0; i < 10000; ++i)
    Customers.push_back({"Customer " + std::to_string(i),
                         "Via Roma " + std::to_string(i),
                         "20100",
                         "Milano",
                         "MI",
                         "Italia",
                         "02 " + std::to_string(i),
                         "",
                         "c" + std::to_string(i) + "@example.com",
                         {"note"}});
  const CustomerFilter all = build_customer_filter();
  for (auto _ : state) benchmark::DoNotOptimize(narrow_customer_filter(all, "roma 99"));
}

}  // namespace

BENCHMARK(BM_PriceGridFillShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriceGridFill5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriceWindowFillShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriceWindowFill5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriceGridStoreShipped)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriceGridStore5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PriceGridStoreAndWrite5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CustomerFilter10000)->Unit(benchmark::kMillisecond);

// The grid needs an application object.
int main(int argc, char** argv) { return run_benchmarks_with_application(argc, argv); }
