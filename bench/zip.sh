#!/usr/bin/env bash
# Times the archive writer (build/bin/zip_bench) against Info-ZIP's zip on
# a mix of files, in one run, at level 4, level 9 and level 4 with a
# password, and prints the ratios ours / theirs of time and archive size
# (targets: time at most 1.05, size within 1 %).
#
#   bash bench/zip.sh [SIZE_MIB] [ROUNDS]
#
# Defaults: 200 MiB, half random bytes and half text, in a folder of 40
# files; 3 rounds, best round of each tool counted. The work folder is
# $BENCH_DIR (default /var/tmp).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
ours="$here/build/bin/zip_bench"
[[ -x "$ours" ]] || { echo "build first: cmake --build build --target zip_bench" >&2; exit 1; }
command -v zip >/dev/null || { echo "needs Info-ZIP zip (package zip)" >&2; exit 1; }

size_mib="${1:-200}"
rounds="${2:-3}"
work="$(mktemp -d "${BENCH_DIR:-/var/tmp}/kardomel-zipbench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mix="$work/mix"
mkdir -p "$mix"
files=20
each=$((size_mib * 1024 * 1024 / 2 / files))
echo "Writing a ${size_mib} MiB mix in $((2 * files)) files ..."
for ((k = 1; k <= files; k++)); do head -c "$each" /dev/urandom > "$mix/random$k.bin"; done
python3 - "$mix" "$files" "$each" <<'PY'
import random, sys
folder, files, each = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
rng = random.Random(7)
letters = "abcdefghijklmnopqrstuvwxyzäöüß"
words = ["".join(rng.choice(letters) for _ in range(rng.randint(2, 11))) for _ in range(5000)]
weights = [1.0 / (r + 1) for r in range(len(words))]
for k in range(1, files + 1):
    out, size = [], 0
    while size < each:
        line = " ".join(rng.choices(words, weights, k=rng.randint(4, 14))).capitalize() + ".\n"
        out.append(line)
        size += len(line.encode())
    with open(f"{folder}/text{k}.txt", "w") as f:
        f.write("".join(out)[:each])
PY

seconds() {
  local start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 </dev/null
  awk -v a="$start" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.4f", b - a }'
}
best() { sort -g | head -n 1; }

run_case() {
  local label="$1" level="$2" password="$3"
  local ours_args=(--level "$level") theirs_args=(-q -r "-$level")
  if [[ -n "$password" ]]; then ours_args+=(--password "$password"); theirs_args+=(-P "$password"); fi
  local ours_t=() theirs_t=()
  for ((r = 1; r <= rounds; r++)); do
    rm -f "$work/ours.zip" "$work/theirs.zip"
    # Alternate the order so that neither tool always runs on a warmer cache.
    if ((r % 2)); then
      ours_t+=("$(seconds "$ours" "${ours_args[@]}" "$work/ours.zip" "$mix")")
      theirs_t+=("$(cd "$work" && seconds zip "${theirs_args[@]}" "$work/theirs.zip" mix)")
    else
      theirs_t+=("$(cd "$work" && seconds zip "${theirs_args[@]}" "$work/theirs.zip" mix)")
      ours_t+=("$(seconds "$ours" "${ours_args[@]}" "$work/ours.zip" "$mix")")
    fi
  done
  local to tt so st
  to=$(printf '%s\n' "${ours_t[@]}" | best)
  tt=$(printf '%s\n' "${theirs_t[@]}" | best)
  so=$(stat -c %s "$work/ours.zip")
  st=$(stat -c %s "$work/theirs.zip")
  awk -v l="$label" -v to="$to" -v tt="$tt" -v so="$so" -v st="$st" 'BEGIN {
    printf "%-22s ours %7.3f s  zip %7.3f s  time %.3fx   size %d / %d = %.4fx\n", l, to, tt, to / tt, so, st, so / st }'
}

run_case "level 4" 4 ""
run_case "level 9" 9 ""
run_case "level 4, password" 4 "geheim"
