#!/usr/bin/env bash
# Builds the Debian packages from the build folder and checks them: what lands where, what each
# depends on, that the unpacked programs start; then installs them into a fresh Debian 12 root
# (root_test.sh). Exits 77 (skipped) after the package checks where no such root can be made here.
set -euo pipefail
build_dir=$(realpath "$1")
app_id=$2
here=$(dirname "$(realpath "$0")")
scratch=$(mktemp -d)
trap 'rm -rf --one-file-system "$scratch"' EXIT

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"; exit 1; }
program_deb=$(ls "$scratch"/out/marlek-lotto_*.deb)
browser_deb=$(ls "$scratch"/out/marlek-lotto-browser_*.deb 2> /dev/null || true)
version=$(dpkg-deb -f "$program_deb" Version)
dpkg-deb -x "$program_deb" "$scratch/program"

fail=0
failed() { echo "$*"; fail=1; }
expect() { [ -e "$1$2" ] || failed "missing from the package: $2"; }
expect "$scratch/program" /usr/bin/marlek-lotto
expect "$scratch/program" /usr/bin/marlek-lotto-cli
expect "$scratch/program" "/usr/share/applications/$app_id.desktop"
expect "$scratch/program" "/usr/share/metainfo/$app_id.metainfo.xml"
expect "$scratch/program" "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
expect "$scratch/program" "/usr/share/icons/hicolor/48x48/apps/$app_id.png"
expect "$scratch/program" /usr/share/man/man1/marlek-lotto-cli.1
expect "$scratch/program" /usr/share/marlek-lotto/about/index.html
expect "$scratch/program" /usr/share/marlek-lotto/games/powerball.game
[ ! -e "$scratch/program/usr/libexec" ] || failed "marlek-lotto holds the browser program"

# marlek-lotto depends on what its programs link, which is no browser engine; the browser package
# brings the engine, for this very version of marlek-lotto.
field() { dpkg-deb -f "$1" "$2"; }
depends=$(field "$program_deb" Depends)
case "$depends" in *libqt6widgets6*) ;; *) failed "marlek-lotto does not depend on Qt Widgets: '$depends'" ;; esac
case "$depends" in *webengine*) failed "marlek-lotto depends on the browser engine: '$depends'" ;; esac
[ "$(field "$program_deb" Recommends)" = xdg-utils ] || failed "marlek-lotto does not recommend xdg-utils"
[ "$(field "$program_deb" Suggests)" = marlek-lotto-browser ] || failed "marlek-lotto does not suggest marlek-lotto-browser"
if [ -n "$browser_deb" ]; then
    dpkg-deb -x "$browser_deb" "$scratch/browser"
    expect "$scratch/browser" /usr/libexec/marlek-lotto/marlek-lotto-browser
    [ "$(find "$scratch/browser" -type f | wc -l)" -eq 1 ] || failed "marlek-lotto-browser holds more than its program"
    depends=$(field "$browser_deb" Depends)
    case "$depends" in *"marlek-lotto (= $version)"*) ;; *) failed "marlek-lotto-browser is not bound to marlek-lotto $version: '$depends'" ;; esac
    case "$depends" in *libqt6webenginewidgets6*) ;; *) failed "marlek-lotto-browser does not depend on Qt WebEngine: '$depends'" ;; esac
else
    echo "built without Qt WebEngine: no browser package"
fi

"$scratch/program/usr/bin/marlek-lotto-cli" --help | grep -q report || failed "marlek-lotto-cli --help failed"
# The unpacked command-line tool finds the presets installed beside it.
games=$(XDG_CONFIG_HOME="$scratch/config" "$scratch/program/usr/bin/marlek-lotto-cli" games --format tsv)
grep -qF "$scratch/program/usr/share/marlek-lotto/games/powerball.game" <<< "$games" \
    || failed "marlek-lotto-cli games does not list the installed presets: $games"
# The unpacked desktop program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$scratch/program/usr/bin/marlek-lotto" > "$scratch/run.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { failed "marlek-lotto did not keep running (exit status $status):"; cat "$scratch/run.log"; }
[ "$fail" -eq 0 ] || exit 1

# Installed into a fresh Debian 12 root; every mount and process of it ends with it.
if [ "$(id -u)" -ne 0 ] || ! unshare --mount --pid --fork true 2> /dev/null; then
    echo "skipped: the packages were checked, but a Debian root needs root and mount namespaces"
    exit 77
fi
status=0
unshare --mount --pid --fork --mount-proc --propagation private \
    "$here/root_test.sh" "$build_dir/package-test" "$scratch/root" "$program_deb" "$browser_deb" || status=$?
[ "$status" -ne 77 ] || echo "skipped: the packages were checked, but not installed into a root"
exit "$status"
