#!/bin/sh
# Builds the benchmarks and runs them all, printing one table per measure:
# the engine's operations, the response to clicks on the real window, and
# start-up and peak memory against a bare Qt window of the same size
# (offscreen, and under Xvfb when it is installed).
#
#   sh bench/run.sh                 # 30 alternated start-up runs of each
#   MIVESK_BENCH_RUNS=60 sh bench/run.sh
#   MIVESK_BENCH_BUILD_DIR=build-x sh bench/run.sh
set -eu
cd "$(dirname "$0")/.."

build=${MIVESK_BENCH_BUILD_DIR:-build-bench}
runs=${MIVESK_BENCH_RUNS:-30}
rounds=${MIVESK_BENCH_CLICK_ROUNDS:-1000}

cmake -S . -B "$build" -DMIVESK_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j "$(nproc)" --target bench_engine bench_click bench_startup_form1 \
    bench_startup_bare bench_startup_label bench_startup_compare >/dev/null
bin="$build/bench"

# Qt warns on every start when this is missing; the warning is only noise here.
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
    XDG_RUNTIME_DIR=$(mktemp -d)
    export XDG_RUNTIME_DIR
fi

echo "== Machine"
echo "nproc $(nproc); $(grep -m1 'model name' /proc/cpuinfo | sed 's/.*: //');" \
    "Qt $(qtpaths6 --qt-version 2>/dev/null || echo '?'); load average $(cut -d' ' -f1-3 /proc/loadavg)"
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

echo "== Click to repainted window"
"$bin/bench_click" --rounds "$rounds"
echo

echo "== Start-up to first paint, and peak memory"
QT_QPA_PLATFORM=offscreen "$bin/bench_startup_compare" --runs "$runs" \
    "$bin/bench_startup_form1" "$bin/bench_startup_bare"
echo
echo "-- For reference: what one line of Japanese text costs over the bare window"
QT_QPA_PLATFORM=offscreen "$bin/bench_startup_compare" --runs "$runs" \
    "$bin/bench_startup_label" "$bin/bench_startup_bare"

if command -v Xvfb >/dev/null 2>&1; then
    display=45
    while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
        display=$((display + 1))
    done
    Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    trap 'kill "$xvfb" 2>/dev/null || true' EXIT INT TERM
    tries=0
    while [ ! -e "/tmp/.X11-unix/X$display" ] && [ "$tries" -lt 50 ]; do
        sleep 0.1
        tries=$((tries + 1))
    done
    echo
    DISPLAY=":$display" QT_QPA_PLATFORM=xcb "$bin/bench_startup_compare" --runs "$runs" \
        "$bin/bench_startup_form1" "$bin/bench_startup_bare"
    kill "$xvfb" 2>/dev/null || true
    wait "$xvfb" 2>/dev/null || true
    trap - EXIT INT TERM
else
    echo "(Xvfb is not installed: start-up measured offscreen only)"
fi
