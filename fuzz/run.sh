#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer) and runs them.
# A family of inputs (scanner, message_files, pipeline, highlight, ...) has its committed corpus
# in fuzz/corpus/fuzz_<family>/ and a fast target, fuzz_<family>, that checks what must never
# happen (a crash, a sanitizer report, a broken invariant that costs O(input)); most also have a
# differential twin, fuzz_<family>_differential, that reads the same corpus and also compares
# with the plain reference readings. The build lists its targets in build-fuzz/fuzz-targets.txt.
#
#   fuzz/run.sh [SECONDS] [TARGET...]
#       The bounded run of the CI step (scripts/test.sh runs `fuzz/run.sh 60`). Without targets
#       it runs them all in four times SECONDS (default 60), shared out equally over the
#       families; a family's fast target takes two thirds of its share and its twin the rest.
#       With targets named, each family gets SECONDS. Each target starts from a copy of its
#       family's committed corpus, so a run never grows the committed seeds, and the run fails
#       on the first target that finds a crash, a leak, a sanitizer report, a broken invariant,
#       an input slower than the timeout or one over the memory limit. Findings land in
#       fuzz/corpus-run/artifacts/.
#
#   fuzz/run.sh --campaign MINUTES [TARGET...]
#       A long run: each target (default: all) for MINUTES with -fork=2, one job per core (or
#       -fork=$FUZZ_JOBS, e.g. 1 to run two campaigns side by side), going on past findings. It starts from the committed corpus and from what earlier
#       campaigns found, and merges what it finds into fuzz/corpus-campaign/fuzz_<family>/
#       (ignored by git; copy an input worth keeping into fuzz/corpus/ with its regression
#       test). Findings land in fuzz/corpus-campaign/artifacts/; the summary per target
#       (executions, coverage cov: and ft:, corpus size, findings) is printed at the end and
#       kept in fuzz/corpus-campaign/summary.txt.
#
# Replay a finding with build-fuzz/bin/<target> <file>.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build-fuzz"

mode=ci
if [ "${1:-}" = "--campaign" ]; then
    mode=campaign
    shift
    minutes="${1:?usage: fuzz/run.sh --campaign MINUTES [TARGET...]}"
    shift
else
    seconds="${1:-60}"
    shift || true
fi
targets=("$@")
named_targets=${#targets[@]}

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DDIALOSCOPE_BUILD_FUZZ=ON -DDIALOSCOPE_BUILD_APP=OFF \
    -DDIALOSCOPE_BUILD_TESTS=OFF >/dev/null
if [ "$named_targets" -eq 0 ]; then
    # Every target the build defines, fast ones before their twins.
    mapfile -t targets <"$build/fuzz-targets.txt"
fi
cmake --build "$build" -j "${FUZZ_BUILD_JOBS:-2}" --target "${targets[@]}"

family_of() {
    local family="${1#fuzz_}"
    echo "${family%_differential}"
}

is_differential() {
    [ "${1%_differential}" != "$1" ]
}

is_running() {
    local target
    for target in "${targets[@]}"; do
        [ "$target" = "$1" ] && return 0
    done
    return 1
}

# Longest input per family: long enough for a few nodes or many lines, short enough that the
# slowest legitimate input (a Dialogs Tree grows with roots times nodes) stays far below the
# timeout.
max_len() {
    case "$(family_of "$1")" in
        scanner) echo 16384 ;;
        *) echo 8192 ;;
    esac
}

# A family's share of the CI run: SECONDS for the families named, or, for the whole set, four
# times SECONDS shared out over its families (so that a new family does not lengthen the CI
# step). Two thirds go to the fast target, which tries many more inputs, and a third to its twin.
# At least a second each: libFuzzer takes 0 for no limit.
ci_seconds() {
    local family_share=$seconds share
    if [ "$named_targets" -eq 0 ]; then
        local families
        families="$(for target in "${targets[@]}"; do family_of "$target"; done | sort -u | wc -l)"
        family_share=$((4 * seconds / families))
    fi
    if is_differential "$1"; then
        share=$((family_share / 3))
    elif is_running "${1}_differential"; then
        share=$((family_share - family_share / 3))
    else
        share=$family_share
    fi
    echo $((share > 0 ? share : 1))
}

export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
common_options() {
    echo "-timeout=${FUZZ_TIMEOUT:-1} -rss_limit_mb=2048 -max_len=$(max_len "$1")" \
        "-dict=$root/fuzz/dict/dialog.dict"
}

run_ci() {
    local work="$root/fuzz/corpus-run"
    mkdir -p "$work/artifacts"
    for target in "${targets[@]}"; do
        local corpus="$work/$target" time
        time="$(ci_seconds "$target")"
        rm -rf "$corpus"
        mkdir -p "$corpus"
        cp "$root/fuzz/corpus/fuzz_$(family_of "$target")/"* "$corpus/"
        echo "== $target: ${time}s"
        # shellcheck disable=SC2046 # the options are words
        if ! "$build/bin/$target" "$corpus" -max_total_time="$time" $(common_options "$target") \
            -artifact_prefix="$work/artifacts/$target-" -print_final_stats=1 \
            2>"$work/$target.log"; then
            tail -n 60 "$work/$target.log"
            echo "== $target FAILED: see $work/$target.log and $work/artifacts/" >&2
            exit 1
        fi
        grep -E '^#[0-9]+.*DONE|stat::number_of_executed_units|stat::slowest_unit_time_sec' \
            "$work/$target.log" || true
    done
}

# The last status line of a fork-mode log: "#RUNS: cov: C ft: F corp: N exec/s E ... time: Ts".
campaign_summary() {
    local target="$1" log="$2" artifacts="$3"
    local status findings
    status="$(grep -E '^#[0-9]+: cov: ' "$log" | tail -n 1 || true)"
    findings="$(find "$artifacts" -maxdepth 1 -name "$target-*" | wc -l)"
    if [ -z "$status" ]; then
        printf '%-34s no status line (see %s)\n' "$target" "$log"
        return
    fi
    awk -v target="$target" -v findings="$findings" '{
        runs = substr($1, 2); sub(":", "", runs)
        for (i = 2; i < NF; ++i) {
            if ($i == "cov:") cov = $(i + 1)
            if ($i == "ft:") ft = $(i + 1)
            if ($i == "corp:") corp = $(i + 1)
            if ($i == "time:") { time = $(i + 1); sub("s", "", time) }
        }
        printf "%-34s %d executions in %d s (%d/s); cov %s ft %s; corpus %s; findings %s\n",
               target, runs, time, (time > 0 ? runs / time : 0), cov, ft, corp, findings
    }' <<<"$status"
}

run_campaign() {
    local work="$root/fuzz/corpus-campaign"
    local summary="$work/summary.txt" jobs="${FUZZ_JOBS:-2}"
    # Its own pending lines, so that campaigns side by side never mix them.
    local pending="$work/summary.$$.new"
    mkdir -p "$work/artifacts" "$work/logs"
    : >"$pending"
    for target in "${targets[@]}"; do
        local family corpus log
        family="$(family_of "$target")"
        corpus="$work/fuzz_$family"
        log="$work/logs/$target.log"
        mkdir -p "$corpus"
        echo "== $target: ${minutes} min over $jobs jobs, into $corpus"
        # New inputs go to the first folder; the committed corpus only seeds the run.
        # shellcheck disable=SC2046 # the options are words
        "$build/bin/$target" "$corpus" "$root/fuzz/corpus/fuzz_$family" -fork="$jobs" \
            -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
            -max_total_time=$((minutes * 60)) $(common_options "$target") \
            -artifact_prefix="$work/artifacts/$target-" 2>"$log" || true
        campaign_summary "$target" "$log" "$work/artifacts" | tee -a "$pending"
    done
    {
        echo "== campaign of $(date -u '+%Y-%m-%d %H:%M UTC'), ${minutes} min per target"
        cat "$pending"
    } >>"$summary"
    rm -f "$pending"
    echo "== summary (also in $summary)"
    tail -n $((${#targets[@]} + 1)) "$summary"
}

if [ "$mode" = campaign ]; then
    run_campaign
else
    run_ci
fi
