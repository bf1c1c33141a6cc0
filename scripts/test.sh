#!/bin/sh
# Installs what is missing, builds everything and runs every test.
set -eu
cd "$(dirname "$0")/.."

sh scripts/install-deps.sh --for-tests

jobs=$(nproc)
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"

# The same tests again, built with AddressSanitizer and
# UndefinedBehaviorSanitizer: any memory error, undefined behaviour or leak
# of ours fails the test that caused it.
cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DMIVESK_SANITIZE=ON \
    -DMIVESK_BUILD_BENCH=OFF
cmake --build build-sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp" \
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

# Half a minute of fuzzing the dictionary reader, from the committed seeds.
# New inputs go to a scratch corpus in the build tree, never into tests/.
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DMIVESK_BUILD_FUZZ=ON
cmake --build build-fuzz -j "$jobs"
mkdir -p build-fuzz/corpus build-fuzz/findings
build-fuzz/tests/fuzz/fuzz_dictionary -max_total_time=30 -max_len=1024 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/findings/ build-fuzz/corpus tests/fuzz/corpus
