#!/usr/bin/env bash
# Runs a command on a private PulseAudio server whose only output is a null sink, records
# what the sink plays from its monitor, and says how loud that was.
#
#   scripts/null-sink.sh [--expect-sound] COMMAND [ARG...]
#
# The server, its home and runtime folder are made for this run alone and removed after
# it (as root too: a server of our own, not the system one). The recording is 44.1 kHz
# 16-bit stereo; its RMS is printed as a fraction of full scale. --expect-sound fails
# unless the command succeeded and the recording is not silence (RMS above 0.001, about
# -60 dBFS). Used by CI for the graph's sound (tests/test_trace_playback.cpp), and for
# the latency benchmark (benchmarks/bench_trace.cpp).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

expect=0
if [ "${1:-}" = --expect-sound ]; then
    expect=1
    shift
fi
[ $# -ge 1 ] || {
    sed -n '5p' "$0" | sed 's/^# *//' >&2
    exit 2
}

"$root/scripts/install-deps.sh" >&2

work=$(mktemp -d /tmp/null-sink.XXXXXX)
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
unset PULSE_SERVER DBUS_SESSION_BUS_ADDRESS

recorder=""
finish() {
    [ -n "$recorder" ] && kill "$recorder" 2>/dev/null && wait "$recorder" 2>/dev/null
    pulseaudio --kill 2>/dev/null || true
    rm -rf "$work"
}
trap finish EXIT

# No default set-up (-n): the native protocol for the clients, and the null sink.
pulseaudio -n --daemonize=yes --exit-idle-time=-1 --disallow-exit --system=false \
    --use-pid-file=yes --log-target="file:$work/pulseaudio.log" \
    --load=module-native-protocol-unix --load="module-null-sink sink_name=trace" || {
    echo "null-sink: PulseAudio did not start" >&2
    cat "$work/pulseaudio.log" >&2 || true
    exit 1
}
for _ in $(seq 50); do
    pactl info >/dev/null 2>&1 && break
    sleep 0.1
done
pactl set-default-sink trace

parec -d trace.monitor --raw --format=s16le --rate=44100 --channels=2 >"$work/recorded.raw" &
recorder=$!
sleep 0.3

status=0
"$@" || status=$?
sleep 0.3
kill "$recorder" 2>/dev/null && wait "$recorder" 2>/dev/null || true
recorder=""

rms=$(/usr/bin/python3 - "$work/recorded.raw" <<'EOF'
import array, math, sys
data = open(sys.argv[1], "rb").read()
samples = array.array("h", data[: len(data) // 4 * 4])
rms = math.sqrt(sum(s * s for s in samples) / len(samples)) / 32767 if samples else 0
print(f"{rms:.4f} {len(samples) / 2 / 44100:.1f}")
EOF
)
echo "null-sink: recorded ${rms#* } s, RMS ${rms%% *} of full scale"
if [ $expect = 1 ]; then
    [ $status = 0 ] || {
        echo "null-sink: the command failed ($status)" >&2
        exit $status
    }
    awk -v r="${rms%% *}" 'BEGIN { exit !(r > 0.001) }' || {
        echo "null-sink: the recording is silence" >&2
        exit 1
    }
fi
exit $status
