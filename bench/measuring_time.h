// The least time a benchmark that sets its own measures for: the given
// seconds, or a single iteration when the tests run every benchmark once
// (RACKWRIGHT_BENCHMARK_ONCE set), to show that it still runs.
#pragma once

#include <cstdlib>

inline double measuring_time(double seconds) {
  // The library refuses 0; anything shorter than one iteration stops after it.
  return std::getenv("RACKWRIGHT_BENCHMARK_ONCE") ? 1e-9 : seconds;
}
