#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh default
ctest --preset default -j "$(nproc)"
# Each fuzz target for a short smoke run; fails when clang or libFuzzer is missing.
bash scripts/fuzz.sh 20
