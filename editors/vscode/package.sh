#!/bin/sh
# Makes dialoscope-VERSION.vsix in this folder (or at the path given) from a clean install of the
# locked packages: install it with `code --install-extension dialoscope-VERSION.vsix`.
set -eu
cd "$(dirname "$0")"
[ -d node_modules ] || npm ci --no-audit --no-fund
npm run compile
# No repository and no LICENSE file of its own: the extension ships with the project's sources.
npx vsce package --allow-missing-repository --skip-license ${1:+--out "$1"}
