#!/bin/sh
# Installs what is missing, builds Vantelo with warnings as errors and runs the whole test suite.
# Tests need no radio and no display. VANTELO_SANITIZE=1 builds with AddressSanitizer and
# UndefinedBehaviorSanitizer in a separate folder.
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test
dir=build-test
# Debug information as line tables only (-g1): enough for a backtrace and the sanitizers' reports,
# and about a sixth less to compile than full debug information.
opts="-DVANTELO_WERROR=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1"
if [ "${VANTELO_SANITIZE:-0}" = 1 ]; then
    dir=build-asan
    # The plain build already compiles the benchmarks, and it compiles every source on its own,
    # as the program is built; this build compiles each library in batches of its sources.
    opts="$opts -DVANTELO_SANITIZE=ON -DVANTELO_BENCH=OFF -DVANTELO_UNITY=ON"
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
fi
cmake -S . -B "$dir" $opts
cmake --build "$dir" -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" -j"$(nproc)" --output-on-failure --timeout 300
