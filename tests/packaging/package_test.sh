#!/usr/bin/env bash
# Builds the Debian package from the build folder, unpacks it into a scratch folder and checks what
# lands where, and that the unpacked programs start.
set -euo pipefail
build_dir=$1
app_id=$2
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack -G DEB --config "$build_dir/CPackConfig.cmake" -B "$scratch/out" > "$scratch/cpack.log" 2>&1 || {
    cat "$scratch/cpack.log"; exit 1; }
deb=$(ls "$scratch"/out/*.deb)
dpkg-deb -x "$deb" "$scratch/root"

fail=0
expect() { [ -e "$scratch/root$1" ] || { echo "missing from the package: $1"; fail=1; }; }
expect /usr/bin/marlek-lotto
expect /usr/bin/marlek-lotto-cli
expect "/usr/share/applications/$app_id.desktop"
expect "/usr/share/metainfo/$app_id.metainfo.xml"
expect "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
expect "/usr/share/icons/hicolor/48x48/apps/$app_id.png"
expect /usr/share/man/man1/marlek-lotto-cli.1
expect /usr/share/marlek-lotto
expect /usr/share/marlek-lotto/games/powerball.game

# Declared dependencies come from the programs' shared libraries.
depends=$(dpkg-deb -f "$deb" Depends)
case "$depends" in
    *libqt6widgets6*) ;;
    *) echo "the package does not depend on Qt Widgets: '$depends'"; fail=1 ;;
esac

"$scratch/root/usr/bin/marlek-lotto-cli" --help | grep -q report || { echo "marlek-lotto-cli --help failed"; fail=1; }

# The installed program finds the presets installed beside it.
games=$(XDG_CONFIG_HOME="$scratch/config" "$scratch/root/usr/bin/marlek-lotto-cli" games --format tsv)
grep -qF "$scratch/root/usr/share/marlek-lotto/games/powerball.game" <<< "$games" \
    || { echo "marlek-lotto-cli games does not list the installed presets: $games"; fail=1; }

# The desktop program starts and keeps running until it is stopped.
status=0
QT_QPA_PLATFORM=offscreen timeout 5 "$scratch/root/usr/bin/marlek-lotto" > "$scratch/run.log" 2>&1 || status=$?
if [ "$status" -ne 124 ]; then
    echo "marlek-lotto did not keep running (exit status $status):"; cat "$scratch/run.log"; fail=1
fi
exit $fail
