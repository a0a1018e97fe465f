#!/usr/bin/env bash
# Builds the release program, installs it into a staging tree and checks the desktop
# entry, the AppStream data and the icons there; then builds the Debian package, checks
# its control fields and contents, installs it on this machine and starts the installed
# program under a virtual X display until its window "B" shows, and checks the window's
# class and icon.
#
#   scripts/check-package.sh           everything (installs the package: root or sudo)
#   scripts/check-package.sh --cheap   build, staged install and validation only
#
# Prints one PASS or FAIL line per check and exits non-zero when any check fails.
# Missing tools (cmake, Qt, dpkg-dev, desktop-file-utils, appstream, imagemagick, xvfb,
# x11-utils) are installed with apt-get.
# The bash -c snippets below take their arguments as $1 and expand them themselves.
# shellcheck disable=SC2016
set -uo pipefail

cheap=0
case "${1:-}" in
--cheap) cheap=1 ;;
"") ;;
*)
    echo "usage: scripts/check-package.sh [--cheap]" >&2
    exit 2
    ;;
esac

cd "$(dirname "$0")/.." || exit 2
root=$PWD
build=$root/build-pkg
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

passed=0
failed=0
pass() {
    echo "PASS: $1"
    passed=$((passed + 1))
}
fail() {
    echo "FAIL: $1"
    [ -z "${2:-}" ] || while IFS= read -r line; do echo "    $line"; done <<<"$2"
    failed=$((failed + 1))
}
# check NAME COMMAND...: runs the command, PASS when it succeeds, FAIL with its output.
check() {
    local name=$1 output
    shift
    if output=$("$@" 2>&1); then
        pass "$name"
    else
        fail "$name" "$output"
    fi
}
finish() {
    echo "$passed passed, $failed failed"
    [ "$failed" = 0 ]
    exit
}
# A step that later steps need: on failure the run ends here.
must() {
    local name=$1 log=$work/step.log
    shift
    if "$@" >"$log" 2>&1; then
        pass "$name"
    else
        fail "$name" "$(tail -n 30 "$log")"
        finish
    fi
}

sudo=""
[ "$(id -u)" = 0 ] || sudo="sudo"

# Tools: command:package pairs.
tools=(cmake:cmake g++:g++ desktop-file-validate:desktop-file-utils appstreamcli:appstream
    dpkg-shlibdeps:dpkg-dev file:file compare:imagemagick)
[ $cheap = 1 ] || tools+=(xvfb-run:xvfb xauth:xauth xwininfo:x11-utils xprop:x11-utils)
need=()
for tool in "${tools[@]}"; do
    command -v "${tool%%:*}" >/dev/null || need+=("${tool#*:}")
done
dpkg-query -W -f='${Status}' qt6-base-dev 2>/dev/null | grep -q "install ok installed" ||
    need+=(qt6-base-dev)
if [ ${#need[@]} -gt 0 ]; then
    echo "installing: ${need[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
        "${need[@]}" >/dev/null
fi

# --- build and staged install ------------------------------------------------------------
must "configure $build (Release)" cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release \
    -DTUTOR_TESTS=OFF -DCMAKE_INSTALL_PREFIX=/usr
must "build quadratic-tutor" cmake --build "$build" -j2 --target quadratic-tutor

stage=$work/stage
must "cmake --install into a staging tree" env DESTDIR="$stage" cmake --install "$build"

desktop=$stage/usr/share/applications/quadratic-tutor.desktop
metainfo=$stage/usr/share/metainfo/org.example.QuadraticTutor.metainfo.xml
# The icon in every size a launcher, software centre or title bar may ask for.
icon_sizes=(16 24 32 48 64 128 256)
icons=(usr/share/icons/hicolor/scalable/apps/quadratic-tutor.svg)
for size in "${icon_sizes[@]}"; do
    icons+=("usr/share/icons/hicolor/${size}x${size}/apps/quadratic-tutor.png")
done
icon=$stage/usr/share/icons/hicolor/32x32/apps/quadratic-tutor.png
for file in usr/bin/quadratic-tutor "${desktop#"$stage"/}" "${metainfo#"$stage"/}" \
    "${icons[@]}" usr/share/doc/quadratic-tutor/copyright; do
    check "staged /$file" test -f "$stage/$file"
done
check "staged program is executable" test -x "$stage/usr/bin/quadratic-tutor"
check "desktop-file-validate" desktop-file-validate "$desktop"
check "appstreamcli validate --no-net" appstreamcli validate --no-net "$metainfo"
check "desktop entry: Exec names the installed program" \
    grep -qx "Exec=quadratic-tutor" "$desktop"
check "desktop entry: Icon names the installed icon" grep -qx "Icon=quadratic-tutor" "$desktop"
check "desktop entry: Comment in English and Italian" \
    bash -c 'grep -q "^Comment=." "$1" && grep -q "^Comment\[it\]=." "$1"' _ "$desktop"
check "metainfo: summary and description in English and Italian" \
    bash -c 'grep -q "<summary xml:lang=\"it\">" "$1" && grep -q "<p xml:lang=\"it\">" "$1"' _ "$metainfo"
check "metainfo: launchable is the desktop entry" \
    grep -q '<launchable type="desktop-id">quadratic-tutor.desktop</launchable>' "$metainfo"
for size in "${icon_sizes[@]}"; do
    check "icon ${size}x${size} is a $size x $size PNG on a transparent background" \
        bash -c 'file "$1" | grep -q "PNG image data, $2 x $2," &&
            [ "$(identify -format "%[opaque]" "$1")" = false ]' \
        _ "$stage/usr/share/icons/hicolor/${size}x${size}/apps/quadratic-tutor.png" "$size"
done
check "scalable icon is an SVG" \
    bash -c 'file "$1" | grep -q "SVG Scalable Vector Graphics image"' _ "$stage/${icons[0]}"
# The 32 x 32 icon is the window's design, app/icon.xpm, pixel for pixel.
check "icon 32x32 is app/icon.xpm pixel for pixel (compare -metric AE)" \
    compare -metric AE "$root/app/icon.xpm" "$icon" null:

if [ $cheap = 1 ]; then
    finish
fi

# --- Debian package ----------------------------------------------------------------------
rm -f "$build"/quadratic-tutor_*.deb
must "cpack -G DEB" bash -c 'cd "$1" && cpack -G DEB' _ "$build"
debs=("$build"/quadratic-tutor_*.deb)
deb=${debs[0]}
if [ ! -f "$deb" ]; then
    fail "a .deb in $build"
    finish
fi
pass "package file $(basename "$deb")"

dpkg-deb -f "$deb" | sed '/^$/d; s/^/    /'
field() { dpkg-deb -f "$deb" "$1"; }
check_field() {
    local name=$1 want=$2 got
    got=$(field "$name")
    if [ "$got" = "$want" ]; then pass "control $name: $want"; else fail "control $name" "want: $want
got:  $got"; fi
}
check_field Package quadratic-tutor
check_field Version 1.0.0
check_field Section education
check_field Maintainer "Quadratic Tutor project <quadratic-tutor@example.org>"
depends=$(field Depends)
# The package names alone, one a line, without version constraints.
names=$(tr ',|' '\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//')
for dep in libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6 qt6-qpa-plugins fonts-liberation; do
    if grep -qxF "$dep" <<<"$names"; then
        pass "Depends has $dep"
    else
        fail "Depends has $dep" "Depends: $depends"
    fi
done
contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/quadratic-tutor ./usr/share/applications/quadratic-tutor.desktop \
    ./usr/share/metainfo/org.example.QuadraticTutor.metainfo.xml \
    "${icons[@]/#/./}" ./usr/share/doc/quadratic-tutor/copyright; do
    if grep -q " $file$" <<<"$contents"; then pass "package holds $file"; else fail "package holds $file"; fi
done

# --- install and start -------------------------------------------------------------------
must "apt-get install ./$(basename "$deb")" \
    env DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --reinstall "$deb"
check "dpkg reports quadratic-tutor 1.0.0 installed" \
    bash -c '[ "$(dpkg-query -W -f="\${Status} \${Version}" quadratic-tutor)" = "install ok installed 1.0.0" ]'

# Starts the installed program on a fresh virtual display, waits up to ten seconds for
# its window, writes the window's WM_CLASS and _NET_WM_ICON (as plain numbers) into the
# directory $1, then ends it.
window_shows() {
    xvfb-run -a -s "-screen 0 800x700x24" bash -c '
        log=$(mktemp)
        /usr/bin/quadratic-tutor 2>"$log" & pid=$!
        found=1
        for _ in $(seq 100); do
            if xwininfo -name B >/dev/null 2>&1; then found=0; break; fi
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        if [ $found = 0 ]; then
            info=$(xwininfo -name B)
            id=$(awk "/Window id:/ {print \$4}" <<<"$info")
            xprop -id "$id" -notype WM_CLASS >"$1/wm_class"
            # The window takes its larger icon pictures just after its first frame.
            for _ in $(seq 30); do
                xprop -id "$id" -notype -len 1000000 -f _NET_WM_ICON 32c _NET_WM_ICON >"$1/wm_icon"
                grep -q "256, 256," "$1/wm_icon" && break
                sleep 0.1
            done
            awk "/Width:/ {w = \$2} /Height:/ {h = \$2} END {print w \"x\" h}" <<<"$info"
        else
            cat "$log"
        fi
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        rm -f "$log"
        exit $found
    ' _ "$work"
}
if output=$(window_shows 2>&1) || output=$(window_shows 2>&1); then
    pass "installed /usr/bin/quadratic-tutor opens a window titled B, $(tail -n1 <<<"$output")"
else
    fail "installed /usr/bin/quadratic-tutor opens a window titled B" "$output"
    finish
fi

# Docks and task switchers on X11 match the window to quadratic-tutor.desktop by its class.
wm_class=$(cat "$work/wm_class")
if [ "$wm_class" = 'WM_CLASS = "quadratic-tutor", "quadratic-tutor"' ]; then
    pass "window class (xprop WM_CLASS) names quadratic-tutor"
else
    fail "window class (xprop WM_CLASS) names quadratic-tutor" "$wm_class"
fi

# _NET_WM_ICON is a list of pictures, each its width, its height and then one ARGB
# number a pixel, row by row.
tr -s ', ' '\n' <"$work/wm_icon" | grep -x '[0-9][0-9]*' >"$work/wm_icon.numbers"
# Each picture's "WIDTH HEIGHT", one a line.
icon_sizes_shown=$(awk '{v[NR] = $1}
    END {for (i = 1; i < NR; i += 2 + v[i] * v[i + 1]) print v[i], v[i + 1]}' \
    "$work/wm_icon.numbers")
for size in "${icon_sizes[@]}"; do
    if grep -qx "$size $size" <<<"$icon_sizes_shown"; then
        pass "window icon carries ${size}x${size}"
    else
        fail "window icon carries ${size}x${size}" "pictures: $(tr '\n' ' ' <<<"$icon_sizes_shown")"
    fi
done
# The 32 x 32 picture as an ImageMagick pixel list, to compare with the window's design.
awk '{v[NR] = $1}
    END {
        for (i = 1; i < NR; i += 2 + v[i] * v[i + 1]) {
            if (v[i] != 32 || v[i + 1] != 32) continue
            print "# ImageMagick pixel enumeration: 32,32,255,srgba"
            for (n = 0; n < 1024; n++) {
                p = v[i + 2 + n]
                printf "%d,%d: (%d,%d,%d,%d)\n", n % 32, int(n / 32), int(p / 65536) % 256,
                    int(p / 256) % 256, p % 256, int(p / 16777216)
            }
            exit
        }
    }' "$work/wm_icon.numbers" >"$work/wm_icon32.txt"
check "window icon at 32x32 is app/icon.xpm pixel for pixel (compare -metric AE)" \
    compare -metric AE "$root/app/icon.xpm" "txt:$work/wm_icon32.txt" null:

finish
