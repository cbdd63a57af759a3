#!/usr/bin/env bash
# Runs one editor client against the language server on a fresh copy of examples/, so that no
# client can change the bundled files:
#   run_client.sh neovim|session SERVER SOURCE_DIR WORK_DIR
# session needs NODE_PATH to hold vscode-jsonrpc and vscode-languageserver-protocol.
set -euo pipefail
client=$1 server=$2 source=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
cp -R "$source/examples" "$work/examples"
here="$source/tests/editors"
case $client in
neovim)
    DIALOSCOPE_LSP=$server EXAMPLES=$work/examples HOME=$work XDG_CONFIG_HOME=$work \
        timeout 120 nvim --headless -u NONE -i NONE -n -c "luafile $here/neovim_session.lua" ;;
session)
    timeout 120 node "$here/lsp_session.js" "$server" "$work/examples" ;;
esac
