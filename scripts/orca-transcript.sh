#!/usr/bin/env bash
# Runs a program under the Orca screen reader on a virtual X display, types a key
# script into it with xdotool and prints what Orca said, one utterance a line, as
# Orca's own debug log records it ("SPEECH OUTPUT:" lines). Nothing is played: the
# speech goes through speech-dispatcher and espeak-ng into libao's null driver.
#
#   scripts/orca-transcript.sh [--steps] [--log FILE] [--output FILE] [--keep]
#                              PROGRAM KEYSCRIPT|-
#
# The key script has one step a line ('#' starts a comment):
#   type TEXT       types TEXT (as it is, blanks included)
#   key KEY...      presses keys, in xdotool's names: Tab, Return, alt, F10, alt+i, ...
#   wait SECONDS    waits that long on top of the usual settling
# After the program shows its window and after every step the script waits until
# Orca's log has been quiet for QUIET seconds (0.6 by default, at most 10 s a step).
#
#   --steps         prints each step ("> key Tab") before what Orca said after it
#   --log FILE      keeps Orca's whole debug log in FILE
#   --output FILE   keeps what the program and the stack printed in FILE
#   --keep          keeps the run's folder (home, logs) and says where it is
# TRANSCRIPT_LANG sets the locale of Orca and the program (C.UTF-8 by default;
# it_IT.UTF-8 makes Orca speak Italian).
#
# As root each run has a PID namespace of its own, so runs may overlap and nothing
# they start outlives them; otherwise Orca allows one run for each user at a time.
# Missing Debian packages are installed (scripts/install-deps.sh, as root or through
# sudo).
# shellcheck disable=SC2317 # the clean-up functions run from traps
set -euo pipefail
self=$(realpath "$0")

quiet=${QUIET:-0.6}

# ---------------------------------------------------------------------------------
# Stage 3: inside the D-Bus session, with DISPLAY set.
if [ "${1:-}" = --inside-session ]; then
    shift
    program=$1 keyscript=$2 work=$3
    log=$work/orca.log
    steps=$work/steps

    pids=()
    # One at a time, newest first: the program, Orca, speech-dispatcher and its
    # speech module, the window manager, the accessibility bus. Orca handles SIGTERM
    # only when an event wakes its main loop, so each gets two seconds, then SIGKILL;
    # its log is written line by line and is complete either way.
    stop_all() {
        local i pid children
        for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
            pid=${pids[i]}
            children=$(pgrep -P "$pid" | tr '\n' ' ') || true
            kill -TERM "$pid" 2>/dev/null || true
            for _ in $(seq 20); do
                kill -0 "$pid" 2>/dev/null || break
                sleep 0.1
            done
            # shellcheck disable=SC2086 # a list of ids
            kill -KILL "$pid" $children 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
        done
    }
    trap stop_all EXIT

    # Waits until FILE has not grown for $quiet seconds (at most $2 seconds).
    settle() {
        local file=$1 limit=${2:-10} size last_size="" quiet_since now start
        start=$(date +%s.%N)
        quiet_since=$start
        while :; do
            size=$(stat -c %s "$file" 2>/dev/null || echo 0)
            now=$(date +%s.%N)
            if [ "$size" != "$last_size" ]; then
                last_size=$size
                quiet_since=$now
            fi
            awk -v n="$now" -v q="$quiet_since" -v s="$start" -v quiet="$quiet" -v limit="$limit" \
                'BEGIN { exit !(n - q >= quiet || n - s >= limit) }' && return 0
            sleep 0.1
        done
    }

    # Waits until COMMAND succeeds, at most $1 seconds, and gives up early when the
    # process started last has died.
    wait_for() {
        local limit=$1
        shift
        for _ in $(seq $((limit * 10))); do
            "$@" >/dev/null 2>&1 && return 0
            kill -0 "${pids[-1]}" 2>/dev/null || {
                echo "orca-transcript: $(ps -o comm= -p "${pids[-1]}" 2>/dev/null || echo "a process") died while waiting for: $*" >&2
                return 1
            }
            sleep 0.1
        done
        echo "orca-transcript: timed out waiting for: $*" >&2
        return 1
    }

    # Waits on the bus itself: a call to org.a11y.Bus before the launcher owns the
    # name would have D-Bus start a second launcher.
    /usr/libexec/at-spi-bus-launcher --launch-immediately &
    pids+=($!)
    wait_for 20 sh -c 'dbus-send --session --print-reply --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus |
        grep -q "boolean true"'

    openbox --sm-disable &
    pids+=($!)
    wait_for 20 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"'

    speech-dispatcher --run-single --timeout 0 --communication-method unix_socket \
        --socket-path default &
    pids+=($!)
    wait_for 20 test -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock"

    # Orca writes its debug log through a buffered file; it is opened line-buffered
    # here so that the log shows each line as soon as Orca has handled the event.
    /usr/bin/python3 - --debug-file "$log" <<'EOF' &
import builtins, runpy, sys
log = sys.argv[2]
real_open = builtins.open
def line_buffered_log(file, mode="r", *args, **kwargs):
    if file == log and "w" in mode and not args and "buffering" not in kwargs:
        kwargs["buffering"] = 1
    return real_open(file, mode, *args, **kwargs)
builtins.open = line_buffered_log
sys.argv[0] = "/usr/bin/orca"
runpy.run_path("/usr/bin/orca", run_name="__main__")
EOF
    pids+=($!)
    # Orca has registered its listeners and said its (translated) greeting by then.
    wait_for 60 grep -q "ORCA: Starting registry" "$log"
    settle "$log"

    echo "$(date +%H:%M:%S.%N) start" >"$steps"
    QT_ACCESSIBILITY=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb "$program" &
    pids+=($!)
    program_pid=${pids[-1]}
    wait_for 30 xdotool search --onlyvisible --pid "$program_pid"
    wid=$(xdotool search --onlyvisible --pid "$program_pid" | head -n1)
    # openbox gives a new window the focus; make sure before the first key.
    xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus --sync "$wid"
    settle "$log" 15

    while IFS= read -r line || [ -n "$line" ]; do
        line=${line%%$'\r'}
        case $line in
        '' | '#'*) continue ;;
        esac
        verb=${line%% *}
        arg=${line#"$verb"}
        arg=${arg# }
        kill -0 "$program_pid" 2>/dev/null || {
            echo "orca-transcript: the program has exited before: $line" >&2
            exit 1
        }
        echo "$(date +%H:%M:%S.%N) $line" >>"$steps"
        case $verb in
        type) xdotool type --delay 80 -- "$arg" ;;
        key)
            # shellcheck disable=SC2086 # several keys in one step
            xdotool key --delay 80 $arg
            ;;
        wait) sleep "$arg" ;;
        *)
            echo "orca-transcript: unknown step: $line" >&2
            exit 1
            ;;
        esac
        settle "$log"
    done <"$keyscript"
    echo "$(date +%H:%M:%S.%N) end" >>"$steps"
    exit 0
fi

# ---------------------------------------------------------------------------------
# Stage 2: start the X server and a D-Bus session on it.
if [ "${1:-}" = --inside-namespace ]; then
    shift
    program=$1 keyscript=$2 work=$3
    exec 5>"$work/display"
    Xvfb -displayfd 5 -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
    xvfb_pid=$!
    exec 5>&-
    trap 'kill "$xvfb_pid" 2>/dev/null; wait "$xvfb_pid" 2>/dev/null || true' EXIT
    for _ in $(seq 100); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    [ -s "$work/display" ] || {
        echo "orca-transcript: Xvfb did not start" >&2
        cat "$work/xvfb.log" >&2
        exit 1
    }
    DISPLAY=:$(head -n1 "$work/display")
    export DISPLAY
    status=0
    dbus-run-session -- bash "$self" --inside-session "$program" "$keyscript" "$work" \
        >"$work/session.out" 2>&1 || status=$?
    if [ $status != 0 ]; then
        tail -n 20 "$work/session.out" >&2
    fi
    exit $status
fi

# ---------------------------------------------------------------------------------
# Stage 1: check the arguments, install what is missing, make a home.
keep_log=""
keep_output=""
keep_work=0
show_steps=0
while [ $# -gt 0 ]; do
    case $1 in
    --log)
        keep_log=$2
        shift 2
        ;;
    --output)
        keep_output=$2
        shift 2
        ;;
    --steps)
        show_steps=1
        shift
        ;;
    --keep)
        keep_work=1
        shift
        ;;
    --) shift && break ;;
    -*)
        echo "orca-transcript: unknown option $1" >&2
        exit 2
        ;;
    *) break ;;
    esac
done
[ $# = 2 ] || {
    sed -n '7,23s/^# \{0,1\}//p' "$self" >&2
    exit 2
}
program=$(realpath "$1")
[ -x "$program" ] || {
    echo "orca-transcript: no program at $1" >&2
    exit 2
}

# What is missing for this (Orca and speech among it); its messages go to stderr, so
# that stdout holds the transcript alone.
WITH_SCREEN_READER=1 "$(dirname "$self")/install-deps.sh" >&2

work=$(mktemp -d /tmp/orca-transcript.XXXXXX)
: >"$work/steps"
keyscript=$work/keys
if [ "$2" = - ]; then cat >"$keyscript"; else cp "$2" "$keyscript"; fi

finish() {
    if [ -n "$keep_log" ] && [ -f "$work/orca.log" ]; then cp "$work/orca.log" "$keep_log"; fi
    if [ -n "$keep_output" ] && [ -f "$work/session.out" ]; then
        cp "$work/session.out" "$keep_output"
    fi
    if [ "$keep_work" = 1 ]; then
        echo "orca-transcript: the run's folder is $work" >&2
    else
        rm -rf "$work"
    fi
}
trap finish EXIT

# A home of its own: Orca's settings, speech-dispatcher's set-up and libao's driver
# choice are made fresh each run, and nothing of the user's is read or changed.
export HOME=$work/home
export XDG_CONFIG_HOME=$HOME/.config XDG_DATA_HOME=$HOME/.local/share \
    XDG_CACHE_HOME=$HOME/.cache XDG_RUNTIME_DIR=$work/run
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher/modules" "$XDG_DATA_HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No sound card: espeak-ng's audio goes to libao's null driver.
echo "default_driver=null" >"$HOME/.libao"
cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
CommunicationMethod "unix_socket"
SocketPath "default"
LogLevel 3
LogDir "default"
AudioOutputMethod "libao"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
DisableAutoSpawn
EOF
cp /etc/speech-dispatcher/modules/espeak-ng.conf "$XDG_CONFIG_HOME/speech-dispatcher/modules/"
unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS WAYLAND_DISPLAY SESSION_MANAGER
export NO_AT_BRIDGE=0 GTK_MODULES="" LANG=${TRANSCRIPT_LANG:-C.UTF-8}

status=0
if [ "$(id -u)" = 0 ] && unshare --pid --fork --mount-proc --kill-child true 2>/dev/null; then
    # In a PID namespace of its own, whatever the stack leaves running ends with the
    # run, and Orca's one-instance check sees only this run's Orca.
    unshare --pid --fork --mount-proc --kill-child bash "$self" --inside-namespace \
        "$program" "$keyscript" "$work" || status=$?
else
    if pgrep -u "$(id -u)" -x orca >/dev/null; then
        echo "orca-transcript: Orca already runs for this user, and it allows only one" >&2
        exit 1
    fi
    bash "$self" --inside-namespace "$program" "$keyscript" "$work" || status=$?
fi
[ -f "$work/orca.log" ] || exit 1

# Orca's log: "HH:MM:SS.ffffff - SPEECH OUTPUT: 'text'" and then the voice; text
# of several lines goes on in lines indented by 18 blanks.
/usr/bin/python3 - "$work/orca.log" "$work/steps" "$show_steps" <<'EOF'
import ast, re, sys
log, steps_file, show_steps = sys.argv[1], sys.argv[2], sys.argv[3] == "1"

def seconds(stamp):
    h, m, s = stamp.split(":")
    return int(h) * 3600 + int(m) * 60 + float(s)

events = []
# newline="": a carriage return inside an utterance (the lines of a message box) is
# part of it, not the end of a log line.
lines = open(log, encoding="utf-8", errors="replace", newline="").read().split("\n")
stamp = re.compile(r"^(\d\d:\d\d:\d\d\.\d+) - (.*)$")
i = 0
while i < len(lines):
    m = stamp.match(lines[i])
    i += 1
    if not m or not m.group(2).startswith("SPEECH OUTPUT: '"):
        continue
    text = m.group(2)[len("SPEECH OUTPUT: '"):]
    while i < len(lines) and lines[i].startswith(" " * 18) and not stamp.match(lines[i]):
        text += "\n" + lines[i][18:]
        i += 1
    # What follows the closing quote is the voice: "'{...}", "' {...}" for keys and
    # characters, "'[{...}]" for text with a voice of its own, "' voice=NAME{...}"
    # for a voice other than the default one.
    for cut in reversed([m for m in re.finditer(r"'(?: voice=[^{ ]+)? ?(?=\[?\{)", text)]):
        try:
            if isinstance(ast.literal_eval(text[cut.end():]), (dict, list)):
                text = text[:cut.start()]
                break
        except (ValueError, SyntaxError):
            pass
    events.append((seconds(m.group(1)), "speech",
                   text.replace("\r", " ").replace("\n", " ").rstrip()))

# Only what Orca said between the program's start and the end of the key script:
# Orca's greeting and goodbye are left out.
steps = []
for line in open(steps_file, encoding="utf-8"):
    stamp_text, _, step = line.rstrip("\n").partition(" ")
    steps.append((seconds(stamp_text), "step", step))
if steps:
    start = steps[0][0]
    end = steps[-1][0] if steps[-1][2] == "end" else float("inf")
    events = [e for e in events if start <= e[0] <= end]
if show_steps:
    events += steps
events.sort(key=lambda e: (e[0], e[1] == "speech"))
for _, kind, text in events:
    print("> " + text if kind == "step" else text)
EOF
exit $status
