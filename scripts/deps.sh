#!/usr/bin/env bash
# Installs whatever the build, the tests and the editor need and the machine lacks (Debian 12).
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev dpkg-dev file
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libgl-dev libstorm-dev smpq libpng-dev nlohmann-json3-dev
    libfreetype-dev fonts-dejavu-core
    xvfb xauth imagemagick
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y "${missing[@]}"
fi
