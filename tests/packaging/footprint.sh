#!/usr/bin/env bash
# Measures what the packages add to a fresh Debian 12 root (debootstrap's minbase variant): for
# marlek-lotto, then marlek-lotto-browser added to it, with apt's default recommends and without
# them, the packages apt installs, apt's own estimate and the disk space measured with du before
# and after (downloaded package files left out). Run as root from the top of a Release build:
#
#   cpack -G DEB -B /tmp/debs && bash ../tests/packaging/footprint.sh /tmp/debs
#
# The figures are the README's. The optional second argument, the cache folder (default: package-test in the current folder) is
# the one the package test uses.
set -euo pipefail
debs=$(realpath "$1")
cache=$(realpath "${2:-package-test}")
if [ -z "${3:-}" ]; then
    # The roots' mounts and processes end with a namespace of their own.
    scratch=$(mktemp -d)
    trap 'rm -rf --one-file-system "$scratch"' EXIT
    unshare --mount --pid --fork --mount-proc --propagation private "$0" "$debs" "$cache" "$scratch"
    exit
fi
scratch=$3
here=$(dirname "$(realpath "$0")")
# shellcheck source=debian_root.sh
source "$here/debian_root.sh"

size() { in_root "$1" du -sx --block-size=1M --exclude=/var/cache/apt/archives / | cut -f1; }
# Installs the packages and prints: packages installed, apt's estimate, measured growth.
measure() {
    local root=$1 recommends=$2
    shift 2
    local before output
    before=$(size "$root")
    output=$(in_root "$root" apt-get install -y "$recommends" "$@" 2>&1) || { echo "$output"; return 1; }
    keep_downloads "$cache" "$root"
    printf '%s packages, apt: %s, du: %s MB\n' \
        "$(grep -oP '\d+(?= newly installed)' <<< "$output")" \
        "$(grep -oP 'After this operation, \K[^ ]+ [kMG]B' <<< "$output")" \
        "$(($(size "$root") - before))"
}

printf 'Debian %s, minbase root, %s\n' "$(cat /etc/debian_version)" "$(date -u +%Y-%m-%d)"
for recommends in --install-recommends --no-install-recommends; do
    root=$scratch/root$recommends
    make_root "$cache" "$root"
    mount_root "$root"
    cp "$debs"/*.deb "$root/tmp/"
    program=$(basename "$debs"/marlek-lotto_*.deb)
    browser=$(basename "$debs"/marlek-lotto-browser_*.deb)
    echo "marlek-lotto $recommends: $(measure "$root" "$recommends" "/tmp/$program")"
    echo "marlek-lotto-browser added $recommends: $(measure "$root" "$recommends" "/tmp/$browser")"
done
