#!/usr/bin/env bash
# Installs what is missing, builds a Release and starts the window on the bundled example.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DDIALOSCOPE_BUILD_TESTS=OFF
cmake --build "$root/build"
# The program reads scripts.lst from its own folder.
cp "$root/examples/scripts.lst" "$root/build/bin/scripts.lst"
# --analyze: the window opens on the listing and both trees, as after F4 and F5.
exec "$root/build/bin/dialoscope" "$root/examples/guard.ipp" --analyze "$@"
