# Shared set-up of the split benchmarks, sourced by them: the program, the
# arguments (file MiB, part MiB, rounds), a work folder removed at exit and a
# random source file of that size. Sets here, cli, size_mib, part_mib,
# rounds, work, src and part_bytes.
here="$(cd "$(dirname "$0")/.." && pwd)"
cli="$here/build/bin/kardomel-cli"
[[ -x "$cli" ]] || { echo "build first: bash scripts/build.sh" >&2; exit 1; }

size_mib="${1:-1024}"
part_mib="${2:-100}"
rounds="${3:-5}"
work="$(mktemp -d "${BENCH_DIR:-/var/tmp}/kardomel-bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT

src="$work/src/data.bin"
mkdir -p "$work/src" "$work/ours" "$work/gnu"
echo "Writing a ${size_mib} MiB test file ..."
head -c "$((size_mib * 1024 * 1024))" /dev/urandom > "$src"
part_bytes=$((part_mib * 1024 * 1024))
