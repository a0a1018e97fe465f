#!/usr/bin/env bash
# Checks what the Orca screen reader says in two keyboard sessions with the program.
# tests/accessibility/transcripts/keyboard-session.keys: the results of a solve, the box
# names in Italian and then in English, the confirmed language switch, the warning box
# and the focus back in the box after it, and the value of a test.
# tests/accessibility/transcripts/board-session.keys: after a solve, Ctrl+L opens the
# board; its first line, a heading that wraps, read whole, the next two lines read with
# the Down key, the graph's name and description after Tab (with how to hear it), the
# points reached with the Right key, with their exact coordinates, and the speed of the
# graph's sound chosen with the key 2.
#
#   scripts/screen-reader-check.sh [--save DIR] PROGRAM
#
# Builds nothing: PROGRAM is the built program. Runs scripts/orca-transcript.sh (which
# installs Orca and the rest where missing) once a session and looks for the lines
# below, in order; Orca drops a line now and then on a busy machine, so a mismatch gets
# one more run. On failure it prints the transcript. --save DIR keeps the transcript of
# each session's last run there, as SESSION.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
transcripts=$root/tests/accessibility/transcripts

save=""
if [ "${1:-}" = --save ]; then
    save=$2
    shift 2
fi
[ $# = 1 ] || {
    sed -n '10p' "$0" | sed 's/^# *//' >&2
    exit 2
}
program=$1

# What Orca must say in each session, each a whole line of the transcript, in this
# order.
keyboard_session=(
    "numeratore di B text."
    "notification  Determinante =  1,  X1= 2,  X2= 1."
    "numeratore di C text."
    "notification Language: English."
    "numerator of C text."
    "alert WARNING."
    "numerator of A text."
    "notification F( 3)= 2."
)
board_session=(
    "Lavagna."
    "Passaggi read only text."
    "1. L'equazione, con i coefficienti ai minimi termini."
    "x² − 3x + 2 = 0"
    "2. La forma intera"
    "Grafico chart."
    "Parabola y = x² − 3x + 2, concavità verso l'alto, vertice V(3/2; −1/4), interseca l'asse x in x = 1 e x = 2, direttrice y = −1/2. H la fa ascoltare, i tasti da 1 a 5 ne scelgono la velocità."
    "notification radice x = 1."
    "notification radice x = 2."
    "notification vertice V(3/2; −1/4)"
    "notification Velocità 2: 6 secondi."
)

# Prints the first of the lines in "must" that the transcript lacks (after the ones
# before it), and fails then.
missing_line() {
    local at=0 n want
    for want in "${must[@]}"; do
        n=$(tail -n +$((at + 1)) "$1" | grep -nFx -m1 -- "$want" | cut -d: -f1) || true
        if [ -z "$n" ]; then
            echo "$want"
            return 1
        fi
        at=$((at + n))
    done
}

transcript=$(mktemp /tmp/screen-reader-check.XXXXXX)
trap 'rm -f "$transcript"' EXIT
# Runs the session named $1 and checks it against the lines in "must".
check_session() {
    local session=$1 attempt status missing
    for attempt in 1 2; do
        status=0
        "$root/scripts/orca-transcript.sh" --steps "$program" "$transcripts/$session.keys" \
            >"$transcript" || status=$?
        [ -n "$save" ] && cp "$transcript" "$save/$session.txt"
        if [ $status = 0 ] && missing=$(missing_line "$transcript"); then
            echo "screen-reader-check: $session: Orca said all ${#must[@]} lines (run $attempt)"
            return 0
        fi
        [ $status = 0 ] || missing="(orca-transcript.sh failed with status $status)"
        echo "screen-reader-check: $session: run $attempt: missing: $missing" >&2
    done
    echo "screen-reader-check: $session: what Orca said:" >&2
    cat "$transcript" >&2
    return 1
}

failed=0
must=("${keyboard_session[@]}")
check_session keyboard-session || failed=1
must=("${board_session[@]}")
check_session board-session || failed=1
exit $failed
