#!/usr/bin/env bash
# Takes the pictures in docs/screenshots/ from the real program under a virtual X
# display, driving it like a person with the mouse and the keyboard (xdotool):
#   start.png                the window as it opens
#   solve-fractions-it.png   Frazioni, A = 1/2, B = -3/2, C = 1/1, Risolvi
#   complex-en.png           English, A = 1, B = 2, C = 5, Solve
#   compose.png              Componi
#   start-scale2.png         the window as it opens with QT_SCALE_FACTOR=2
#   board-it.png             the board (Ctrl+L) after the solve of 1/2, -3/2, 1/1, full
#                            screen (F11) on a 1920 x 1080 screen
#   board-complex-en.png     the board in English after the solve of 1, 2, 5, 1000 x 700
#   practice-it.png          the practice window (Ctrl+E), set 17 of fraction coefficients,
#                            a wrong Δ marked
#   practice-end-en.png      the practice window in English at the end of set 17 of whole
#                            roots
#
#   scripts/screenshots.sh [--scale N] [--clock HH:MM:SS] BUILD_DIR [OUT_DIR]
#
# --scale N takes the others at QT_SCALE_FACTOR=N instead (and no start-scale2.png).
# --clock runs the program at that time of day, so that it draws the same background
# colour every time: two sets of pictures of the same clock can be compared pixel by
# pixel (compare -metric AE a.png b.png null:); only the text cursor's blink may differ.
# OUT_DIR is docs/screenshots unless given.
#
# Needs xvfb, xauth, x11-utils, imagemagick, xdotool, openbox, python3 and, with --clock,
# faketime; missing Debian packages are installed (as root or through sudo).
#
# Menu items are clicked at the middle of their caption. Their places depend on the
# menu font and on the language, so they are not fixed numbers: each time, the menu
# bar strip of a fresh picture is searched for the dark runs of caption text, and the
# n-th run is the n-th item. For the record, at scale 1 with the default Fusion style
# and DejaVu Sans the six items sit at x = 29, 89, 154, 203, 241, 289 (Italian) in a
# 19-pixel bar.
set -euo pipefail

if [ "${1:-}" = --inside-x ]; then
    shift
    program=$1
    out=$2
    export QT_SCALE_FACTOR=$SCALE
    # A length in pixels at scale 1, at the scale of the pictures.
    sc() { python3 -c "print(round($1 * $SCALE))"; }
    # The client area below the menu bar, in pixels at scale 1 (6015 x 7065 twips).
    client_height=$(sc 471)

    pid=""
    stop_program() {
        if [ -n "$pid" ]; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            pid=""
        fi
    }
    trap stop_program EXIT

    # The id of the window with that title, once it shows (within ten seconds).
    window_titled() {
        local id=""
        for _ in $(seq 100); do
            id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n1) || true
            [ -n "$id" ] && break
            sleep 0.1
        done
        [ -n "$id" ] || {
            echo "FAIL: no window titled $1 appeared" >&2
            exit 1
        }
        echo "$id"
    }

    start_program() {
        if [ -n "$CLOCK" ]; then
            env FAKETIME="2026-12-07 $CLOCK" FAKETIME_DONT_FAKE_MONOTONIC=1 \
                LD_PRELOAD=/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1 "$program" &
        else
            "$program" &
        fi
        pid=$!
        wid=$(window_titled B)
        sleep 1
        read -r win_x win_y win_w win_h < <(xwininfo -id "$wid" | awk '
            /Absolute upper-left X/ {x = $4} /Absolute upper-left Y/ {y = $4}
            /Width:/ {w = $2} /Height:/ {h = $2} END {print x, y, w, h}')
    }

    # Keeps the pointer off the window, so that no item is highlighted and no tooltip shows.
    pointer_away() {
        xdotool mousemove $((win_x + win_w + 40)) $((win_y + win_h + 40))
        sleep 0.5
    }

    capture() {
        pointer_away
        import -window root -crop "${win_w}x${win_h}+${win_x}+${win_y}" +repage "$1"
        echo "wrote $1 (${win_w}x${win_h})"
    }

    # Prints the x of the middle of the n-th (1-based) menu item's caption and the
    # y of the middle of the bar, relative to the window.
    menu_item() {
        pointer_away
        local bar=$((win_h - client_height))
        import -window root -crop "${win_w}x${bar}+${win_x}+${win_y}" +repage \
            -colorspace gray -depth 8 pgm:- | python3 -c '
import sys
data = sys.stdin.buffer.read()
fields, pos = [], 0
while len(fields) < 4:  # P5, width, height, maxval
    while data[pos:pos + 1].isspace():
        pos += 1
    start = pos
    while not data[pos:pos + 1].isspace():
        pos += 1
    fields.append(data[start:pos])
width, height = int(fields[1]), int(fields[2])
pixels = data[pos + 1:]
# Caption text, also the grey of a disabled item, stands out from the bar; the bottom
# rows hold the bar'"'"'s border line and are left out.
background = max(set(pixels), key=pixels.count)
dark = [any(background - pixels[y * width + x] > 30 for y in range(height - 2))
        for x in range(width)]
runs, x = [], 0
while x < width:
    if not dark[x]:
        x += 1
        continue
    start = last = x
    # Letters of one caption are at most a few pixels apart; items are further.
    while x < width and x - last < 6:
        if dark[x]:
            last = x
        x += 1
    runs.append((start, last))
n = int(sys.argv[1])
if len(runs) != 8:
    sys.exit("menu bar: found %d captions, not 8: %s" % (len(runs), runs))
print((runs[n - 1][0] + runs[n - 1][1]) // 2, height // 2)
' "$1"
    }

    click_menu() {
        local x y
        read -r x y < <(menu_item "$1")
        xdotool mousemove $((win_x + x)) $((win_y + y)) click 1
        sleep 0.7
    }

    # Clicks into the numerator box of A (2040, 1200 twips, 735 x 375), which gives
    # the window the keyboard focus even without a window manager.
    click_box_a() {
        local bar=$((win_h - client_height))
        xdotool mousemove $((win_x + $(sc 160))) $((win_y + bar + $(sc 92))) click 1
        sleep 0.3
    }

    type_boxes() {
        local first=1 value
        for value in "$@"; do
            [ $first = 1 ] || xdotool key Tab
            first=0
            xdotool type --delay 60 -- "$value"
        done
        sleep 0.3
    }

    # (a) the window as it opens
    start_program
    capture "$out/start.png"
    stop_program

    # (b) fractions, Italian: Frazioni, 1/2, -3/2, 1/1, Risolvi
    start_program
    click_menu 3
    click_box_a
    type_boxes 1 2 -3 2 1 1
    click_menu 1
    capture "$out/solve-fractions-it.png"
    stop_program

    # (c) complex roots, English: English, 1, 2, 5, Solve
    start_program
    click_menu 6
    click_box_a
    type_boxes 1 2 5
    click_menu 1
    capture "$out/complex-en.png"
    stop_program

    # (d) compose mode
    start_program
    click_menu 2
    capture "$out/compose.png"
    stop_program

    # A second window (the board, the practice window), by its title.
    capture_board() {
        local bid
        bid=$(window_titled "$1")
        [ "${3:-}" != full ] || {
            xdotool windowfocus --sync "$bid"
            xdotool key F11
            sleep 1
        }
        sleep 0.7
        pointer_away
        import -window "$bid" +repage "$2"
        echo "wrote $2 ($(identify -format %wx%h "$2"))"
    }

    # (f) the board after a solve with fractions, Italian, full screen: a window manager
    # puts a window in full screen, so one runs for this picture.
    openbox >/dev/null 2>&1 &
    wm=$!
    sleep 1
    start_program
    click_menu 3
    click_box_a
    type_boxes 1 2 -3 2 1 1
    click_menu 1
    xdotool key ctrl+l
    capture_board Lavagna "$out/board-it.png" full
    stop_program

    # Types one step's boxes of the practice window, Tab between them, and Return.
    answer() {
        type_boxes "$@"
        xdotool key Return
        sleep 0.2
    }

    # (h) practice, Italian: Ctrl+E, fraction coefficients (Up from mixed), set 17; the
    # integer form right, then a Δ with the sign of 4AC wrong, marked
    start_program
    click_box_a
    xdotool key ctrl+e
    xdotool windowfocus --sync "$(window_titled Esercizi)"
    sleep 0.5
    for key in Up Tab ctrl+a; do
        xdotool key $key
        sleep 0.3
    done
    answer 17
    answer 4 9 -18
    answer -207
    capture_board Esercizi "$out/practice-it.png"
    stop_program

    # (i) practice, English, at the end of set 17 of whole roots: a wrong Δ in the second
    # exercise, the vertex's y with the wrong sign in the fifth, a step shown (F1) in the
    # seventh
    start_program
    click_menu 6
    click_box_a
    xdotool key ctrl+e
    xdotool windowfocus --sync "$(window_titled Practice)"
    sleep 0.5
    for key in Home Tab ctrl+a; do
        xdotool key $key
        sleep 0.3
    done
    answer 17
    answer 9; answer 2; answer 1 -2; answer -1/2 -9/4
    answer -47; answer 49 # the wrong answer is selected: typing replaces it
    answer 2; answer 3 -4; answer -1/2 -49/4
    answer 36; answer 2; answer 4 -2; answer 1 -9
    answer 121; answer 2; answer 2 -9; answer -7/2 -121/4
    answer 4; answer 2; answer -3 -1; answer -2 -1; answer 1 # into y, where the focus stays
    answer 1; answer 2; answer 0 -1; answer -1/2 -1/4
    answer 4; xdotool key F1; answer 2; answer 3 1; answer 2 -1
    answer 16; answer 2; answer 6 2; answer 4 -4
    answer 1; answer 2; answer 1 0; answer 1/2 -1/4
    answer 49; answer 2; answer -4 3; answer -1/2 49/4
    capture_board Practice "$out/practice-end-en.png"
    stop_program
    kill "$wm"
    wait "$wm" 2>/dev/null || true

    # (g) the board in English after complex roots
    start_program
    click_menu 6
    click_box_a
    type_boxes 1 2 5
    click_menu 1
    click_menu 7
    capture_board Board "$out/board-complex-en.png"
    stop_program

    # (e) the window as it opens, twice as large
    if [ "$SCALE" = 1 ]; then
        export QT_SCALE_FACTOR=2
        start_program
        capture "$out/start-scale2.png"
        stop_program
    fi
    exit 0
fi

usage="usage: scripts/screenshots.sh [--scale N] [--clock HH:MM:SS] BUILD_DIR [OUT_DIR]"
export SCALE=1 CLOCK=""
while [ $# -gt 0 ]; do
    case $1 in
    --scale) SCALE=${2:?$usage}; shift 2 ;;
    --clock) CLOCK=${2:?$usage}; shift 2 ;;
    -*) echo "$usage" >&2; exit 2 ;;
    *) break ;;
    esac
done
build=${1:?$usage}
self=$(realpath "$0")
out=$(realpath -m "${2:-$(dirname "$self")/../docs/screenshots}")
program=$(realpath "$build/quadratic-tutor")
[ -x "$program" ] || {
    echo "no program at $program; build the quadratic-tutor target first" >&2
    exit 1
}

need=()
for tool in xvfb-run:xvfb xauth:xauth xwininfo:x11-utils import:imagemagick xdotool:xdotool \
    openbox:openbox python3:python3; do
    command -v "${tool%%:*}" >/dev/null || need+=("${tool#*:}")
done
[ -z "$CLOCK" ] || command -v faketime >/dev/null || need+=(faketime)
if [ ${#need[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" = 0 ] || sudo="sudo"
    echo "installing: ${need[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

mkdir -p "$out"
xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash "$self" --inside-x "$program" "$out"
