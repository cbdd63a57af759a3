#!/usr/bin/env bash
# The real window in a real X server: start dialoscope on the bundled example, press F4
# (Analyze) and F5 (Build Dialog Tree), and read the state the window dumps through its test hook.
# Usage: smoke_xvfb.sh PATH/TO/dialoscope EXAMPLES_FOLDER
set -euo pipefail
program="$1"
examples="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The program reads scripts.lst from its own folder.
cp "$examples/scripts.lst" "$(dirname "$program")/scripts.lst"

cat >"$work/drive.sh" <<'DRIVE'
set -u
program="$1"; script="$2"; state="$3"
# A real X window: the offscreen platform the other window tests use would show nothing.
QT_QPA_PLATFORM=xcb DIALOSCOPE_STATE_DUMP="$state" "$program" "$script" &
pid=$!
value() { sed -n "s/^$1 //p" "$state" 2>/dev/null; }
wait_for() { # key predicate-value seconds
    for _ in $(seq 1 $(($3 * 10))); do
        v="$(value "$1")"
        if [ -n "$v" ] && [ "$v" -gt "$2" ] 2>/dev/null; then return 0; fi
        sleep 0.1
    done
    return 1
}
window=""
for _ in $(seq 1 300); do
    window="$(xdotool search --name '^Dialoscope' 2>/dev/null | head -1)"
    [ -n "$window" ] && [ -f "$state" ] && grep -q "caption Dialoscope - " "$state" && break
    sleep 0.1
done
status=0
if [ -z "$window" ]; then echo "no window"; status=1; fi
if [ $status -eq 0 ]; then
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key F4
    wait_for general_items 0 30 || { echo "Analyze filled no General View"; status=1; }
    sleep 1 # lets a running pass end before F5 is pressed
    xdotool key F5
    wait_for dialogs_items 0 30 || { echo "Build Dialog Tree filled no Dialogs Tree"; status=1; }
    sleep 1
fi
cat "$state"
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
DRIVE

xvfb-run -a -s "-screen 0 1024x768x24" bash "$work/drive.sh" "$program" "$examples/guard.ipp" \
    "$work/state" | tee "$work/out"
grep -q '^pane_lines [1-9]' "$work/out" || { echo "FAIL: the output pane is empty"; exit 1; }
grep -q '^general_items [1-9]' "$work/out" || { echo "FAIL: the General View is empty"; exit 1; }
grep -q '^dialogs_items [1-9]' "$work/out" || { echo "FAIL: the Dialogs Tree is empty"; exit 1; }
grep -q '^error_boxes 0$' "$work/out" || { echo "FAIL: an error box appeared"; exit 1; }
grep -q '^caption Dialoscope - guard.ipp$' "$work/out" || { echo "FAIL: wrong caption"; exit 1; }
echo "smoke test passed"
