// Save and load of a large project (30 cells of 24 walls with 10 bays each and
// 40 free modules a cell) through the project file on disk. The load also
// reports its peak heap use next to the file size.
#include "model/files/project_file.h"

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "model/base/file_io.h"
#include "model/state/globals.h"
#include "support/sample_project.h"
#include "support/temp_dir.h"

namespace {

std::atomic<std::size_t> heap_in_use{0};
std::atomic<std::size_t> heap_peak{0};

void note_allocation(void* block) {
  std::size_t now = heap_in_use += malloc_usable_size(block);
  std::size_t peak = heap_peak.load();
  while (now > peak && !heap_peak.compare_exchange_weak(peak, now)) {
  }
}

void open_large_project() {
  QuoteHeader = sample_quote_header();
  Cells = large_project_cells();
  AppState.current_cell = 3;
}

void BM_SaveLargeProject(benchmark::State& state) {
  TempDir dir;
  open_large_project();
  std::string path = dir.file("prv00001.cel");
  for (auto _ : state) write_project_file(path, true);
  state.counters["file_bytes"] = static_cast<double>(read_file_bytes(path).size());
}

void BM_LoadLargeProject(benchmark::State& state) {
  TempDir dir;
  open_large_project();
  std::string path = dir.file("prv00001.cel");
  write_project_file(path, true);
  std::size_t file_bytes = read_file_bytes(path).size();
  double peak_ratio = 0.0;
  for (auto _ : state) {
    std::size_t before = heap_in_use.load();
    heap_peak = before;
    ProjectData project = read_project_file(path);
    benchmark::DoNotOptimize(project);
    state.counters["kept"] = static_cast<double>(heap_in_use.load() - before) / static_cast<double>(file_bytes);
    peak_ratio = static_cast<double>(heap_peak.load() - before) / static_cast<double>(file_bytes);
  }
  state.counters["file_bytes"] = static_cast<double>(file_bytes);
  state.counters["peak_heap_per_file_byte"] = peak_ratio;
}

}  // namespace

BENCHMARK(BM_SaveLargeProject)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeProject)->Unit(benchmark::kMillisecond);

// Counting replacements of the global allocation functions. GCC takes the free()
// of a block from this operator new for a mismatch once both are inlined.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  note_allocation(block);
  return block;
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  heap_in_use -= malloc_usable_size(block);
  std::free(block);
}

void operator delete(void* block, std::size_t) noexcept { operator delete(block); }
