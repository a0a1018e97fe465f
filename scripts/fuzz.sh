#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan on) in build-fuzz
# and runs each of them for SECONDS seconds on a copy of its corpus (fuzz/corpus/).
#   scripts/fuzz.sh [SECONDS] [TARGET...]   (default 60 seconds, every target)
#   scripts/fuzz.sh --coverage              (line coverage of tutor/ and fractions/)
#   scripts/fuzz.sh --minimize              (the fewest inputs of each corpus that keep
#                                            everything it reaches)
# An input slower than one second counts as a failure. Crashing inputs are written to
# fuzz-out/TARGET/; the script exits non-zero if any target failed. The inputs of a run
# that reach code the corpus did not are merged into fuzz-out/corpus/CORPUS, a copy of
# fuzz/corpus/CORPUS, to be reviewed and copied back.
#
# --minimize rewrites each corpus in fuzz/corpus/ (review it with git) to the fewest of
# its inputs that still reach every coverage edge that the whole corpus reaches in each of
# its targets: the input that adds the most edges not yet reached first, and so on.
#
# --coverage replays every corpus once through its target's checks (the tests' replay
# programs) built in build-coverage with clang's source-based coverage, and prints the
# line coverage of tutor/ and of fractions/, and the lines that no input reached.
set -euo pipefail
cd "$(dirname "$0")/.."
all_targets=(fuzz_numbers fuzz_session fuzz_board fuzz_answer fuzz_window)
# The corpus of each target: the two session targets read the same inputs.
declare -A corpora=([fuzz_numbers]=numbers [fuzz_session]=session [fuzz_board]=board
                    [fuzz_answer]=answer [fuzz_window]=session)

WITH_FUZZ=1 scripts/install-deps.sh

if [ "${1:-}" = --minimize ]; then
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTUTOR_FUZZ=ON -DTUTOR_TESTS=OFF \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build build-fuzz -j"$(nproc)" --target "${all_targets[@]}"
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    for corpus in $(printf '%s\n' "${corpora[@]}" | sort -u); do
        # The edges each input reaches in each target that reads this corpus: an input
        # merged alone into an empty corpus, libFuzzer's control file lists all of them
        # ("FT 0 edge edge ...").
        for target in "${all_targets[@]}"; do
            [ "${corpora[$target]}" = "$corpus" ] || continue
            for input in "fuzz/corpus/$corpus"/*; do
                rm -rf "$work/empty" "$work/one" "$work/control"
                mkdir "$work/empty" "$work/one"
                cp "$input" "$work/one/"
                "build-fuzz/fuzz/$target" -merge=1 -use_counters=0 -detect_leaks=0 \
                    -merge_control_file="$work/control" "$work/empty" "$work/one" \
                    >"$work/log" 2>&1 || { tail -5 "$work/log"; exit 1; }
                awk -v input="$input" -v target="$target" '
                    $1 == "FT" { for (i = 3; i <= NF; ++i) print input, target ":" $i }' \
                    "$work/control"
            done
        done >"$work/edges"
        awk '
            { edges[$1] = edges[$1] " " $2 }
            END {
                for (;;) {
                    best = ""; gain_best = 0
                    for (input in edges) {
                        n = split(edges[input], e, " "); gain = 0
                        for (k = 1; k <= n; ++k) gain += !(e[k] in reached)
                        if (gain > gain_best || (gain == gain_best && gain > 0 && input < best)) {
                            best = input; gain_best = gain
                        }
                    }
                    if (best == "") break
                    n = split(edges[best], e, " ")
                    for (k = 1; k <= n; ++k) reached[e[k]]
                    print best; delete edges[best]
                }
            }' "$work/edges" >"$work/keep"
        before=$(find "fuzz/corpus/$corpus" -type f | wc -l)
        find "fuzz/corpus/$corpus" -type f | sort >"$work/all"
        sort "$work/keep" | comm -23 "$work/all" - | xargs -r rm --
        echo "$corpus: kept $(wc -l <"$work/keep") of $before inputs"
    done
    exit 0
fi

if [ "${1:-}" = --coverage ]; then
    flags="-fprofile-instr-generate -fcoverage-mapping"
    CC=clang CXX=clang++ cmake -S . -B build-coverage -DTUTOR_TESTS=ON -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" >/dev/null
    replays=("${all_targets[@]/%/_replay}")
    cmake --build build-coverage -j"$(nproc)" --target "${replays[@]}"
    profiles=build-coverage/profiles
    rm -rf "$profiles" && mkdir -p "$profiles"
    objects=()
    for target in "${all_targets[@]}"; do
        QT_QPA_PLATFORM=offscreen LLVM_PROFILE_FILE="$profiles/$target.profraw" \
            "build-coverage/fuzz/${target}_replay" "fuzz/corpus/${corpora[$target]}"
        objects+=(-object "build-coverage/fuzz/${target}_replay")
    done
    llvm-profdata merge -sparse "$profiles"/*.profraw -o "$profiles/all.profdata"
    # A header is listed once per way it was named (build/../tutor/x.h, build/fuzz/../../tutor/x.h):
    # its lines are merged, a line covered by any of them covered.
    llvm-cov export -format=lcov "${objects[@]:1}" -instr-profile="$profiles/all.profdata" \
        2>/dev/null | awk -v root="$PWD/" '
        /^SF:/ { file = substr($0, 4); sub(root, "", file); sub(/.*\.\.\//, "", file) }
        /^DA:/ { split(substr($0, 4), f, ","); key = file " " f[1]
                 if (!(key in hits) || f[2] > hits[key]) hits[key] = f[2] }
        END { for (key in hits) print key, hits[key] }' |
        grep -E '^(tutor|fractions)/' | sort -k1,1 -k2,2n | awk '
        { dir = $1; sub(/\/.*/, "", dir); lines[dir]++ }
        $3 > 0 { covered[dir]++ }
        $3 == 0 { missed[$1] = missed[$1] " " $2; if (!($1 in seen)) { seen[$1]; order[++n] = $1 } }
        END {
            for (i = 1; i <= n; ++i) printf "  missed in %s:%s\n", order[i], missed[order[i]]
            for (dir in lines) printf "%s/: line coverage %.1f %% (%d of %d lines)\n", dir,
                100 * covered[dir] / lines[dir], covered[dir], lines[dir]
        }'
    exit 0
fi

seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=("${all_targets[@]}")

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTUTOR_FUZZ=ON -DTUTOR_TESTS=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target "${targets[@]}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Reports what one target did: executions, speed, the slowest input of the corpus.
summary() {
    local target=$1 log=$2 corpus=$3
    local runs rate rss slowest timed
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
    rss=$(sed -n 's/^stat::peak_rss_mb: *//p' "$log" | tail -1)
    # Each corpus file once more, timed one by one.
    slowest=$(find "$corpus" -type f -print0 |
        xargs -0 -r "build-fuzz/fuzz/$target" 2>&1 |
        sed -n 's/^Executed \(.*\) in \([0-9]*\) ms$/\2 \1/p' | sort -n | tail -1) || true
    if [ -n "$slowest" ]; then
        slowest="${slowest%% *} ms ($(basename "${slowest#* }"))"
    else
        slowest="not measured (an input of the corpus fails)"
    fi
    # The session target times every input it runs, not only those kept in the corpus.
    timed=$(sed -n 's/^slowest input: //p' "$log" | tail -1)
    echo "$target: ${runs:-?} executions, ${rate:-?} exec/s, peak RSS ${rss:-?} MB," \
        "corpus $(find "$corpus" -type f | wc -l) inputs, slowest $slowest${timed:+, slowest of all inputs run $timed}"
}

# Adds to fuzz-out/corpus/CORPUS the inputs of the run that reach code (coverage edges,
# however often) that it does not: so the corpus in fuzz/corpus/ was made.
merge() {
    local target=$1 corpus=$2 kept="fuzz-out/corpus/${corpora[$1]}"
    if [ ! -d "$kept" ]; then
        mkdir -p fuzz-out/corpus
        cp -r "fuzz/corpus/${corpora[$target]}" "$kept"
    fi
    local before
    before=$(find "$kept" -type f | wc -l)
    "build-fuzz/fuzz/$target" -merge=1 -use_counters=0 "$kept" "$corpus" "${extra[@]}" \
        >"$work/merge.log" 2>&1 ||
        { tail -5 "$work/merge.log"; return 1; }
    echo "$target: $(($(find "$kept" -type f | wc -l) - before)) new inputs in $kept"
}

failed=()
for target in "${targets[@]}"; do
    corpus="$work/$target"
    cp -r "fuzz/corpus/${corpora[$target]}" "$corpus"
    mkdir -p "fuzz-out/$target"
    log="$work/$target.log"
    # A session (eight texts and up to 64 steps) fits in 512 bytes; let the fuzzer use
    # that length from the start instead of growing towards it.
    extra=()
    if [ "${corpora[$target]}" = session ]; then
        extra=(-max_len=512 -len_control=0)
    fi
    # Qt keeps caches (fonts, glyphs, text layouts) that grow with what the window has
    # shown, so libFuzzer suspects a leak after most new inputs of the window and scans the
    # whole heap for one: that cost two thirds of the run. The window's leaks are looked for
    # at the end of the sanitizer suite's replay of its corpus instead.
    if [ "$target" = fuzz_window ]; then
        extra+=(-detect_leaks=0)
    fi
    echo "== $target for $seconds s"
    status=0
    "build-fuzz/fuzz/$target" "$corpus" -max_total_time="$seconds" -timeout=1 \
        -print_final_stats=1 -artifact_prefix="fuzz-out/$target/" "${extra[@]}" \
        >"$log" 2>&1 || status=$?
    if [ "$status" -ne 0 ]; then
        failed+=("$target")
        grep -E -A40 '^==[0-9]+==|ERROR:|deadly signal|timeout after' "$log" | head -80 || true
        grep -E '^artifact_prefix|Test unit written' "$log" || true
    fi
    summary "$target" "$log" "$corpus"
    merge "$target" "$corpus" || failed+=("$target (merge)")
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]} (inputs in fuzz-out/)"
    exit 1
fi
echo "no crash, no timeout, no sanitizer report"
