#!/usr/bin/env bash
# Configures and builds one preset (default: "dev"). Where ccache is
# installed it caches the compiles, keyed on paths relative to this checkout,
# so that a fresh clone reuses what an earlier build of the same code made.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-dev}"
launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset "$preset" "${launcher[@]}" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
