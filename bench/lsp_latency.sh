#!/usr/bin/env bash
# Latency of the language server as an editor feels it (bench/lsp_latency.js): generates a script
# of SCRIPT_MB MB and a project of SCRIPTS scripts into a temporary folder (gone on exit), then
# prints p50 / p95 of each measure beside its target. A benchmark, not a test: take the figures
# on an idle machine.
#
#   bench/lsp_latency.sh PATH/TO/dialoscope-lsp [SCRIPT_MB] [SCRIPTS] [COUNT]
#                                                (defaults 1, 200 and 100 edits or requests)
#
# The client packages come from the editor tests' npm ci (ctest -R editors.client_packages) in
# the build folder beside the server; NODE_PATH overrides that.
set -euo pipefail
if [ $# -lt 1 ] || [ $# -gt 4 ]; then
    echo "usage: $0 PATH/TO/dialoscope-lsp [SCRIPT_MB] [SCRIPTS] [COUNT]" >&2
    exit 2
fi
server="$(realpath "$1")" mb="${2:-1}" scripts="${3:-200}" count="${4:-100}"
here="$(cd "$(dirname "$0")" && pwd)"
# gen-script lives beside the checkout, as for the other benchmarks; GEN_SCRIPT overrides that.
gen="${GEN_SCRIPT:-$here/../../shared/tools/gen-script}"
# build/bin/dialoscope-lsp -> build/tests/editors/client/node_modules
export NODE_PATH="${NODE_PATH:-$(dirname "$(dirname "$server")")/tests/editors/client/node_modules}"
if [ ! -d "$NODE_PATH/vscode-jsonrpc" ]; then
    echo "$0: no vscode-jsonrpc in $NODE_PATH: run ctest --test-dir BUILD -R editors.client_packages" >&2
    exit 1
fi

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
python3 "$gen" --out "$tmp/script" --target-mb "$mb" >/dev/null
python3 "$gen" --out "$tmp/project" --scripts "$scripts" >/dev/null
echo "dialoscope-lsp latency: $mb MB script, $scripts-script project, $count per measure"
node "$here/lsp_latency.js" "$server" "$tmp/script" "$tmp/project" "$count"
