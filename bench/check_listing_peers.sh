#!/usr/bin/env bash
# Checks that the two peers (the flex and the re2c baseline) write exactly the listing bytes of
# dialoscope-cli listing: on generated workloads of several shapes, on a script of token edge
# cases (block comments over lines and open at the end, "$" before a line break, numbers with
# "," and ".", open strings, 0 bytes, tabs, lone CR and LF) and on scripts whose sections and
# nodes end early or run on (the listing leaves out what they consume). A peer that lists
# differently would be timed doing other work.
#
#   bench/check_listing_peers.sh CLI FLEX_PEER RE2C_PEER GEN_SCRIPT WORK_DIR
set -euo pipefail
if [ $# -ne 5 ]; then
    echo "usage: $0 CLI FLEX_PEER RE2C_PEER GEN_SCRIPT WORK_DIR" >&2
    exit 2
fi
cli="$1" flex_peer="$2" re2c_peer="$3" gen="$4" work="$5"
rm -rf "$work"
mkdir -p "$work"

# Compares both peers' listing of script with the CLI's.
check() {
    local script="$1" scripts_lst="$2"
    "$cli" --scripts-lst "$scripts_lst" listing "$script" >"$script.cli"
    for peer in "$flex_peer" "$re2c_peer"; do
        "$peer" "$script" >"$script.peer"
        if ! cmp "$script.cli" "$script.peer"; then
            echo "== $(basename "$peer") lists $script differently from dialoscope-cli" >&2
            exit 1
        fi
    done
    echo "same listing: $script ($(wc -l <"$script.cli") lines)"
}

shapes=("--seed 1" "--seed 7 --eol lf --zero-args" "--seed 3 --max-nodes 40")
for i in "${!shapes[@]}"; do
    # shellcheck disable=SC2086 # the options are words
    python3 "$gen" --out "$work/w$i" --target-mb 1 ${shapes[$i]} >/dev/null
    check "$work/w$i/talk.ipp" "$work/w$i/scripts.lst"
done

# No node and no forward section: every token is listed.
edge="$work/edge"
mkdir -p "$edge"
printf 'edge\r\n' >"$edge/scripts.lst"
: >"$edge/edge.msg"
{
    printf "script Edge 1 'edge.msg' 2 3\r\n// note  \r\n//\tTab comment\t \r\n"
    printf '<!-- a\r\n   b   \r\n\r\nc --> x <!-- one --> y <!- <!-- -- --->\r\n'
    printf '$FF $ $1g 0x 0x1F 0X 0. 0, 0,5 0.5.3 007 007.5 12. 12,3 101,102 00.\r\n'
    printf "'open string\r\n\"closed\" 'it''s' \"unclosed\n"
    printf '{ note } # %% & ? \\ | ~ ` \x80\xff\xc0 --> := <>\r\n'
    printf 'abc1_x _x BEGIN Begin begin getstr GetStr VAR var\r\n'
    printf "lone\rcr\n\rlf \t tab\ttext 'a\tb'\r\n"
    printf "a\x00b '\x00' // c\x00d\r\n<!-- e\x00f\r\n-->\r\n\$\r\x00z \r\x00 q\r\n"
    printf '$\r\n$\n$\r<!-- open to the end\r\n'
} >"$edge/edge.ipp"
check "$edge/edge.ipp" "$edge/scripts.lst"

# Sections and nodes: where each ends decides what is listed.
two_nodes="script E 1 'e.msg' 2 3\r\nuses A, B;\r\nVar x, y;\r\n"
two_nodes+="function N1; forward;\r\nfunction N2; forward;\r\n"
two_nodes+="function N1;\r\nbegin\r\n  Say(Self, 0, 101);\r\n"
two_nodes+="  Answer(1, GetStr(102) + 'x' + GetStr(103), @N2);\r\n"
two_nodes+="  Answer(-1, GetStr(104) + y z + w, @N2);\r\n  N2;\r\nend;\r\n\r\n"
two_nodes+="function N2;\r\nVar q;\r\nbegin\r\n  Answer(1, GetStr(105) + 'function' + x, @N1);\r\n"
two_nodes+="end;\r\n\r\nbegin x := 1; end.\r\n"
sections=(
    "$two_nodes"
    "script E 1 'e.msg' 2 3\r\nuses A, B"
    "Var a, b, c"
    "script E 1 'e.msg' 2 3\r\nfunction N1; forward; function N2; forward"
    "function N1; forward;\r\nfunction N1;\r\nbegin\r\n Answer(1, GetStr(5) + a b + c"
    "function N1; forward;\r\nfunction N1;\r\nbegin\r\n Answer(1, GetStr(5) + GetStr(6) + GetStr(7"
    "function A; forward; function B; begin Answer(1, GetStr(1) + '.' + 'x', @A); end; 'tail'"
    "SCRIPT x USES a; var b; FUNCTION c; forward; Function d; begin end"
)
for i in "${!sections[@]}"; do
    printf '%b' "${sections[$i]}" >"$edge/sections$i.ipp"
    : >"$edge/sections$i.msg"
    check "$edge/sections$i.ipp" "$edge/scripts.lst"
done
