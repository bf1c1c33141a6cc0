#!/bin/sh
# Installs, on Debian 12, whatever is missing: with no argument what
# building and running the program needs; with --for-tests also the test
# tools; with --for-bench also the benchmarks' tools. Run as root. Does
# nothing when everything is already there.
set -eu

# libxcb1-dev: the hint window keeps off the taskbar through X11 itself.
packages="cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libxcb1-dev
fonts-ipafont-gothic"
if [ "${1:-}" = "--for-tests" ]; then
    # clang-format checks the formatting (.ci/run); clang and its runtime
    # build the fuzz target; dpkg-dev gives the hardening flags and the
    # package's library dependencies, and cpack's Debian generator needs
    # file; lintian, appstream and desktop-file-utils judge the package,
    # its metainfo and its desktop entry; the mingw binutils compile the
    # Windows version resource; clang-tidy checks the braces (the lint
    # test); Google Benchmark and the X libraries build bench/.
    packages="$packages clang-format clang libclang-rt-14-dev appstream binutils-mingw-w64-x86-64
dpkg-dev file libbenchmark-dev desktop-file-utils lintian clang-tidy libx11-dev libxdamage-dev libxtst-dev"
fi
# The benchmarks (bench/run.sh): Google Benchmark, the X libraries and the
# private X server of the outside probe, hyperfine for whole processes, and
# valgrind for profiling start-up by hand.
if [ "${1:-}" = "--for-bench" ]; then
    packages="$packages libbenchmark-dev libx11-dev libxdamage-dev libxtst-dev xvfb xauth hyperfine valgrind"
fi

missing=""
for p in $packages; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
    echo "Installing:$missing"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
fi
