#!/usr/bin/env bash
# Takes a picture of the real window under a virtual X display.
#   scripts/screenshot.sh BUILD_DIR OUTPUT.png
# Needs xvfb, x11-utils and imagemagick (the README's commands install them).
set -euo pipefail
build=${1:-build}
out=${2:-docs/window.png}
program="$build/quadratic-tutor"

xvfb-run -a -s "-screen 0 800x700x24" bash -c '
  set -euo pipefail
  "$1" & pid=$!
  for _ in $(seq 50); do
    xwininfo -name B >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  geometry=$(xwininfo -name B | awk "/Absolute upper-left X/{x=\$4} /Absolute upper-left Y/{y=\$4} /Width:/{w=\$2} /Height:/{h=\$2} END{print w\"x\"h\"+\"x\"+\"y}")
  import -window root -crop "$geometry" +repage "$2"
  kill "$pid"
' _ "$program" "$out"
echo "wrote $out"
