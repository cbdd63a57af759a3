#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: once in a Release build and once
# under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
jobs="$(nproc)"

echo "== Release build and tests"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIALOSCOPE_BUILD_TESTS=ON
cmake --build "$root/build" -j "$jobs"
ctest --test-dir "$root/build" --output-on-failure -j "$jobs"

echo "== Sanitizer build and tests"
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DDIALOSCOPE_SANITIZE=ON \
    -DDIALOSCOPE_BUILD_TESTS=ON
cmake --build "$root/build-asan" -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build-asan" --output-on-failure -j "$jobs"

echo "== Fuzzing (bounded)"
# Each libFuzzer target for 60 s from a copy of its committed corpus; any finding fails the run.
FUZZ_BUILD_JOBS="$jobs" bash "$root/fuzz/run.sh" 60
