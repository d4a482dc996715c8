#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Marlek's Lotto Software needs.
# Safe to run again: apt-get skips what is already installed. Run as root on Debian 12.
set -euo pipefail

packages=(
    # build tools and test libraries
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    # exact fractions for the odds of a wheel
    libgmp-dev
    # Qt 6 Widgets, PrintSupport, Svg and WebEngine
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-webengine-dev qt6-webengine-dev-tools
    libgl-dev libglx-dev qt6-qpa-plugins fonts-dejavu-core
    # the draw history's database
    libsqlite3-dev
    # tests: a real display, PDF text, desktop-entry and metainfo validators, man pages, packaging
    xvfb xauth poppler-utils desktop-file-utils appstream scdoc librsvg2-bin dpkg-dev file
    # tests: the packages installed into a fresh Debian root, and their windows driven there
    debootstrap openbox xdotool procps
    # tests: the syncs of the file writer, seen from outside
    strace
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -q
    apt-get install -y -q "${missing[@]}"
fi
