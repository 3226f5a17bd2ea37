// The project archive with 5,000 entries: opening it (reading user/list.dat,
// the full view and the texts of every grid row) and searching it; and the
// start-up check of an index against 200 project files of 1.4 MB each.
#include "model/files/project_archive.h"

#include <benchmark/benchmark.h>

#include "model/base/file_io.h"
#include "model/files/archive_list.h"
#include "model/files/project_file.h"
#include "model/files/project_save.h"
#include "model/state/globals.h"
#include "support/program_dir.h"
#include "support/sample_project.h"

namespace {

constexpr int kEntries = 5000;

void fill_archive() {
  ArchiveList.clear();
  for (int i = 1; i <= kEntries; ++i) {
    std::string n = std::to_string(i);
    ArchiveList.push_back({std::string(5 - n.size(), '0') + n, "06/12/2026", "Customer " + n + " S.r.l.", "Ref. " + n,
                           "Q-" + n, "Warehouse " + std::to_string(i % 97)});
  }
  write_archive_list();
}

void BM_OpenArchive(benchmark::State& state) {
  TempProgramDir dir;  // ProgramDir for user/list.dat
  fill_archive();
  for (auto _ : state) {
    read_archive_list();
    ArchiveView view = full_archive_view();
    std::size_t characters = 0;
    for (int row = 0; row < static_cast<int>(view.size()); ++row)
      for (const std::string& text : archive_row_texts(archive_entry_at_row(view, row))) characters += text.size();
    benchmark::DoNotOptimize(characters);
  }
}
BENCHMARK(BM_OpenArchive)->Unit(benchmark::kMillisecond);

void BM_SearchArchive(benchmark::State& state) {
  TempProgramDir dir;  // ProgramDir for user/list.dat
  fill_archive();
  const ArchiveView all = full_archive_view();
  for (auto _ : state) {
    ArchiveView view = narrow_archive_view(all, "warehouse 4");
    benchmark::DoNotOptimize(view);
  }
}
BENCHMARK(BM_SearchArchive)->Unit(benchmark::kMillisecond);

void BM_ReconcileArchive(benchmark::State& state) {
  TempProgramDir dir;
  QuoteHeader = sample_quote_header();
  const std::string text = project_file_text(QuoteHeader, large_project_cells(), 0, true);
  ArchiveList.clear();
  for (int i = 1; i <= 200; ++i) {
    const std::string number = next_project_number();
    write_scrambled_file(dir.file("user/prv" + number + ".cel"), text);
    ArchiveList.push_back(archive_entry_of(number, QuoteHeader));
  }
  for (auto _ : state) {
    reconcile_archive_list();  // in step: every head read, nothing written
    benchmark::DoNotOptimize(ArchiveList.data());
  }
}
BENCHMARK(BM_ReconcileArchive)->Unit(benchmark::kMillisecond);

}  // namespace
