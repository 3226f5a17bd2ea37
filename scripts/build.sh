#!/usr/bin/env bash
# Configures and builds one build folder, whole or only the given target and
# what it needs: build.sh [--target <target>] <folder> [cmake options...]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
targets=()
if [ "${1:-}" = --target ]; then
  targets=(--target "$2")
  shift 2
fi
dir=$1; shift
cmake -S "$here" -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir" -j "$(nproc)" "${targets[@]}"
