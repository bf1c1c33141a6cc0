#!/bin/sh
# Installs, on Debian 12, whatever of the build and test tools is missing.
# Run as root. Does nothing when everything is already there.
set -eu

packages="cmake g++ make qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
fonts-ipafont-gothic clang-format xvfb xauth"
if [ "${1:-}" = "--for-tests" ]; then
    packages="$packages clang libclang-rt-14-dev appstream binutils-mingw-w64-x86-64 dpkg-dev libbenchmark-dev
desktop-file-utils hyperfine libx11-dev libxdamage-dev libxtst-dev valgrind"
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
