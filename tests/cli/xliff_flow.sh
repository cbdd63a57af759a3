#!/usr/bin/env bash
# XLIFF and changed originals end to end: export and import give every message file back byte
# for byte (the example, its German translation, a generated windows-1251 project); the numbers
# survive translate-toolkit's xliff2po and po2xliff; --since marks a changed original fuzzy with
# gettext's "#| msgid" in PO and for review in XLIFF; bad XLIFF is refused with nothing written.
#   xliff_flow.sh CLI EXAMPLES GEN_SCRIPT
set -euo pipefail
cli="$1"; examples="$2"; gen="$3"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
lst=(--scripts-lst "$examples/scripts.lst")
since="$(dirname "$0")/inputs/since/guard.msg"

# The tests' own reading of an XLIFF: well-formed, 1.2, and each unit's id, state and target.
units() {
    python3 - "$1" <<'PY'
import sys, xml.etree.ElementTree as ET
ns = {"x": "urn:oasis:names:tc:xliff:document:1.2"}
root = ET.parse(sys.argv[1]).getroot()
assert root.tag == "{%s}xliff" % ns["x"] and root.get("version") == "1.2", root.tag
for f in root.findall("x:file", ns):
    assert f.get("source-language") and f.get("datatype") == "plaintext", f.attrib
    for u in f.findall("x:body/x:trans-unit", ns):
        t = u.find("x:target", ns)
        assert u.get("id") == u.get("resname"), u.attrib
        print(u.get("id"), t.get("state"), t.text or "")
PY
}

# Export and import with nothing changed give the message file back byte for byte.
round_trip() { # NAME MSG_FILE EXPORT_ARGS...
    local name="$1" msg="$2"; shift 2
    "$cli" "$@" --to "$work/$name.xlf" 2>/dev/null || fail "$name: export failed"
    units "$work/$name.xlf" > "$work/$name.units" || fail "$name: not XLIFF 1.2"
    mkdir -p "$work/$name"
    cp "$msg" "$work/$name/"
    "$cli" "${code_page[@]}" import "$work/$name.xlf" --into "$work/$name/$(basename "$msg")" \
        2>"$work/summary" || fail "$name: import failed: $(cat "$work/summary")"
    cmp -s "$msg" "$work/$name/$(basename "$msg")" || fail "$name: the round trip changed bytes"
}
code_page=()
round_trip original "$examples/guard.msg" "${lst[@]}" export "$examples/guard.ipp"
grep -q '^guard:100 needs-translation $' "$work/original.units" || fail "original: guard:100"
round_trip de "$examples/de/guard.msg" "${lst[@]}" export "$examples/de/guard.ipp" \
    --against "$examples/guard.msg" --language de
grep -q '^guard:101 translated Nun? Ich habe' "$work/de.units" || fail "de: guard:101"

# A windows-1251 project translated from originals that differ in every text.
python3 "$gen" --out "$work/ru" --scripts 3 --nodes 20 > /dev/null
mkdir "$work/ru-orig"
for msg in "$work"/ru/*.msg; do
    sed 's/}\r$/ (orig)}\r/' "$msg" > "$work/ru-orig/$(basename "$msg")"
done
code_page=(--code-page windows-1251)
"$cli" "${code_page[@]}" export --project "$work/ru/scripts.lst" --against "$work/ru-orig" \
    --to "$work/ru.xlf" 2>/dev/null || fail "ru: export failed"
cp -r "$work/ru" "$work/ru-before"
"$cli" "${code_page[@]}" import "$work/ru.xlf" --project "$work/ru/scripts.lst" 2>"$work/summary" \
    || fail "ru: import failed: $(cat "$work/summary")"
diff -r "$work/ru-before" "$work/ru" > /dev/null || fail "ru: the round trip changed bytes"
grep -q "unchanged [1-9]" "$work/summary" || fail "ru: nothing compared: $(cat "$work/summary")"
code_page=()

# Through translate-toolkit and back: a translation edited in the PO lands on its number.
xliff2po -i "$work/de.xlf" -o "$work/tk.po" > /dev/null 2>&1 || fail "xliff2po refused the XLIFF"
grep -q '^#: guard:109$' "$work/tk.po" || fail "xliff2po lost the unit's number"
python3 - "$work/tk.po" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
at = text.index("#: guard:109\n")
start = text.index("msgstr", at)
end = text.index("\n", start)
open(path, "w", encoding="utf-8").write(text[:start] + 'msgstr "Und der Schmied?"' + text[end:])
PY
po2xliff -i "$work/tk.po" -o "$work/tk.xlf" > /dev/null 2>&1 || fail "po2xliff refused the PO"
for file in tk.po tk.xlf; do
    mkdir -p "$work/tk-$file"
    cp "$examples/de/guard.msg" "$work/tk-$file/guard.msg"
    "$cli" import "$work/$file" --into "$work/tk-$file/guard.msg" 2>"$work/summary" \
        || fail "$file: import failed: $(cat "$work/summary")"
    grep -q "^replaced 1," "$work/summary" || fail "$file: $(cat "$work/summary")"
    [ "$(sed -n 13p "$work/tk-$file/guard.msg")" = $'{109}{}{Und der Schmied?}\r' ] \
        || fail "$file: 109 not written"
    [ "$(diff "$examples/de/guard.msg" "$work/tk-$file/guard.msg" | grep -c '^>')" = 1 ] \
        || fail "$file: more than 109 changed"
done

# --since: 100 changed since the older original; PO keeps the older text as "#| msgid".
"$cli" "${lst[@]}" export "$examples/de/guard.ipp" --against "$examples/guard.msg" \
    --since "$since" --to "$work/since.po" 2>"$work/summary"
grep -q "1 changed (marked fuzzy), 1 new, 1 removed" "$work/summary" || fail "$(cat "$work/summary")"
msgfmt --check-format -o /dev/null "$work/since.po" || fail "msgfmt refused the PO with #|"
[ "$(msgattrib --only-fuzzy --no-wrap "$work/since.po" | grep -c '^msgctxt')" = 1 ] \
    || fail "not exactly one fuzzy entry"
msgattrib --only-fuzzy --no-wrap "$work/since.po" | grep \
    '^#| msgid "Halt! State your business at the east gate of Millbrook."$' >/dev/null \
    || fail "no #| msgid"
mkdir "$work/since"
cp "$examples/de/guard.msg" "$work/since/guard.msg"
"$cli" import "$work/since.po" --into "$work/since/guard.msg" 2>"$work/summary"
grep -q "skipped 1," "$work/summary" || fail "the fuzzy entry was not skipped: $(cat "$work/summary")"
"$cli" "${lst[@]}" export "$examples/de/guard.ipp" --against "$examples/guard.msg" \
    --since "$since" --to "$work/since.xlf" 2>/dev/null
units "$work/since.xlf" | grep '^guard:100 needs-review-translation Halt!' >/dev/null \
    || fail "XLIFF: 100 not for review"
"$cli" "${lst[@]}" export "$examples/de/guard.ipp" --against "$examples/guard.msg" \
    --since "$since" --to "$work/since.csv" 2>/dev/null
python3 - "$work/since.csv" <<'PY' || fail "CSV: the change columns"
import csv, sys
rows = {r["message number"]: r for r in csv.DictReader(open(sys.argv[1], encoding="utf-8"))}
assert rows["100"]["changed"] == "Halt! State your business at the [-east-] {+north+} gate of Millbrook.", rows["100"]
assert rows["100"]["previous original"].endswith("east gate of Millbrook."), rows["100"]
assert rows["101"]["changed"] == "new" and rows["102"]["changed"] == "", rows["101"]
PY
# Without --since the CSV has no change columns.
"$cli" "${lst[@]}" export "$examples/de/guard.ipp" --to "$work/plain.csv" 2>/dev/null
head -1 "$work/plain.csv" | grep 'changed' >/dev/null && fail "change columns without --since"
# An older original that cannot be read: said, and nothing written.
if "$cli" "${lst[@]}" export "$examples/de/guard.ipp" --since "$work/none.msg" \
    --to "$work/none.po" 2>"$work/summary"; then fail "export without its older original"; fi
grep -q "none.msg" "$work/summary" || fail "the older original is not named: $(cat "$work/summary")"
[ ! -e "$work/none.po" ] || fail "written without its older original"

# Bad XLIFF: each refused with its reason, the message file untouched.
head='<?xml version="1.0" encoding="UTF-8"?><xliff version="1.2" xmlns="urn:oasis:names:tc:xliff:document:1.2"><file original="guard.ipp" source-language="en" datatype="plaintext"><body>'
tail='</body></file></xliff>'
unit() { echo "<trans-unit id=\"$1\"><source>s</source><target>$2</target></trans-unit>"; }
cases=(
    "not well-formed XML|$head$(unit guard:100 'a < b')$tail"
    "not well-formed XML|$head$(unit guard:100 x)"
    "is there twice, at lines|$head$(unit guard:100 a)$(unit guard:100 b)$tail"
    'holds the inline element <g>|'"$head$(unit guard:100 'Halt <g id="1">now</g>')$tail"
    'holds the inline element <x>|'"$head$(unit guard:100 'Halt <x id="1"/>')$tail"
    'holds the inline element <bpt>|'"$head$(unit guard:100 'Halt <bpt id="1">b</bpt>')$tail"
    "names no SCRIPT:NUMBER|$head$(unit greeting a)$tail"
    "translated twice|$head<trans-unit id=\"a\" resname=\"guard:100\"><source/><target>a</target></trans-unit><trans-unit id=\"b\" resname=\"guard:100\"><source/><target>b</target></trans-unit>$tail"
    "message 100: the character U+041F|$head$(unit guard:100 'Привет')$tail"
    "not an XLIFF 1.2 file|<?xml version=\"1.0\"?><xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\"/>"
    'has no DOCTYPE|<?xml version="1.0"?><!DOCTYPE x [<!ENTITY a "aaaa">]><x>&a;</x>'
)
cp "$examples/de/guard.msg" "$work/guard.msg"
for row in "${cases[@]}"; do
    expected="${row%%|*}"
    printf '%s' "${row#*|}" > "$work/bad.xlf"
    if "$cli" import "$work/bad.xlf" --into "$work/guard.msg" 2>"$work/summary"; then
        fail "accepted ($expected)"
    fi
    grep -qF -- "$expected" "$work/summary" || fail "wanted \"$expected\": $(cat "$work/summary")"
    grep -q "nothing written" "$work/summary" || fail "no \"nothing written\": $(cat "$work/summary")"
    cmp -s "$examples/de/guard.msg" "$work/guard.msg" || fail "refused, yet written ($expected)"
done
echo "ok"
