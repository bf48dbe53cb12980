#!/bin/sh
# The whole performance table in one run: builds the benchmarks in release mode (in
# build-release, beside the program scripts/run.sh builds), runs each one and prints every
# figure as one line "name: value (target) met" or "... missed". Each benchmark's full output
# is kept in build-release/bench-output/NAME.txt. The benchmarks run off screen with settings
# and tables of their own, never the operator's.
#   sh bench/run.sh                 every benchmark
#   sh bench/run.sh sync startup    only bench_sync and bench_startup
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test >&2
dir=build-release
out=$dir/bench-output
mkdir -p "$out"
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVANTELO_BENCH=ON >"$out/configure.log" 2>&1 ||
    { cat "$out/configure.log" >&2; exit 1; }
echo "Building the benchmarks in $dir ..." >&2
cmake --build "$dir" -j"$(nproc)" --target benchmarks >"$out/build.log" 2>&1 ||
    { tail -40 "$out/build.log" >&2; exit 1; }
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data"
if [ $# -gt 0 ]; then
    programs=""
    for name in "$@"; do programs="$programs $dir/bench/bench_${name#bench_}"; done
else
    # The programs only, not the folders their build keeps beside them.
    programs=$(find "$dir/bench" -maxdepth 1 -type f -perm -u+x -name 'bench_*' | sort)
fi
status=0
for program in $programs; do
    name=$(basename "$program")
    if ! "$program" >"$out/$name.txt" 2>&1; then
        echo "$name: did not finish (see $out/$name.txt) (none) missed"
        status=1
    fi
    grep -E '^[^:]+: .* \((at most|under|at least|exactly) .*\) (met|missed)$' "$out/$name.txt" ||
        echo "$name: printed no figure (see $out/$name.txt) (none) missed"
done
exit $status
