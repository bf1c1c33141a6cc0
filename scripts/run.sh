#!/bin/sh
# Installs what is missing, builds the program and starts it. The tests are
# left out of this build: running the program does not need them.
set -eu
cd "$(dirname "$0")/.."

sh scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMIVESK_BUILD_TESTS=OFF
cmake --build build -j "$(nproc)" --target mivesk
exec build/ui/mivesk
