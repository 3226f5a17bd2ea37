// What the user waits for between starting the program and seeing the plan:
// creating the 23 windows, the start-up routine (preferences, project index,
// catalogue, translations, customers, price table, the project named on the
// command line) and the first render of its plan, offscreen; and the windows
// alone, up to the main window.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/offscreen_application.h"
#include "editor/main/startup.h"
#include "editor/main/windows.h"
#include "model/files/default_user_files.h"
#include "model/files/preferences.h"
#include "model/files/project_file.h"
#include "model/state/globals.h"
#include "support/plan_rooms.h"
#include "support/temp_dir.h"

namespace {

// A program folder with the staged data, the language chosen and the sample
// room saved as a project.
void prepare_program_folder(const TempDir& folder) {
  for (const char* part : {"data", "help", "defaults"}) {
    std::filesystem::copy(std::filesystem::path(RACKWRIGHT_STAGE_DIR) / part, folder.path() / part,
                          std::filesystem::copy_options::recursive);
  }
  ProgramDir = folder.path().string();
  install_default_user_files();
  read_preferences();  // the first-run question answers the first language
  reset_plan_globals();
  sample_room();
  write_project_file(folder.file("user/prv00001.cel"), true);
}

void WindowsStartUpAndFirstPlan(benchmark::State& state) {
  offscreen_application();
  TempDir folder;
  prepare_program_folder(folder);
  for (auto _ : state) {
    create_windows();
    bool started = initialise_program(folder.file("user/prv00001.cel"));
    benchmark::DoNotOptimize(started);
    state.PauseTiming();
    destroy_windows();
    state.ResumeTiming();
  }
}

void WindowsUpToTheMainWindow(benchmark::State& state) {
  offscreen_application();
  for (auto _ : state) {
    create_windows();
    state.PauseTiming();
    destroy_windows();
    state.ResumeTiming();
  }
}

}  // namespace

BENCHMARK(WindowsUpToTheMainWindow)->Unit(benchmark::kMillisecond);
BENCHMARK(WindowsStartUpAndFirstPlan)->Unit(benchmark::kMillisecond);
