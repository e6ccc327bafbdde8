#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
bash scripts/build.sh dev
if [[ -x build/bin/kardomel ]]; then
  exec build/bin/kardomel "$@"
fi
exec build/bin/kardomel-cli help
