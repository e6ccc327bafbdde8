#!/usr/bin/env bash
# Times kardomel-cli against GNU split -b and cat on one large file, in one
# run, and prints the ratios (ours / theirs; at most 1.0 is the target) and
# the peak memory of our runs.
#
#   bash bench/split_join.sh [SIZE_MIB] [PART_MIB] [ROUNDS]
#
# Defaults: a 1024 MiB file cut into 100 MiB parts, 5 rounds, best round of
# each tool counted. The work folder is $BENCH_DIR (default /var/tmp), on the
# same file system for every tool.
set -euo pipefail
command -v /usr/bin/time >/dev/null || { echo "needs /usr/bin/time (package time)" >&2; exit 1; }
source "$(dirname "$0")/bench_setup.sh"

# Runs a command, prints "<seconds> <max RSS KiB>".
measure() {
  local start end
  start=$EPOCHREALTIME
  /usr/bin/time -o "$work/time.txt" -f '%M' "$@" >/dev/null 2>&1 </dev/null
  end=$EPOCHREALTIME
  echo "$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f", b - a }') $(tail -n 1 "$work/time.txt")"
}

best() { sort -g | head -n 1; }

ours_split=(); gnu_split=(); ours_join=(); gnu_join=(); peak=0
for ((r = 1; r <= rounds; r++)); do
  rm -f "$work/ours/"* "$work/gnu/"*
  # Alternate the order so that neither tool always runs on a warmer cache.
  if ((r % 2)); then
    read -r t m < <(measure "$cli" split --size "$part_bytes" --dest "$work/ours" --no-bat "$src")
    ours_split+=("$t"); ((m > peak)) && peak=$m
    read -r t _ < <(measure split -b "$part_bytes" -a 3 --numeric-suffixes=1 "$src" "$work/gnu/data.")
    gnu_split+=("$t")
  else
    read -r t _ < <(measure split -b "$part_bytes" -a 3 --numeric-suffixes=1 "$src" "$work/gnu/data.")
    gnu_split+=("$t")
    read -r t m < <(measure "$cli" split --size "$part_bytes" --dest "$work/ours" --no-bat "$src")
    ours_split+=("$t"); ((m > peak)) && peak=$m
  fi
  for f in "$work/gnu/data."*; do cmp -s "$f" "$work/ours/$(basename "$f")" || { echo "parts differ: $f" >&2; exit 1; }; done

  rm -f "$work/ours/data.bin" "$work/gnu/joined.bin"
  if ((r % 2)); then
    read -r t m < <(measure "$cli" join --yes "$work/ours/data.KDM")
    ours_join+=("$t"); ((m > peak)) && peak=$m
    read -r t _ < <(measure sh -c "cat '$work/gnu/data.'* > '$work/gnu/joined.bin'")
    gnu_join+=("$t")
  else
    read -r t _ < <(measure sh -c "cat '$work/gnu/data.'* > '$work/gnu/joined.bin'")
    gnu_join+=("$t")
    read -r t m < <(measure "$cli" join --yes "$work/ours/data.KDM")
    ours_join+=("$t"); ((m > peak)) && peak=$m
  fi
  cmp -s "$src" "$work/ours/data.bin" || { echo "join differs from the source" >&2; exit 1; }
done

os=$(printf '%s\n' "${ours_split[@]}" | best); gs=$(printf '%s\n' "${gnu_split[@]}" | best)
oj=$(printf '%s\n' "${ours_join[@]}" | best); gj=$(printf '%s\n' "${gnu_join[@]}" | best)
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 0.01; printf "%.2f", a / b }'; }
echo
echo "file ${size_mib} MiB, parts ${part_mib} MiB, best of ${rounds} rounds"
printf 'split: kardomel-cli %7.3f s   GNU split -b %7.3f s   ratio %s\n' "$os" "$gs" "$(ratio "$os" "$gs")"
printf 'join:  kardomel-cli %7.3f s   cat          %7.3f s   ratio %s\n' "$oj" "$gj" "$(ratio "$oj" "$gj")"
printf 'peak memory of kardomel-cli: %d KiB (%.1f MiB; target under 16 MiB)\n' "$peak" "$(awk -v k="$peak" 'BEGIN{print k/1024}')"
