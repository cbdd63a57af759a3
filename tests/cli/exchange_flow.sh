#!/usr/bin/env bash
# A translator's round with dialoscope-cli: export the German guard against the original as PO
# (and a generated project), check the PO with gettext's msgfmt, change two translations as an
# editor would, import them into a copy of the message file, and see check --against report
# the change; a refused import leaves the file untouched.
#   exchange_flow.sh CLI EXAMPLES GEN_SCRIPT
set -euo pipefail
cli="$1"; examples="$2"; gen="$3"
work="$(mktemp -d)"; trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

"$cli" --scripts-lst "$examples/scripts.lst" export "$examples/de/guard.ipp" \
    --against "$examples/guard.msg" --to "$work/de.po" 2>/dev/null
msgfmt --check-format -o /dev/null "$work/de.po" || fail "msgfmt refused the exported PO"
grep -q '^msgctxt "guard:109"$' "$work/de.po" || fail "no entry guard:109"

python3 /dev/stdin "$work/de.po" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
def translate(context, translation):
    global text
    at = text.index('msgctxt "%s"' % context)
    start = text.index("msgstr", at)
    end = text.index("\n", start)
    text = text[:start] + 'msgstr "%s"' % translation + text[end:]
translate("guard:109", "Und der Schmied?")
translate("guard:100", "Halt! Was wollt Ihr am Nordtor von M\u00fchlbach?")
open(path, "w", encoding="utf-8").write(text)
PY

cp "$examples/de/guard.msg" "$work/guard.msg"
cp "$examples/guard.ipp" "$work/guard.ipp"
"$cli" import "$work/de.po" --into "$work/guard.msg" 2>"$work/summary" \
    || fail "import failed: $(cat "$work/summary")"
grep -q "replaced 2," "$work/summary" || fail "summary: $(cat "$work/summary")"
[ "$(diff "$examples/de/guard.msg" "$work/guard.msg" | grep -c '^>')" = 2 ] \
    || fail "more than two lines changed"
printf '{100}{}{Halt! Was wollt Ihr am Nordtor von M\xfchlbach?}\r\n' | cmp -s - \
    <(sed -n 4p "$work/guard.msg") || fail "message 100 not written in windows-1252"

"$cli" --scripts-lst "$examples/scripts.lst" check "$work/guard.ipp" \
    --against "$examples/guard.msg" > "$work/check" || true
grep -q "guard.msg:4: punctuation-differs: message 100 ends in \"?\"" "$work/check" \
    || fail "check does not see the new text of 100"
if grep -q "untranslated: message 109" "$work/check"; then fail "109 still untranslated"; fi

# The same PO through gettext's own tools (msgcat, msgconv to ISO-8859-1) imports the same bytes.
msgcat "$work/de.po" -o "$work/de-cat.po"
msgconv --to-code=ISO-8859-1 "$work/de.po" -o "$work/de-latin1.po"
mkdir "$work/again"
for po in de-cat.po de-latin1.po; do
    cp "$examples/de/guard.msg" "$work/again/guard.msg"
    "$cli" import "$work/$po" --into "$work/again/guard.msg" 2>/dev/null || fail "$po refused"
    cmp -s "$work/guard.msg" "$work/again/guard.msg" || fail "$po imported other bytes"
done

# A character windows-1252 cannot hold: refused, the file untouched, exit status 1.
printf 'msgctxt "guard:100"\nmsgid "a"\nmsgstr "\xd0\x9f"\n' > "$work/ru.po"
cp "$work/guard.msg" "$work/before"
if "$cli" import "$work/ru.po" --into "$work/guard.msg" 2>/dev/null; then fail "not refused"; fi
cmp -s "$work/before" "$work/guard.msg" || fail "a refused import changed the file"

# Message lines as real files write them (a middle field, blanks between fields, braces in the
# text): the PO carries the text field and the middle field as a comment, its header satisfies
# msgfmt --check, an edited import changes only text fields, and a translation for a line that
# does not split into three fields is refused with its line, the file untouched.
inputs="$(dirname "$0")/inputs"
cp "$inputs/voiced.ipp" "$inputs/voiced.msg" "$work/"
"$cli" --scripts-lst "$inputs/scripts.lst" export "$work/voiced.ipp" --language de \
    --to "$work/voiced.po" 2>/dev/null
msgfmt -c -o /dev/null "$work/voiced.po" 2>"$work/msgfmt" || fail "msgfmt -c refused voiced.po"
[ ! -s "$work/msgfmt" ] || fail "msgfmt -c: $(cat "$work/msgfmt")"
grep -q '^#\. middle: grd_halt$' "$work/voiced.po" || fail "no middle comment"
grep -q '^msgid "Halt! State your business."$' "$work/voiced.po" || fail "not the text field"
msgen "$work/voiced.po" | msgfilter -o "$work/edited.po" sed -e 's/^/[de] /' 2>/dev/null \
    || fail "msgen or msgfilter refused voiced.po"
sed -i '/^msgctxt "voiced:107"$/,/^$/d' "$work/edited.po"
"$cli" import "$work/edited.po" --into "$work/voiced.msg" 2>"$work/summary" \
    || fail "import failed: $(cat "$work/summary")"
python3 - "$inputs/voiced.msg" "$work/voiced.msg" <<'PY' || fail "bytes beside the text fields changed"
import sys
old, new = (open(p, "rb").read().split(b"\r\n") for p in sys.argv[1:])
assert len(old) == len(new)
for a, b in zip(old, new):
    if a.startswith(b"#") or a.startswith(b"{107}") or not a:
        assert a == b, (a, b)
        continue
    # Everything up to the text field's brace and the final brace stay; the text gains "[de] ".
    cut = a.index(b"{", a.index(b"}", a.index(b"}") + 1)) + 1
    assert b[:cut] == a[:cut] and b[cut:] == b"[de] " + a[cut:], (a, b)
PY
printf 'msgctxt "voiced:107"\nmsgid "broke"\nmsgstr "kaputt"\n' > "$work/broken.po"
cp "$work/voiced.msg" "$work/before"
if "$cli" import "$work/broken.po" --into "$work/voiced.msg" 2>"$work/summary"; then
    fail "a line that does not split into three fields was written into"
fi
grep -q "message 107: line 9 does not split into {number}{middle}{text}" "$work/summary" \
    || fail "refusal: $(cat "$work/summary")"
cmp -s "$work/before" "$work/voiced.msg" || fail "a refused import changed the file"

# A generated project: one PO for every script, accepted by msgfmt.
python3 "$gen" --out "$work/project" --scripts 3 --nodes 25 > /dev/null
"$cli" export --project "$work/project/scripts.lst" --to "$work/project.po" 2>/dev/null
msgfmt --check-format -o /dev/null "$work/project.po" || fail "msgfmt refused the project PO"
grep -q '^msgctxt "s003:' "$work/project.po" || fail "the third script is missing"

# The project's PO back into every listed message file at once: unchanged texts change nothing;
# one text refused leaves every file as it was.
cp -r "$work/project" "$work/before-import"
"$cli" import "$work/project.po" --project "$work/project/scripts.lst" 2>"$work/summary" \
    || fail "project import failed: $(cat "$work/summary")"
diff -r "$work/before-import" "$work/project" > /dev/null || fail "an unchanged import changed files"
python3 - "$work/project.po" <<'PY'
import sys
path = sys.argv[1]
text = open(path, encoding="utf-8").read()
first = text.index('msgctxt "s001:')
text = text[:first] + text[first:].replace('msgstr ""', 'msgstr "Neu"', 1)
last = text.rindex('msgctxt "s003:')
text = text[:last] + text[last:].replace('msgstr ""', 'msgstr "\u041f"', 1)
open(path, "w", encoding="utf-8").write(text)
PY
if "$cli" import "$work/project.po" --project "$work/project/scripts.lst" 2>"$work/summary"; then
    fail "a project import with a refusal succeeded"
fi
grep -q "nothing written" "$work/summary" || fail "summary: $(cat "$work/summary")"
diff -r "$work/before-import" "$work/project" > /dev/null || fail "a refused import changed files"
echo "exchange flow: ok"
