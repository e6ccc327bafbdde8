#!/usr/bin/env bash
# Times the split with checksums (kardomel-cli split --checksums: parts,
# NAME.sha256 and NAME.crc, hashed while copying) against GNU split -b
# followed by sha256sum of its parts, in one run, and prints the ratio
# (ours / theirs; at most 1.0 is the target). The verified join (each part
# and the whole file checked while copying) is timed against
# sha256sum -c of the parts followed by cat.
#
#   bash bench/checksums.sh [SIZE_MIB] [PART_MIB] [ROUNDS]
#
# Defaults: a 1024 MiB file cut into 100 MiB parts, 5 rounds, best round of
# each counted. The work folder is $BENCH_DIR (default /var/tmp).
set -euo pipefail
source "$(dirname "$0")/bench_setup.sh"

# Runs a command, prints its seconds.
measure() {
  local start end
  start=$EPOCHREALTIME
  "$@" >/dev/null 2>&1 </dev/null
  end=$EPOCHREALTIME
  awk -v a="$start" -v b="$end" 'BEGIN { printf "%.4f\n", b - a }'
}
best() { sort -g | head -n 1; }

ours_split() { "$cli" split --size "$part_bytes" --dest "$work/ours" --no-bat --checksums "$src"; }
gnu_split() {
  split -b "$part_bytes" -a 3 --numeric-suffixes=1 "$src" "$work/gnu/data." &&
    (cd "$work/gnu" && sha256sum data.[0-9][0-9][0-9] > data.sha256)
}
ours_join() { "$cli" join --yes "$work/ours/data.KDM"; }
gnu_join() {
  (cd "$work/gnu" && sha256sum --quiet -c data.sha256 && cat data.[0-9][0-9][0-9] > joined.bin)
}

os=(); gs=(); oj=(); gj=()
for ((r = 1; r <= rounds; r++)); do
  rm -f "$work/ours/"* "$work/gnu/"*
  # Alternate the order so that neither side always runs on a warmer cache.
  if ((r % 2)); then
    os+=("$(measure ours_split)"); gs+=("$(measure gnu_split)")
  else
    gs+=("$(measure gnu_split)"); os+=("$(measure ours_split)")
  fi
  # Our part lines must be GNU's.
  diff <(grep -v ' data.bin$' "$work/ours/data.sha256") "$work/gnu/data.sha256" >/dev/null ||
    { echo "checksum lines differ" >&2; exit 1; }
  if ((r % 2)); then
    oj+=("$(measure ours_join)"); gj+=("$(measure gnu_join)")
  else
    gj+=("$(measure gnu_join)"); oj+=("$(measure ours_join)")
  fi
  cmp -s "$src" "$work/ours/data.bin" || { echo "join differs from the source" >&2; exit 1; }
done

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b <= 0) b = 0.01; printf "%.2f", a / b }'; }
b_os=$(printf '%s\n' "${os[@]}" | best); b_gs=$(printf '%s\n' "${gs[@]}" | best)
b_oj=$(printf '%s\n' "${oj[@]}" | best); b_gj=$(printf '%s\n' "${gj[@]}" | best)
echo
echo "file ${size_mib} MiB, parts ${part_mib} MiB, best of ${rounds} rounds"
printf 'split with checksums: kardomel-cli %7.3f s   split -b + sha256sum %7.3f s   ratio %s\n' \
  "$b_os" "$b_gs" "$(ratio "$b_os" "$b_gs")"
printf 'verified join:        kardomel-cli %7.3f s   sha256sum -c + cat   %7.3f s   ratio %s\n' \
  "$b_oj" "$b_gj" "$(ratio "$b_oj" "$b_gj")"
