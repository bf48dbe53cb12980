#!/bin/sh
# Builds the libFuzzer targets (tests/fuzz) with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz, with only the widget-free code they need, and runs
# each for its fixed number of runs from its seed corpus (tests/fuzz/corpus/).
set -eu
cd "$(dirname "$0")/.."
sh scripts/install-deps.sh test
cmake -S . -B build-fuzz -DVANTELO_FUZZ=ON -DVANTELO_WERROR=ON -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_CXX_COMPILER=clang++-14
cmake --build build-fuzz -j"$(nproc)"
ctest --test-dir build-fuzz -j"$(nproc)" --output-on-failure
