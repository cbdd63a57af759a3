#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs
# each for a bounded time from a copy of its committed corpus, so a run never grows the
# committed seeds. Fails on the first target that finds a crash, a leak, a sanitizer report,
# a broken invariant, an input slower than the timeout or one over the memory limit.
#
#   fuzz/run.sh [SECONDS_PER_TARGET] [TARGET...]     (default: 60 seconds, every target)
#
# Findings land in fuzz/corpus-run/artifacts/ (ignored by git); replay one with
#   build-fuzz/bin/<target> <file>
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    targets=(fuzz_scanner fuzz_message_files fuzz_pipeline fuzz_highlight)
fi
build="$root/build-fuzz"
work="$root/fuzz/corpus-run"
timeout_seconds="${FUZZ_TIMEOUT:-1}"

# Longest input per target: long enough for a few nodes or many lines, short enough that the
# slowest legitimate input (a Dialogs Tree grows with roots times nodes) stays far below the
# timeout.
max_len() {
    case "$1" in
        fuzz_scanner) echo 16384 ;;
        fuzz_pipeline) echo 8192 ;;
        *) echo 8192 ;;
    esac
}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIALOSCOPE_BUILD_FUZZ=ON -DDIALOSCOPE_BUILD_APP=OFF \
    -DDIALOSCOPE_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-2}" --target "${targets[@]}"

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
mkdir -p "$work/artifacts"
for target in "${targets[@]}"; do
    corpus="$work/$target"
    rm -rf "$corpus"
    mkdir -p "$corpus"
    cp "$root/fuzz/corpus/$target/"* "$corpus/"
    echo "== $target: ${seconds}s"
    if ! "$build/bin/$target" "$corpus" -max_total_time="$seconds" -timeout="$timeout_seconds" \
        -rss_limit_mb=2048 -max_len="$(max_len "$target")" -dict="$root/fuzz/dict/dialog.dict" \
        -artifact_prefix="$work/artifacts/$target-" -print_final_stats=1 \
        2>"$work/$target.log"; then
        tail -n 60 "$work/$target.log"
        echo "== $target FAILED: see $work/$target.log and $work/artifacts/" >&2
        exit 1
    fi
    grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|stat::slowest_unit_time_sec' \
        "$work/$target.log" || true
done
