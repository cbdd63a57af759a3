#!/usr/bin/env bash
# The real window in a real X server, driven by keys and clicks:
#  1. dialoscope on the bundled example: F4 (Analyze), F5 (Build Dialog Tree), the panes filled;
#  2. dialoscope on a generated 10 MB script: F4, Find Msg clicked while Analyze runs (refused
#     with a status note), then Save through the real file dialog: the saved listing equals
#     dialoscope-cli listing byte for byte, so nothing was mixed into it.
# The window's state is read through its test hook (DIALOSCOPE_STATE_DUMP).
# Usage: smoke_xvfb.sh PATH/TO/dialoscope EXAMPLES_FOLDER PATH/TO/dialoscope-cli PATH/TO/gen-script
set -euo pipefail
program="$1"
examples="$2"
cli="$3"
gen="$4"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The program reads scripts.lst from its own folder.
lst="$(dirname "$program")/scripts.lst"
cp "$examples/scripts.lst" "$lst"
python3 "$gen" --target-mb 10 --out "$work/big" --name talk >/dev/null
"$cli" --scripts-lst "$lst" listing "$work/big/talk.ipp" >"$work/expected.txt"

cat >"$work/drive.sh" <<'DRIVE'
set -u
program="$1"; work="$2"; examples="$3"
value() { sed -n "s/^$1 //p" "$state" 2>/dev/null; }
wait_for() { # key lower-bound seconds: until the key's value exceeds the bound
    for _ in $(seq 1 $(($3 * 10))); do
        v="$(value "$1")"
        if [ -n "$v" ] && [ "$v" -gt "$2" ] 2>/dev/null; then return 0; fi
        sleep 0.1
    done
    return 1
}
start() { # script: starts the window on it and waits until it shows the script's name
    rm -f "$state"
    # A real X window: the offscreen platform the other window tests use would show nothing.
    # Settings of its own: the user's are never read or written.
    QT_QPA_PLATFORM=xcb DIALOSCOPE_SETTINGS="$work/settings.ini" DIALOSCOPE_STATE_DUMP="$state" \
        "$program" "$1" &
    pid=$!
    window=""
    for _ in $(seq 1 300); do
        window="$(xdotool search --name "^Dialoscope - $(basename "$1")" 2>/dev/null | head -1)"
        [ -n "$window" ] && [ -f "$state" ] && grep -q "caption Dialoscope - " "$state" && break
        sleep 0.1
    done
    if [ -z "$window" ]; then echo "no window"; return 1; fi
    xdotool windowfocus --sync "$window" 2>/dev/null || true
}
stop() {
    cat "$state"
    kill "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
status=0

state="$work/state1"
if start "$examples/guard.ipp"; then
    xdotool key F4
    wait_for general_items 0 30 || { echo "Analyze filled no General View"; status=1; }
    sleep 1 # lets a running pass end before F5 is pressed
    xdotool key F5
    wait_for dialogs_items 0 30 || { echo "Build Dialog Tree filled no Dialogs Tree"; status=1; }
    sleep 1
    stop >"$work/out1"
else
    status=1
fi

state="$work/state2"
if start "$work/big/talk.ipp"; then
    read -r x y <<<"$(value find_msg_at)"
    # The click reaches the window while Analyze runs: the pass lets window messages through.
    xdotool key F4 mousemove "$x" "$y" click 1
    noted=0
    for _ in $(seq 1 40); do
        grep -q "^status_note Analyze is running: Find Msg was not run$" "$state" && noted=1 && break
        sleep 0.1
    done
    [ $noted = 1 ] || { echo "no note for the refused Find Msg"; status=1; }
    wait_for general_items 0 60 || { echo "Analyze filled no General View"; status=1; }
    for _ in $(seq 1 600); do [ "$(value busy)" = 0 ] && break; sleep 0.1; done
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    xdotool key ctrl+s
    dialog=""
    for _ in $(seq 1 100); do
        dialog="$(xdotool search --name '^Save As' 2>/dev/null | head -1)"
        [ -n "$dialog" ] && break
        sleep 0.1
    done
    if [ -z "$dialog" ]; then echo "no Save dialog"; status=1; fi
    xdotool windowfocus --sync "$dialog" 2>/dev/null || true
    xdotool key ctrl+a type --delay 5 "$work/saved.txt"
    xdotool key Return
    for _ in $(seq 1 100); do [ -s "$work/saved.txt" ] && break; sleep 0.1; done
    sleep 0.5 # the file is renamed into place whole; let the window settle before it ends
    stop >"$work/out2"
else
    status=1
fi
exit $status
DRIVE

xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$work/drive.sh" "$program" "$work" "$examples" ||
    { cat "$work"/out* 2>/dev/null; echo "FAIL: driving the window"; exit 1; }
cat "$work/out1" "$work/out2"
grep -q '^pane_lines [1-9]' "$work/out1" || { echo "FAIL: the output pane is empty"; exit 1; }
grep -q '^general_items [1-9]' "$work/out1" || { echo "FAIL: the General View is empty"; exit 1; }
grep -q '^dialogs_items [1-9]' "$work/out1" || { echo "FAIL: the Dialogs Tree is empty"; exit 1; }
grep -q '^error_boxes 0$' "$work/out1" || { echo "FAIL: an error box appeared"; exit 1; }
grep -q '^caption Dialoscope - guard.ipp$' "$work/out1" || { echo "FAIL: wrong caption"; exit 1; }
grep -q '^error_boxes 0$' "$work/out2" || { echo "FAIL: an error box on the big script"; exit 1; }
cmp "$work/saved.txt" "$work/expected.txt" ||
    { echo "FAIL: the saved listing differs from dialoscope-cli listing"; exit 1; }
echo "smoke test passed"
