#!/usr/bin/env bash
# Builds the libFuzzer targets (preset "fuzz", build-fuzz/) and runs each for
# the given number of seconds, starting from the seed corpus in fuzz/corpus.
# New inputs go to build-fuzz/corpus, crashes to build-fuzz/artifacts.
#   scripts/fuzz.sh [seconds] [target ...]     (default: 60 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
targets=("$@")
((${#targets[@]})) || targets=(fuzz_descriptor fuzz_checksum_files fuzz_ini fuzz_pad_file fuzz_size_text)

if ! command -v clang++-14 >/dev/null 2>&1 ||
   ! compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
  echo "fuzz.sh: clang++-14 with libFuzzer is missing (Debian packages clang-14, libfuzzer-14-dev)" >&2
  exit 1
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake --preset fuzz "${launcher[@]}" >/dev/null
cmake --build --preset fuzz --target "${targets[@]}" -j "$(nproc)"

failed=()
for target in "${targets[@]}"; do
  name="${target#fuzz_}"
  corpus="build-fuzz/corpus/$name"
  artifacts="build-fuzz/artifacts/$name/"
  mkdir -p "$corpus" "$artifacts"
  echo "== $target: $seconds s"
  if ! "build-fuzz/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$artifacts" "$corpus" "fuzz/corpus/$name" \
       >"build-fuzz/$name.log" 2>&1; then
    tail -n 40 "build-fuzz/$name.log" >&2
    failed+=("$target")
  fi
  grep -E '^stat::number_of_executed_units|^stat::new_units_added' "build-fuzz/$name.log" || true
done

if ((${#failed[@]})); then
  echo "fuzz.sh: crashes in ${failed[*]}; inputs under build-fuzz/artifacts" >&2
  exit 1
fi
