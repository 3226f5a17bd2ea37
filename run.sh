#!/usr/bin/env bash
# Installs what is missing, builds and starts Rackwright: ./run.sh [project-file]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/install-deps.sh"
# Only the program and what it needs, with debug information: the tests build
# in build-tests/, with flags of their own, so neither command rebuilds the
# other's objects. The flags are given in full, as a build folder keeps what an
# earlier configuration set.
"$here/scripts/build.sh" --target rackwright "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O2 -g -DNDEBUG" -DRACKWRIGHT_WERROR=OFF
args=()
for a in "$@"; do args+=("$(realpath -- "$a")"); done
exec "$here/build/bin/rackwright" "${args[@]}"
