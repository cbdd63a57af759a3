#!/usr/bin/env bash
# Files that are not what they seem, each refused or handled with exit status 1 and a line
# naming it, the files around left as they were: an output that is one of the command's inputs
# (through a link), a script that is a pipe, a project file linking out of its folder; and what
# a replaced file keeps: its owner, group and mode, and its other hard links' old text.
#   hostile_files.sh CLI EXAMPLES
set -uo pipefail
cli="$1"; examples="$2"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
cp -r "$examples" "$work/ex"
cd "$work/ex"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
lst="--scripts-lst scripts.lst"

# refused WHAT FILE_THAT_MUST_STAY EXPECTED_STDERR_TEXT -- ARGS...
refused() {
    local what="$1" kept="$2" text="$3"; shift 4
    cp "$kept" "$work/before"
    if timeout 20 "$cli" "$@" > "$work/err" 2>&1; then fail "$what: exit status 0"; fi
    grep -qF -- "$text" "$work/err" || fail "$what: says: $(cat "$work/err")"
    cmp -s "$work/before" "$kept" || fail "$what: $kept changed"
    ls -A | grep -q '\.tmp$' && fail "$what: a temporary file is left"
}

# Outputs that are inputs.
ln -s guard.msg out.po
refused "export to a link to the script's message file" guard.msg \
    "out.po is the same file as guard.msg, which this command reads" -- \
    $lst export guard.ipp --to out.po
ln de/guard.msg de.po
refused "export to a hard link of the translation" de/guard.msg \
    "de.po is the same file as de/guard.msg" -- \
    $lst export de/guard.ipp --against guard.msg --to de.po
"$cli" $lst export de/guard.ipp --against guard.msg --to "$work/tr.po" 2> /dev/null
refused "import written over the translation it reads" "$work/tr.po" \
    "$work/tr.po is the same file as $work/tr.po, which this command reads" -- \
    import "$work/tr.po" --into de/guard.msg --out "$work/tr.po"
refused "play --record over the script" guard.ipp "guard.ipp is the same file as guard.ipp" -- \
    $lst play guard.ipp --record guard.ipp

# A script that is a pipe: refused at once, not waited on.
mkfifo pipe.ipp
printf '{100}{}{x}\r\n' > pipe.msg
for command in listing check quicktest; do
    refused "$command of a pipe" pipe.msg "pipe.ipp is not a regular file" -- \
        $lst $command pipe.ipp
done

# A project whose message file links out of its folder: a bad-script-name finding naming the
# link, and the outside file's text in no output.
mkdir -p "$work/outside" proj
printf '{100}{}{the secret}\r\n' > "$work/outside/secret.txt"
cp guard.ipp proj/guard.ipp
ln -s ../../outside/secret.txt proj/guard.msg
echo "guard.int 1" > proj/scripts.lst
"$cli" check --project proj/scripts.lst > "$work/check" 2>&1
grep -qF "proj/scripts.lst:1: bad-script-name: \"guard.msg\" is a link that leads outside the project's folder; not read" \
    "$work/check" || fail "check: $(cat "$work/check")"
"$cli" export --project proj/scripts.lst --to "$work/secret.po" > /dev/null 2>&1
grep -q "the secret" "$work/secret.po" 2> /dev/null && fail "export read a file outside the project"

# A replaced file keeps its owner, group and mode (where the process may set them); another
# hard link keeps the old text, and the summary says so.
"$cli" $lst export guard.ipp --to "$work/kept.po" 2> /dev/null
chmod 0604 "$work/kept.po"
chown 4242:4343 "$work/kept.po" 2> /dev/null && owned=1 || owned=0
ln "$work/kept.po" "$work/second.po"
"$cli" $lst export de/guard.ipp --against guard.msg --to "$work/kept.po" 2> "$work/err" \
    || fail "export over a file with two names: $(cat "$work/err")"
grep -qF "$work/kept.po: 1 other hard link still names the old content" "$work/err" \
    || fail "no word of the other hard link: $(cat "$work/err")"
[ "$(stat -c %a "$work/kept.po")" = 604 ] || fail "mode not kept: $(stat -c %a "$work/kept.po")"
if [ "$owned" = 1 ]; then
    [ "$(stat -c %u:%g "$work/kept.po")" = 4242:4343 ] \
        || fail "owner not kept: $(stat -c %u:%g "$work/kept.po")"
fi
cmp -s "$work/kept.po" "$work/second.po" && fail "the other hard link changed too"

[ "$failures" -eq 0 ] || exit 1
echo "hostile files: ok"
