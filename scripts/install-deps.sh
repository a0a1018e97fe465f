#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need, where
# they are missing. Runs apt-get as root, or through sudo.
set -euo pipefail

packages=(cmake g++ make qt6-base-dev fonts-liberation fonts-dejavu-core xvfb xauth x11-utils
          imagemagick locales)
# The graph's sound: Qt Multimedia (QAudioSink), and a PulseAudio server with its tools
# for the playback check on a null sink (scripts/null-sink.sh).
packages+=(qt6-multimedia-dev pulseaudio pulseaudio-utils)
# The screen-reader tests (tests/accessibility): a window manager, real keys, a D-Bus
# session with the AT-SPI bus, and Debian's python3 with pyatspi.
packages+=(openbox xdotool dbus dbus-bin dbus-daemon at-spi2-core python3 python3-gi
           python3-pyatspi gir1.2-atspi-2.0)
# Extra tools for the sanitizer and fuzzing runs.
if [ "${WITH_FUZZ:-0}" = 1 ]; then
    packages+=(clang libclang-rt-14-dev)
fi
# Orca and its speech, for scripts/orca-transcript.sh and scripts/screen-reader-check.sh.
if [ "${WITH_SCREEN_READER:-0}" = 1 ]; then
    packages+=(orca speech-dispatcher speech-dispatcher-espeak-ng)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
    echo "installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The tests also run with an Italian locale, which writes numbers with a comma.
if ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; then
    $sudo sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^it_IT.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
    $sudo locale-gen >/dev/null
fi
