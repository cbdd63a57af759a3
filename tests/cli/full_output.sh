#!/usr/bin/env bash
# Every command of dialoscope-cli with standard output on /dev/full (and closed): a non-zero
# exit status and the reason on standard error, never a silent success. The commands are read
# from the program's own --help, so a new command without a run below fails this test.
#   full_output.sh CLI EXAMPLES
set -uo pipefail
cli="$1"; examples="$2"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
cp -r "$examples" "$work/ex"
cd "$work/ex"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

# The runs of each command; a command may have several (one per output format).
runs_of() {
    local lst="--scripts-lst scripts.lst"
    case "$1" in
    listing | general | dialogs | header) echo "$lst $1 guard.ipp" ;;
    find-msg) echo "$lst find-msg guard.ipp 100" ;;
    find-node) echo "$lst find-node guard.ipp greeting" ;;
    node-text) echo "$lst node-text guard.ipp AskSmith" ;;
    check) echo "$lst check guard.ipp"; echo "check --project scripts.lst --format json" ;;
    stats) for f in text json csv markdown; do echo "stats --project scripts.lst --format $f"; done ;;
    export) echo "$lst export de/guard.ipp --against guard.msg --to $work/out.po" ;;
    import) echo "import $work/out.po --into de/guard.msg --out $work/new.msg" ;;
    play) echo "$lst play guard.ipp --choose 1 --texts" ;;
    quicktest) for f in text json junit; do echo "$lst quicktest guard.ipp --format $f"; done ;;
    graph) for f in dot svg mermaid json; do echo "$lst graph guard.ipp --format $f"; done ;;
    voice) for f in xlsx csv fountain; do echo "$lst voice guard.ipp --to $work/voice.$f"; done ;;
    esac
}

# run "ARGS" EXPECTED: ARGS with standard output on /dev/full.
expect_refused() {
    local args="$1"
    # shellcheck disable=SC2086
    "$cli" $args > /dev/full 2> "$work/err"
    local status=$?
    [ "$status" -ne 0 ] || fail "'$args' > /dev/full: exit status 0"
    grep -qx 'dialoscope-cli: cannot write the output: No space left on device' "$work/err" \
        || fail "'$args' > /dev/full: standard error says: $(cat "$work/err")"
}

commands=$("$cli" --help | sed -n '/^Commands:/,/^$/p' | sed -n 's/^  \([a-z][a-z-]*\) .*/\1/p')
[ -n "$commands" ] || fail "no command in --help"
for command in $commands; do
    expect_refused "$command --help"
    runs="$(runs_of "$command")"
    [ -n "$runs" ] || { fail "no run for the command '$command': add one to runs_of"; continue; }
    while IFS= read -r args; do
        # shellcheck disable=SC2086
        "$cli" $args > "$work/out" 2> /dev/null
        status=$?
        if [ -s "$work/out" ]; then
            expect_refused "$args"
            continue
        fi
        # A command that writes only files keeps its own exit status.
        # shellcheck disable=SC2086
        "$cli" $args > /dev/full 2> /dev/null
        [ $? -eq "$status" ] || fail "'$args' > /dev/full: another exit status than $status"
    done <<< "$runs"
done
expect_refused "--help"
expect_refused "--version"

# The summaries of export, import and voice are their output: on a full standard error, exit status 1.
"$cli" $(runs_of export) 2> /dev/full && fail "export 2> /dev/full: exit status 0"
"$cli" $(runs_of import) 2> /dev/full && fail "import 2> /dev/full: exit status 0"
"$cli" $(runs_of voice | head -n 1) 2> /dev/full && fail "voice 2> /dev/full: exit status 0"

# A closed standard output fails too, with its own reason.
"$cli" --version >&- 2> "$work/err" && fail "--version >&-: exit status 0"
grep -qx 'dialoscope-cli: cannot write the output: Bad file descriptor' "$work/err" \
    || fail "--version >&-: standard error says: $(cat "$work/err")"

[ "$failures" -eq 0 ] || exit 1
echo "full output: ok"
