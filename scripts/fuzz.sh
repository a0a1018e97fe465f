#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UBSan on) in
# build-fuzz and runs each of them for SECONDS seconds on a copy of its seed corpus.
#   scripts/fuzz.sh [SECONDS]        (default 60)
# An input slower than one second counts as a failure. Crashing inputs are written
# to fuzz-out/TARGET/; the script exits non-zero if any target failed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
targets=(fuzz_numbers fuzz_session fuzz_answer fuzz_window)
# The seed inputs of each target: the two session targets read the same input.
declare -A corpora=([fuzz_numbers]=numbers [fuzz_session]=session [fuzz_answer]=answer
    [fuzz_window]=session)

WITH_FUZZ=1 scripts/install-deps.sh
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
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "FAILED: ${failed[*]} (inputs in fuzz-out/)"
    exit 1
fi
echo "no crash, no timeout, no sanitizer report"
