#!/usr/bin/env bash
# Installs what is missing, builds and starts Rackwright: ./run.sh [project-file]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
"$here/scripts/install-deps.sh"
"$here/scripts/build.sh" "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo
args=()
for a in "$@"; do args+=("$(realpath -- "$a")"); done
exec "$here/build/bin/rackwright" "${args[@]}"
