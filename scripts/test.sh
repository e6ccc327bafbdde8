#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
# Two paths that differ only in letter case collapse into one on a
# case-insensitive file system (macOS, Windows): refuse them.
if [[ -d .git || -f .git ]]; then
  clashes="$(git ls-files | tr A-Z a-z | sort | uniq -d)"
  if [[ -n "$clashes" ]]; then
    echo "File names that differ only in letter case:" >&2
    echo "$clashes" >&2
    exit 1
  fi
fi
bash scripts/deps.sh
bash scripts/build.sh dev
ctest --preset dev -j "$(nproc)"
# Each fuzz target for a short smoke run; fails when clang or libFuzzer is missing.
bash scripts/fuzz.sh 20
