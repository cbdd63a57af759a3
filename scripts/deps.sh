#!/usr/bin/env bash
# Installs the Debian packages the build, the tests, the window and the editor clients need, if
# any is missing.
# Works as root, or as a normal user with sudo.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config
    clang libclang-rt-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev libicu-dev
    libcli11-dev nlohmann-json3-dev libtbb-dev
    libgettextpo-dev gettext libxlsxwriter-dev libgraphviz-dev graphviz libexpat1-dev
    translate-toolkit
    flex re2c
    xvfb xauth xdotool x11-apps imagemagick
    python3 time
    neovim nodejs
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The editor extension and its test clients take their npm packages from committed lock files
# (npm ci in the build folder); npm itself comes with some builds of nodejs, apart in Debian's.
command -v npm >/dev/null || missing+=(npm)
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
