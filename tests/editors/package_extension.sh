#!/usr/bin/env bash
# Compiles and packages the VS Code extension from a copy of its sources in WORK_DIR (so the
# source tree gets no node_modules), then checks that the .vsix holds what VS Code loads:
#   package_extension.sh SOURCE_DIR WORK_DIR
set -euo pipefail
source=$1 work=$2
rm -rf "$work"
mkdir -p "$work"
tar -C "$source/editors/vscode" --exclude=node_modules --exclude=out --exclude='*.vsix' -cf - . |
    tar -C "$work" -xf -
cd "$work"
npm ci --prefer-offline --no-audit --no-fund
./package.sh "$work/dialoscope.vsix"
contents=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' dialoscope.vsix)
for file in extension/package.json extension/out/extension.js extension/language-configuration/script.json \
    extension/syntaxes/dialoscope-script.tmLanguage.json extension/syntaxes/dialoscope-messages.tmLanguage.json \
    extension/node_modules/vscode-languageclient/package.json; do
    grep -qx "$file" <<<"$contents" || { echo "dialoscope.vsix lacks $file"; exit 1; }
done
if grep -q '^extension/src/\|/node_modules/typescript/' <<<"$contents"; then
    echo "dialoscope.vsix holds sources or build tools"
    exit 1
fi
echo "dialoscope.vsix: $(grep -c . <<<"$contents") entries"
