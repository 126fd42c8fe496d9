#!/usr/bin/env bash
# Makes the README's pictures of the real program on a private virtual X server:
#   docs/screenshot.png          the window showing a result
#   docs/screenshot-clock.png    the shrunken window, with the clock its caption shows
#   docs/screenshot-colours.png  two windows side by side with recoloured displays
#   docs/screenshot-box.png      the box that announces a further window
# The small windows are enlarged pixel for pixel so that they can be read.
#
# Usage: scripts/screenshots.sh [PROGRAM]   (default: build/app/kirune, from `make build`)
# Needs: Xvfb, xdotool, xwininfo, ImageMagick; openbox if installed, for a real title bar
# on the box (scripts/install-deps.sh screenshots).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
program=${1:-$root/build/app/kirune}
out=$root/docs
if [ ! -x "$program" ]; then
    echo "screenshots: no program at $program; run 'make build' first or name one" >&2
    exit 1
fi
for tool in Xvfb xdotool xwininfo import convert display; do
    if ! command -v "$tool" >/dev/null; then
        echo "screenshots: $tool is missing; run scripts/install-deps.sh screenshots" >&2
        exit 1
    fi
done
mkdir -p "$out"

work=$(mktemp -d)
pids=()
cleanup() {
    local status=$?
    if [ "$status" -ne 0 ]; then
        for log in "$work"/*.log; do
            [ -s "$log" ] && { echo "--- $(basename "$log") ---"; cat "$log"; } >&2
        done
    fi
    # Only what this script started, newest first.
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# A private X server on a free display number, chosen by the server itself. -noreset: by
# default it starts afresh whenever its last client leaves, and refuses connections meanwhile.
Xvfb -displayfd 5 -screen 0 1280x1024x24 -dpi 96 -nolisten tcp -noreset 5>"$work/display" \
    2>"$work/xvfb.log" &
pids+=($!)
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.05
done
[ -s "$work/display" ] || { echo "screenshots: Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(head -n1 "$work/display")
export DISPLAY

# Nothing of the caller's desktop.
unset WAYLAND_DISPLAY DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS SESSION_MANAGER
export QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work

# A calm desktop colour behind the windows instead of the server's black.
background='#d9dee4'
convert -size 1280x1024 "xc:$background" "$work/background.png"
paint_desktop() {
    display -window root "$work/background.png" || true # sets the root, ends with status 1
}
paint_desktop

# A window manager draws the title bar of a box. It comes after the shots of the main
# windows: without one, a window that loses the focus draws neither cursor nor focus ring.
start_window_manager() {
    command -v openbox >/dev/null || return 0
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 100); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    paint_desktop
}

# Waits for a new top-level window of the program; prints its id.
window_of() {
    local pid=$1 known=${2:-} id
    for _ in $(seq 200); do
        for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | sort -n); do
            if ! grep -qw "$id" <<<"$known"; then
                echo "$id"
                return
            fi
        done
        sleep 0.05
    done
    echo "screenshots: no new window of pid $pid" >&2
    return 1
}

start() {
    LANG=ja_JP.UTF-8 "$program" >>"$work/kirune.log" 2>&1 &
    pids+=($!)
    started=$!
}

type_into() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    xdotool key --delay 40 "$@"
    sleep 0.4  # let the window draw what the keys did
}

# Nobody's keyboard focus: the display draws neither its cursor nor its focus ring.
unfocus() {
    xdotool windowfocus --sync "$(xwininfo -root | awk '/Window id:/ {print $4}')" || true
    sleep 0.3
}

# The screen at x, y (w x h), with a margin of the desktop around it, enlarged by a factor.
shot() {
    local x=$1 y=$2 w=$3 h=$4 margin=$5 scale=$6 file=$7
    local area="$((w + 2 * margin))x$((h + 2 * margin))+$((x - margin))+$((y - margin))"
    import -window root -crop "$area" +repage "$work/crop.png"
    convert "$work/crop.png" -filter point -resize "${scale}00%" "$file"
}

geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# The window showing a result.
start
main=$(window_of "$started")
xdotool windowmove --sync "$main" 100 100
type_into "$main" 1 2 3 4 5 period 6 7 8
unfocus
read -r x y w h < <(geometry "$main")
shot "$x" "$y" "$w" "$h" 6 3 "$out/screenshot.png"
echo "screenshots: $out/screenshot.png"

# The colour keys in two windows side by side: light red, light yellow.
type_into "$main" c 3 period 1 4 i
xdotool key z
box=$(window_of "$started" "$main")
type_into "$box" Return
second=$(window_of "$started" "$main $box")
xdotool windowmove --sync "$second" $((100 + w + 8)) 100
type_into "$second" 2 7 1 8 o
unfocus
shot 100 100 $((2 * w + 8)) "$h" 6 3 "$out/screenshot-colours.png"
echo "screenshots: $out/screenshot-colours.png"

# The announcement box, with the window manager's title bar when there is one.
start_window_manager
xdotool windowfocus --sync "$second"
xdotool key z
box=$(window_of "$started" "$main $second")
sleep 0.5
import -frame -window "$box" "$work/box.png"
convert "$work/box.png" -bordercolor "$background" -border 8 "$out/screenshot-box.png"
echo "screenshots: $out/screenshot-box.png"
xdotool windowfocus --sync "$box"
xdotool key Escape
sleep 0.3

# The clock: space shrinks the main window to 2 x 2 pixels and its caption runs the date and
# time. No frame shows a caption, so it is written beside the enlarged window as read.
type_into "$main" space
sleep 1
read -r x y w h < <(geometry "$main")
caption=$(xdotool getwindowname "$main")
shot "$x" "$y" "$w" "$h" 4 10 "$work/clock.png"
font=$(fc-match -f '%{file}' 'sans-serif')
convert "$work/clock.png" -background "$background" -fill '#202830' -font "$font" \
    -pointsize 18 label:"   caption: $caption" -gravity center +append \
    -bordercolor "$background" -border 8 "$out/screenshot-clock.png"
echo "screenshots: $out/screenshot-clock.png"
