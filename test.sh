#!/usr/bin/env bash
# Installs what is missing, builds and runs every test: ./test.sh
# The libraries that need no window are built and tested a second time under
# AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/install-deps.sh"

werror=OFF
[ -n "${CI:-}" ] && werror=ON

# Benchmarks are measured by hand (build/bin/bench_*), not by the tests.
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DRACKWRIGHT_WERROR=$werror \
  -DRACKWRIGHT_BENCHMARKS=OFF
"$here/scripts/build.sh" "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DRACKWRIGHT_WERROR=$werror \
  -DRACKWRIGHT_SANITIZE=ON -DRACKWRIGHT_HEADLESS_ONLY=ON

# Tests that need GL or a real window run on a private X server.
xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 50); do [ -s "$fdfile" ] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
fi
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export LC_ALL=C.UTF-8

status=0
echo "== sanitizer build =="
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir "$here/build-asan" -j "$(nproc)" --output-on-failure || status=1
echo "== main build =="
ctest --test-dir "$here/build" -j "$(nproc)" --output-on-failure || status=1
exit $status
