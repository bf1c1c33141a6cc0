#!/bin/sh
# Screenshots of the three windows as a user sees them, for comparing two
# builds pixel by pixel: the main window at start and after one Check, the
# hint window, and the About window. Runs the program on a private Xvfb
# server without a window manager, works it with its own keys, and captures
# each window's client area.
#
#   sh tools/screenshots.sh build/ui/mivesk shots/            # at 100 %
#   MIVESK_SHOT_SCALE=2 sh tools/screenshots.sh build/ui/mivesk shots2/
#   compare -metric AE old/start.png new/start.png null:      # 0: identical
#
# Needs Xvfb, xdotool and ImageMagick's import.
set -eu

program=$(realpath "$1")
out=$2
scale=${MIVESK_SHOT_SCALE:-1}
mkdir -p "$out"

display=:$(( $$ % 400 + 100 ))
Xvfb "$display" -screen 0 2560x1600x24 -dpi 96 -nolisten tcp >/dev/null 2>&1 &
server=$!
trap 'kill $server 2>/dev/null; [ -n "${app:-}" ] && kill $app 2>/dev/null; true' EXIT
export DISPLAY="$display"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
sleep 1

# From the data file's folder, whatever the current one holds.
cd "$(dirname "$program")"
QT_SCALE_FACTOR=$scale "$program" &
app=$!

main=$(xdotool search --sync --name '^Mivesk ﾊﾞｰｼﾞｮﾝ1\.2$' | head -n1)
# Each capture waits until the window has been quiet for a moment.
shot() {
    sleep 0.7
    import -window "$1" "$out/$2.png"
}
keys() {
    xdotool windowfocus --sync "$main"
    for key in "$@"; do
        xdotool key --clearmodifiers "$key"
        sleep 0.15
    done
}

shot "$main" start
keys s 1 Return
shot "$main" checked
keys h
hint=$(xdotool search --sync --name '^ヒント♪$' | head -n1)
# The main window takes the keys back, so no text cursor blinks in the hint.
keys shift
shot "$hint" hint
keys v
about=$(xdotool search --sync --name '^Miveskのﾊﾞｰｼﾞｮﾝ情報$' | head -n1)
shot "$about" about
xdotool windowfocus --sync "$about" key Escape
sleep 0.3
keys ctrl+q
wait "$app" 2>/dev/null || true
app=
ls "$out"
