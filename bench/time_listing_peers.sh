#!/usr/bin/env bash
# Times dialoscope-cli beside the two peers (the flex and the re2c baseline, each keeping every
# token and writing the same listing) as whole processes: each program in turn, RUNS rounds,
# then the median wall time, CPU time (user + system, all cores) and peak memory of each, and
# the ratios of dialoscope-cli's listing to each peer. The listings are compared byte for byte
# first: a peer that lists differently would be timed doing other work. Take the figures on a
# quiet machine; on a busy one only the CPU times mean much.
#
#   bench/time_listing_peers.sh BIN_DIR WORKLOAD_DIR [RUNS]      (default 7 rounds)
#
# BIN_DIR holds dialoscope-cli, bench_flex_listing and bench_re2c_listing (a Release build with
# -DDIALOSCOPE_BUILD_BENCH=ON); WORKLOAD_DIR is gen-script's output (talk.ipp, talk.msg,
# scripts.lst), e.g. python3 ../shared/tools/gen-script --out W --target-mb 50 --seed 7.
set -euo pipefail
if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    echo "usage: $0 BIN_DIR WORKLOAD_DIR [RUNS]" >&2
    exit 2
fi
bin="$1" work="$2" runs="${3:-7}"
script="$work/talk.ipp"
cli=("$bin/dialoscope-cli" --scripts-lst "$work/scripts.lst")
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

"${cli[@]}" listing "$script" >"$tmp/cli.lst"
for peer in flex re2c; do
    "$bin/bench_${peer}_listing" "$script" >"$tmp/$peer.lst"
    cmp "$tmp/cli.lst" "$tmp/$peer.lst"
done
echo "same listing from all three: $(wc -l <"$tmp/cli.lst") lines"

# Sets argv to the command line that the name stands for.
command_for() {
    case "$1" in
        listing | general) argv=("${cli[@]}" "$1" "$script") ;;
        flex | re2c) argv=("$bin/bench_$1_listing" "$script") ;;
    esac
}
order=(listing flex re2c general)
for ((round = 1; round <= runs; ++round)); do
    for name in "${order[@]}"; do
        command_for "$name"
        # wall seconds, CPU seconds, peak KiB
        /usr/bin/time -f '%e %U %S %M' -o "$tmp/time" "${argv[@]}" >/dev/null
        awk '{ printf "%s %.3f %s\n", $1, $2 + $3, $4 }' "$tmp/time" >>"$tmp/$name.runs"
    done
done

median() { # column of a runs file
    sort -n -k"$2" "$1" | awk -v column="$2" '{ values[NR] = $column }
        END { print (NR % 2) ? values[(NR + 1) / 2] : (values[NR / 2] + values[NR / 2 + 1]) / 2 }'
}

printf '%-28s %10s %10s %10s\n' "median of $runs" "wall s" "CPU s" "peak MiB"
for name in "${order[@]}"; do
    printf '%-28s %10s %10s %10.0f\n' "$name" "$(median "$tmp/$name.runs" 1)" \
        "$(median "$tmp/$name.runs" 2)" "$(echo "$(median "$tmp/$name.runs" 3) / 1024" | bc -l)"
done
for peer in flex re2c; do
    awk -v peer="$peer" -v wall="$(median "$tmp/listing.runs" 1)" \
        -v cpu="$(median "$tmp/listing.runs" 2)" -v peerWall="$(median "$tmp/$peer.runs" 1)" \
        -v peerCpu="$(median "$tmp/$peer.runs" 2)" 'BEGIN {
            if (peerWall > 0 && peerCpu > 0)
                printf "listing / %s peer: wall %.2f, CPU %.2f\n", peer, wall / peerWall, cpu / peerCpu
            else
                printf "listing / %s peer: too quick to compare\n", peer }'
done
