#!/usr/bin/env bash
# dialoscope-cli where memory runs short, where outputs must stay readable by other tools, and
# where a script or a saved walk is not what it seems: each group reproduces one fault and says
# FAIL with what it saw.
#   resources.sh CLI EXAMPLES [SANITIZED]
# SANITIZED ON: the program is built with AddressSanitizer, whose shadow memory alone is more than
# any limit below, so the groups that limit memory are left out.
set -euo pipefail
cli="$(realpath "$1")"; examples="$(realpath "$2")"; sanitized="${3:-OFF}"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
cd "$work"
fail() { echo "FAIL: $*" >&2; exit 1; }

# A chain of n nodes, each answering into the next: its Dialogs Tree file holds n*n/2 tabs.
chain() {
    python3 - "$1" "$2" <<'PY'
import sys
n, name = int(sys.argv[1]), sys.argv[2]
with open(name + ".ipp", "w") as f:
    f.write("script Chain('%s.msg');\n\n" % name)
    for i in range(1, n + 1):
        f.write("function N%d;\nbegin\n  Say(Self, 1, 100);\n" % i)
        if i < n:
            f.write("  Answer(1, 101, @N%d);\n" % (i + 1))
        f.write("end;\n\n")
    f.write("function TalkStart;\nbegin\n  OpenDialog(GetObjectID(0));\n  N1;\nend;\n\nend.\n")
open(name + ".msg", "w").write("{100}{}{Hello}\n{101}{}{On}\n")
open(name + ".lst", "w").write("%s.int ; %s\n" % (name, name))
PY
}

# The later groups read this chain too.
chain 10000 chain
if [ "$sanitized" != ON ]; then
# --- Memory. Was: dialogs built its whole tree file as one string (exit 134 under 300 MB), and
# running out of memory aborted with "terminate called after throwing std::bad_alloc".
want="$("$cli" --scripts-lst chain.lst dialogs chain.ipp | sha256sum)"
got="$( (ulimit -v 300000; "$cli" --scripts-lst chain.lst dialogs chain.ipp) | sha256sum)" \
    || fail "dialogs of a 10,000-node chain under 300 MB"
[ "$got" = "$want" ] || fail "dialogs under 300 MB wrote other bytes"

chain 400000 big
while IFS= read -r command; do
    status=0
    (ulimit -v 150000; $cli --scripts-lst big.lst $command) >out 2>err || status=$?
    [ "$status" -ne 134 ] && ! grep -q "terminate called\|bad_alloc" err \
        || fail "$command aborted: $(cat err)"
    grep -q "out of memory" out err || fail "$command: no word of memory: $(cat err)"
done <<'COMMANDS'
dialogs big.ipp
listing big.ipp
find-msg big.ipp 100
check --project big.lst
stats --project big.lst --format csv
quicktest --project big.lst
play big.ipp
graph big.ipp
export --project big.lst --to big.po
COMMANDS

# --- The searches. Was: find-msg, find-node and node-text kept the whole token listing
# (about 1 GB for 20 MB of code outside functions) only to replace it with their own lines.
python3 - <<'PY'
with open("flat.ipp", "w") as f:
    f.write("script Flat('flat.msg');\n\n")
    f.write("a := a + 1; b := b * 2; c := 'text';\n" * 540000)
    f.write("function N1;\nbegin\n  Say(Self, 1, 100);\nend;\n\nend.\n")
open("flat.msg", "w").write("{100}{}{Hello}\n")
open("flat.lst", "w").write("flat.int ; flat\n")
PY
while IFS='|' read -r command expected; do
    (ulimit -v 450000; $cli --scripts-lst flat.lst $command) >out 2>err \
        || fail "$command under 450 MB: $(cat err)"
    [ "$(tr -d '\r' <out | head -1)" = "$expected" ] || fail "$command wrote $(head -c 200 out)"
done <<'COMMANDS'
find-msg flat.ipp 100|N1 100
find-node flat.ipp N1|Not found!
node-text flat.ipp N1|function N1;
COMMANDS
else
    echo "the memory limits are left out: the sanitizers' shadow memory is larger than any of them"
fi

# --- Graph outputs. Was: raw control bytes in the SVG (not well-formed XML), and "&amp;" in a
# text drawn as "&"; DOT, SVG and Mermaid now draw the same characters.
mkdir marks && cd marks
printf 'script Marks('"'"'marks.msg'"'"');\n\nfunction N1;\nbegin\n  Say(Self, 1, 100);\n  Answer(1, 101, @N1);\nend;\n\nfunction TalkStart;\nbegin\n  OpenDialog(GetObjectID(0));\n  N1;\nend;\n\nend.\n' >marks.ipp
printf '{100}{}{a &amp; b &#35; c &lt; d \\N\x01\x1b end}\n{101}{}{x & y\x7f}\n' >marks.msg
printf 'marks.int ; marks\n' >marks.lst
"$cli" --scripts-lst marks.lst graph marks.ipp --format svg --texts >marks.svg
"$cli" --scripts-lst "$examples/scripts.lst" graph "$examples/guard.ipp" --format svg >guard.svg
"$cli" --scripts-lst marks.lst graph marks.ipp --format mermaid --texts >marks.mmd
python3 - <<'PY' || fail "the SVG or the chart do not draw the texts as they are"
import xml.etree.ElementTree as ET
for name in ("marks.svg", "guard.svg"):
    root = ET.parse(name).getroot()
texts = [t.text for t in ET.parse("marks.svg").getroot().iter("{http://www.w3.org/2000/svg}text")]
assert "a &amp; b &#35; c &lt; d \\N end" in texts, texts
assert "x & y" in texts, texts
mermaid = open("marks.mmd").read()
assert "a #amp;amp; b #amp;#35;35; c #amp;lt; d \\N end" in mermaid, mermaid
assert "x #amp; y" in mermaid, mermaid
PY
cd ..
chain 600 wide
"$cli" --scripts-lst wide.lst graph wide.ipp --format mermaid >/dev/null 2>err
grep -q "maxEdges" err || fail "no word of Mermaid's edge limit for 599 answers and a start"
"$cli" --scripts-lst chain.lst graph chain.ipp --format mermaid --from N9900 >/dev/null 2>err
! grep -q "maxEdges" err || fail "a word of Mermaid's edge limit for a small chart"

# --- Ranges and comments. Was: Rnd(119,117) called 117-119 unused and played "one of 119-117"
# with no message; an unclosed comment swallowed the rest of the script without a word.
sed 's/Rnd(117,119)/Rnd(119,117)/; s|^function Farewell;\r$|<!-- never closed\r\n&|' \
    "$examples/guard.ipp" >guard.ipp
cp "$examples/guard.msg" "$examples/scripts.lst" .
"$cli" --scripts-lst scripts.lst check guard.ipp >out || true
grep -q "reversed-range: range 119-117 runs from high to low: read as 117-119" out \
    || fail "no reversed-range: $(cat out)"
grep -q "unclosed-comment" out || fail "no unclosed-comment: $(cat out)"
! grep -q "unused-message: message 11[789] " out || fail "117-119 called unused: $(cat out)"
"$cli" --scripts-lst scripts.lst play guard.ipp --start NoMoney --texts >out 2>/dev/null || true
grep -q "one of 117-119:" out && ! grep -q "no message of the file" out \
    || fail "play of a reversed range: $(cat out)"
"$cli" --scripts-lst scripts.lst export guard.ipp --to guard.csv 2>/dev/null
[ "$(grep -c '^guard,5,11[789],NoMoney,' guard.csv)" = 3 ] || fail "export of a reversed range"

# --- Messages. Was: "Stream write error" alone; a saved walk's whole line (or its raw bytes)
# echoed; a folder given as the saved walk called a walk without a start; a message number past
# 32 bits shown as any other text.
status=0
(trap '' XFSZ; ulimit -f 1
 "$cli" --scripts-lst "$examples/scripts.lst" export "$examples/guard.ipp" --to big.csv) \
    2>err || status=$?
[ "$status" = 1 ] && [ "$(cat err)" = "$(printf 'Stream write error\ncannot write big.csv: File too large')" ] \
    || fail "a write past the file size limit: $status $(cat err)"
{ echo "start Greeting"; printf 'answer Greeting -> \x01\xff'; head -c 1000000 /dev/zero | tr '\0' x; echo; } >walk.txt
"$cli" --scripts-lst scripts.lst play guard.ipp --replay walk.txt >/dev/null 2>err || true
[ "$(tail -1 err | wc -c)" -lt 200 ] && grep -q "'\\\\x01\\\\xFFxxx*\.\.\.'" err \
    || fail "a long binary line echoed: $(tail -c 300 err)"
"$cli" --scripts-lst scripts.lst play guard.ipp --replay . >/dev/null 2>err || true
grep -q "^\.: a folder, not a saved walk$" err || fail "a folder as the walk: $(cat err)"
sed 's/Say(Self, 1, 106);/Say(Self, 1, 2147483648);/' "$examples/guard.ipp" >guard.ipp
"$cli" --scripts-lst scripts.lst play guard.ipp --start AskTown >out 2>/dev/null || true
grep -q "(beyond the largest message number) 2147483648" out || fail "2^31: $(cat out)"
echo "resources: all groups passed"
