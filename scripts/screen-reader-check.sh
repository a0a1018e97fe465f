#!/usr/bin/env bash
# Checks what the Orca screen reader says in a keyboard session with the program
# (tests/accessibility/transcripts/keyboard-session.keys): the results of a solve,
# the box names in Italian and then in English, the confirmed language switch, the
# warning box and the focus back in the box after it, and the value of a test.
#
#   scripts/screen-reader-check.sh [--save FILE] PROGRAM
#
# Builds nothing: PROGRAM is the built program. Runs scripts/orca-transcript.sh (which
# installs Orca and the rest where missing) and looks for the lines below, in order;
# Orca drops a line now and then on a busy machine, so a mismatch gets one more run.
# On failure it prints the transcript. --save FILE keeps the transcript of the last run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
keys=$root/tests/accessibility/transcripts/keyboard-session.keys

save=""
if [ "${1:-}" = --save ]; then
    save=$2
    shift 2
fi
[ $# = 1 ] || {
    sed -n '7p' "$0" | sed 's/^# *//' >&2
    exit 2
}
program=$1

# What Orca must say, each a whole line of the transcript, in this order.
must=(
    "numeratore di B text."
    "notification  Determinante =  1,  X1= 2,  X2= 1."
    "numeratore di C text."
    "notification Language: English."
    "numerator of C text."
    "alert WARNING."
    "numerator of A text."
    "notification F( 3)= 2."
)

# Prints the first of the lines above that the transcript lacks (after the ones
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
for attempt in 1 2; do
    status=0
    "$root/scripts/orca-transcript.sh" --steps "$program" "$keys" >"$transcript" || status=$?
    [ -n "$save" ] && cp "$transcript" "$save"
    if [ $status = 0 ] && missing=$(missing_line "$transcript"); then
        echo "screen-reader-check: Orca said all ${#must[@]} lines (run $attempt)"
        exit 0
    fi
    [ $status = 0 ] || missing="(orca-transcript.sh failed with status $status)"
    echo "screen-reader-check: run $attempt: missing: $missing" >&2
done
echo "screen-reader-check: what Orca said:" >&2
cat "$transcript" >&2
exit 1
