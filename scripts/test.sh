#!/bin/sh
# Installs what is missing, builds Vantelo with warnings as errors and runs the whole test suite.
# Tests need no radio and no display. VANTELO_SANITIZE=1 builds with AddressSanitizer and
# UndefinedBehaviorSanitizer in a separate folder.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test
dir=build-test
opts="-DVANTELO_WERROR=ON -DCMAKE_BUILD_TYPE=Debug"
if [ "${VANTELO_SANITIZE:-0}" = 1 ]; then
    dir=build-asan
    # The plain build already compiles the benchmarks.
    opts="$opts -DVANTELO_SANITIZE=ON -DVANTELO_BENCH=OFF"
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" $opts
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" -j"$(nproc)" --output-on-failure --timeout 300
