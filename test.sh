#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: ./test.sh
# The libraries that need no window are built and tested a second time under
# AddressSanitizer and UndefinedBehaviorSanitizer; the file readers' fuzz
# targets run last.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/install-deps.sh"

werror=OFF
[ -n "${CI:-}" ] && werror=ON

# The tests' build keeps the assertions on: the checks that the cells kept for
# undo still equal the live ones (a change made through a reference held
# across an undo step, lost from the step) run under every test, the window
# tests' whole stories included. It leaves out debug information, a third of
# its compile time (the sanitizer build below gives the stack traces), so it
# has a folder of its own beside run.sh's build/. The tests build the
# benchmarks and run each once, briefly; they are measured by hand in a build
# without the assertions, run.sh's (cmake --build build --target bench_...).
"$here/scripts/build.sh" "$here/build-tests" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2" \
  -DRACKWRIGHT_WERROR=$werror -DRACKWRIGHT_BENCHMARKS=ON
# The sanitizer build is clang's, so the same build also gives the file
# readers' fuzz targets (libFuzzer is clang's): one build fewer.
CC=clang CXX=clang++ "$here/scripts/build.sh" "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug \
  -DRACKWRIGHT_WERROR=$werror -DRACKWRIGHT_SANITIZE=ON -DRACKWRIGHT_FUZZ=ON -DRACKWRIGHT_HEADLESS_ONLY=ON

# Tests that need GL or a real window run on a private X server.
xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  # The server writes its display number once it serves, however long a busy
  # machine makes it take; one that cannot start ends and writes nothing.
  fdpipe=$(mktemp -u)
  mkfifo "$fdpipe"
  # -noreset: a server that starts afresh whenever its last client leaves
  # refuses the next test's connection while it does so.
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$fdpipe" 2>/dev/null &
  xvfb_pid=$!
  display_number=
  read -r display_number <"$fdpipe" || true
  rm -f "$fdpipe"
  export DISPLAY=":$display_number"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export LC_ALL=C.UTF-8

status=0
echo "== sanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-asan" -j "$(nproc)" --output-on-failure || status=1
echo "== main build =="
ctest --test-dir "$here/build-tests" -j "$(nproc)" --output-on-failure || status=1

# The fuzz targets each run a few seconds on random bytes grown from its sound
# samples and the inputs that once crashed it. A crashing input is kept in
# build-asan/crashes/ for fuzz/regressions/<target>/.
echo "== fuzz targets =="
mkdir -p "$here/build-asan/crashes"
for target in "$here"/build-asan/bin/fuzz_*; do
  name=${target##*/fuzz_}
  corpus=$(mktemp -d)
  seeds=()
  for folder in "$here/fuzz/seeds/$name" "$here/fuzz/regressions/$name"; do
    if [ -d "$folder" ]; then seeds+=("$folder"); fi
  done
  # A fixed seed: a run that fails can be repeated.
  if ! UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 "$target" -seed=1 -max_total_time=5 -rss_limit_mb=2048 \
    -artifact_prefix="$here/build-asan/crashes/$name-" "$corpus" "${seeds[@]}" >"$corpus.log" 2>&1; then
    echo "fuzz_$name failed:"
    tail -n 40 "$corpus.log"
    status=1
  fi
  rm -rf "$corpus" "$corpus.log"
done
exit $status
