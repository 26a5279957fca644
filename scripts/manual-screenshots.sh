#!/bin/sh
# The manual's screenshots, taken from the program as it is built (nothing is built here):
# build/bin/zelmar runs under xvfb-run on a copy of the example file once per language
# (/LNG=DE|EN|FR), is driven with xdotool like a user would, and each shot is cut to the main
# window and written as a small PNG into doc/manual/<language>/images/.
#   scripts/manual-screenshots.sh [de en fr]
# Needs xvfb-run, xdotool, xwininfo and ImageMagick (import, convert).
set -eu

root=$(cd "$(dirname "$0")/.." && pwd)
program=${ZELMAR_PROGRAM:-$root/build/bin/zelmar}

if [ "${ZELMAR_SHOTS_INSIDE:-}" != 1 ]; then
    [ -x "$program" ] || { echo "$program is missing: build the program first" >&2; exit 2; }
    for tool in xvfb-run xdotool xwininfo import convert; do
        command -v "$tool" >/dev/null || { echo "$tool is missing (apt install xvfb xdotool x11-utils imagemagick)" >&2; exit 2; }
    done
    ZELMAR_SHOTS_INSIDE=1 exec xvfb-run -a -s "-screen 0 1400x900x24" "$0" "$@"
fi

work=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# The program's own settings (recent files, zoom) stay out of the user's, and the browser engine
# of the editor pages starts quietly without a screen.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export QTWEBENGINE_CHROMIUM_FLAGS="--no-sandbox --disable-gpu" QT_LOGGING_RULES="qt.webenginecontext=false"
export ZELMAR_INSTANCE_SCOPE="-manual-shots-$$"

keys() { xdotool key --delay 120 "$@"; sleep 1; }
# Without a window manager a closed dialog leaves the keyboard nowhere: back to the main window.
refocus() { xdotool windowfocus --sync "$window"; sleep 0.5; }

# Cuts the screen to a window (the main window, or the dialog that has the keyboard), or to a
# part of the main window (WxH+X+Y inside it), at most 1000 pixels wide, with few colours.
geometry_of() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h "+" x "+" y}'
}
shot() {
    case "${2:-window}" in
        window) geometry=$(geometry_of "$window") ;;
        dialog) geometry=$(geometry_of "$(xdotool getwindowfocus)") ;;
        *) geometry=$2 ;;
    esac
    import -window root "$work/screen.png"
    convert "$work/screen.png" -crop "$geometry" +repage -resize '1000x>' \
        -colors 96 -define png:compression-level=9 -strip "PNG8:$images/$1.png"
    echo "  $images/$1.png ($geometry)"
}

for language in ${*:-de en fr}; do
    images="$root/doc/manual/$language/images"
    mkdir -p "$images"
    case "$language" in
        de) file_menu=alt+d ;;
        en) file_menu=alt+f ;;
        fr) file_menu=alt+f ;;
        *) echo "unknown language $language" >&2; exit 2 ;;
    esac
    echo "$language:"
    cp "$root/examples/zelmar_examples.sdf" "$work/"
    rm -rf "$XDG_CONFIG_HOME"/*
    (cd "$work" && exec "$program" "/LNG=$(echo "$language" | tr a-z A-Z)" zelmar_examples.sdf) \
        >"$work/program.log" 2>&1 &
    pid=$!
    window=$(xdotool search --sync --onlyvisible --name '^Zelmar - ' | head -n 1)
    sleep 4
    # The sheet fills the frame: a double click on its title bar.
    xdotool mousemove --window "$window" 300 70 click --repeat 2 --delay 80 1
    sleep 2
    xdotool mousemove --window "$window" 900 650
    shot main

    # The column header menu of a column of numbers.
    xdotool mousemove --window "$window" 760 72 click 3
    sleep 1
    shot columnmenu 1000x260+0+0
    keys Escape

    # The pop-up menu of a cell.
    xdotool mousemove --window "$window" 500 230 click 1 click 3
    sleep 1
    shot popup 620x560+380+0
    keys Escape

    # Menus are reached from the File menu's key and the arrow keys, the same in every
    # language (Up from the first entry goes round to the last; disabled ones are skipped).
    refocus
    keys "$file_menu" Right Right Right Down Return
    keys Down Down Tab
    xdotool type --delay 100 Coff
    shot search dialog
    keys Escape
    refocus
    keys "$file_menu" Right Up Up Return
    shot fields dialog
    keys Escape
    refocus
    keys "$file_menu" Right Up Return
    shot display dialog
    keys Escape
    refocus
    keys "$file_menu" Up Up Up Return
    shot export dialog
    keys Escape

    kill "$pid"
    wait "$pid" 2>/dev/null || true
    pid=
done
