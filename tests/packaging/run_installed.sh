#!/bin/sh
# Starts a program from an empty working directory and watches whether it
# finds its dictionary.
#
#   run_installed.sh finds-data <bin/mivesk> <compiled-in data dir>
#     The installed program must find 50on_dic.dat through its install
#     prefix: still running after 3 s, nothing about the file on stderr.
#   run_installed.sh complains <bin/mivesk> <compiled-in data dir>
#     A copy of the program with no dictionary anywhere near it must say so
#     on stderr (it may also keep a message box open).
#
# Exits 77 (skipped) when the compiled-in data directory holds the file: the
# program would find that one and the check would prove nothing.
set -u

mode=$1
program=$2
compiled_in=$3

if [ ! -x "$program" ]; then
    echo "no program at $program"
    exit 1
fi
if [ -e "$compiled_in/50on_dic.dat" ]; then
    echo "SKIP: $compiled_in/50on_dic.dat exists; the program would use it"
    exit 77
fi

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/cwd"

case $mode in
finds-data) ;;
complains)
    # Same binary, but no data beside it and no share/mivesk next to its bin.
    mkdir "$scratch/bin"
    cp "$program" "$scratch/bin/mivesk"
    program=$scratch/bin/mivesk
    ;;
*)
    echo "unknown mode $mode"
    exit 2
    ;;
esac

export QT_QPA_PLATFORM=offscreen
# The user's and the system's data folders are searched too; empty ones
# keep a dictionary installed on this machine out of the test.
mkdir "$scratch/data-home" "$scratch/data-dirs"
export XDG_DATA_HOME="$scratch/data-home" XDG_DATA_DIRS="$scratch/data-dirs"
(cd "$scratch/cwd" && exec timeout 3 "$program") 2>"$scratch/stderr" >/dev/null
status=$?
echo "exit status $status; stderr:"
cat "$scratch/stderr"

if [ -n "$(ls -A "$scratch/cwd")" ]; then
    echo "FAIL: the program wrote into its working directory:"
    ls -A "$scratch/cwd"
    exit 1
fi

case $mode in
finds-data)
    if grep -q "50on_dic\.dat" "$scratch/stderr"; then
        echo "FAIL: the installed program did not find 50on_dic.dat"
        exit 1
    fi
    if [ $status -ne 124 ]; then
        echo "FAIL: the installed program ended (status $status) instead of running"
        exit 1
    fi
    ;;
complains)
    if ! grep -q "50on_dic\.dat" "$scratch/stderr"; then
        echo "FAIL: without a dictionary the program said nothing about 50on_dic.dat"
        exit 1
    fi
    ;;
esac
echo "OK"
