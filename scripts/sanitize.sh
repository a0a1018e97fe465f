#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UBSan in build-asan and
# runs every test there. Any sanitizer report ends its test program with an error,
# so the run fails.
#   scripts/sanitize.sh
#   DETECT_LEAKS=0 scripts/sanitize.sh     (without the leak check at exit)
# The tests destroy their QApplication, so Qt frees its caches and the leak check
# stays on.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build-asan -DTUTOR_SANITIZE=ON -DTUTOR_TESTS=ON \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-asan -j"$(nproc)"

export ASAN_OPTIONS="halt_on_error=1:detect_leaks=${DETECT_LEAKS:-1}:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
ctest --test-dir build-asan --output-on-failure
