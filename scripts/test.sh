#!/bin/sh
# Installs what is missing, builds everything and runs every test: the
# normal build with its packaging checks (the Debian package built and
# judged by lintian, the desktop entry and metainfo validated), the same
# tests built with AddressSanitizer and UndefinedBehaviorSanitizer (any memory
# error, undefined behaviour or leak of ours fails the test that caused
# it), and half a minute of fuzzing the dictionary reader. Each step is a
# preset of CMakePresets.json.
set -eu
cd "$(dirname "$0")/.."

sh scripts/install-deps.sh --for-tests

jobs=$(nproc)
for preset in default sanitize fuzz; do
    cmake --preset "$preset"
    cmake --build --preset "$preset" -j "$jobs"
    ctest --preset "$preset" -j "$jobs"
done
