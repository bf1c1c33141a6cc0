#!/bin/sh
# Installs what is missing, builds the program and starts it.
set -eu
cd "$(dirname "$0")/.."

sh scripts/install-deps.sh

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$(nproc)" --target mivesk
exec build/ui/mivesk
