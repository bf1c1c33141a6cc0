#!/bin/sh
# Builds the benchmarks and runs them all, printing one table per measure:
# start-up as a user sees it (exec to the first painted frame on a private
# Xvfb server, alternated with a bare window and a one-label window) with
# peak memory, clicks to the repainted window measured the same way, the
# engine's operations, the in-process click benchmark, and whole-process
# offscreen start-up with hyperfine.
#
#   sh bench/run.sh                      # 21 alternated start-up rounds
#   MIVESK_BENCH_PAIRS=30 sh bench/run.sh
#   MIVESK_BENCH_BUILD_DIR=build-x sh bench/run.sh
#   MIVESK_BENCH_XVFB=:96 sh bench/run.sh  # the Xvfb display to use
set -eu
cd "$(dirname "$0")/.."

sh scripts/install-deps.sh --for-bench

build=${MIVESK_BENCH_BUILD_DIR:-build-bench}
pairs=${MIVESK_BENCH_PAIRS:-21}
runs=${MIVESK_BENCH_RUNS:-30}
rounds=${MIVESK_BENCH_CLICK_ROUNDS:-1000}
xclicks=${MIVESK_BENCH_X_CLICKS:-100}
xvfb=--xvfb${MIVESK_BENCH_XVFB:+=$MIVESK_BENCH_XVFB}

# The bench preset's settings; MIVESK_BENCH_BUILD_DIR only moves the folder.
cmake --preset bench -B "$build" >/dev/null
targets="mivesk bench_engine bench_click bench_startup_form1 bench_startup_bare bench_startup_label"
if grep -q '^MIVESK_BENCH_FIRST_FRAME:INTERNAL=ON' "$build/CMakeCache.txt"; then
    targets="$targets bench_first_frame"
fi
# shellcheck disable=SC2086
cmake --build "$build" -j "$(nproc)" --target $targets >/dev/null
bin="$build/bench"

# Qt warns on every start when this is missing; the warning is only noise here.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
    trap 'rm -rf "$XDG_RUNTIME_DIR"' EXIT
fi

# Every program measured runs in the program's environment, without a session
# bus: where no bus address is set, a Qt window that shows text would start
# dbus-launch to make one, a cost the program and its floors must share or
# not at all.
DBUS_SESSION_BUS_ADDRESS=disabled:
export DBUS_SESSION_BUS_ADDRESS

echo "== Machine"
echo "nproc $(nproc); $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //');" \
    "Qt $(qtpaths6 --qt-version 2>/dev/null || echo '?'); load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo

if [ -x "$bin/bench_first_frame" ] && command -v Xvfb >/dev/null 2>&1; then
    echo "== Start-up as a user sees it, and peak memory (targets: <= 1.00 x one label," \
        "<= one label + 2.0 MiB)"
    "$bin/bench_first_frame" "$xvfb" --pairs "$pairs" "$build/ui/mivesk" \
        "$bin/bench_startup_label --stay" "$bin/bench_startup_bare --stay"
    echo
    echo "== Click to repainted window, from outside (target: p99 < 3 ms)"
    "$bin/bench_first_frame" "$xvfb" --clicks "$xclicks" --runs 3 "$build/ui/mivesk"
else
    echo "(bench_first_frame needs Xlib, libXdamage and Xvfb: start-up as a user sees it not measured)"
fi
echo

echo "== Engine operations (median of 5 repetitions; time per operation)"
"$bin/bench_engine" --benchmark_report_aggregates_only=true 2>/dev/null |
    awk '/_median/ {
        name = $1
        sub(/\/iterations:.*/, "", name)
        ns = $2 * ($3 == "us" ? 1000 : ($3 == "ms" ? 1000000 : 1))
        printf "%-22s %10.1f ns   < 1000 ns %s\n", name, ns, (ns < 1000 ? "met" : "MISSED")
    }'
echo

echo "== Click to repainted window, in process (offscreen; paint events per click)"
QT_QPA_PLATFORM=offscreen "$bin/bench_click" --rounds "$rounds"
echo

echo "== Whole process to the first paint, offscreen (hyperfine; not alternated)"
if command -v hyperfine >/dev/null 2>&1; then
    json=$(mktemp)
    QT_QPA_PLATFORM=offscreen hyperfine -N --style basic --warmup 3 --runs "$runs" \
        --export-json "$json" "$bin/bench_startup_form1" "$bin/bench_startup_bare"
    # The medians, and their ratio.
    tr ',' '\n' <"$json" | awk -F: '/"median"/ { m[n++] = $2 * 1000 }
        END { printf "median: main window %.1f ms, bare window %.1f ms, ratio %.2f\n",
              m[0], m[1], m[0] / m[1] }'
    rm -f "$json"
else
    echo "(hyperfine is not installed)"
fi
