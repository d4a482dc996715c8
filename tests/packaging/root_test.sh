#!/usr/bin/env bash
# The packages in a fresh Debian 12 root (run by package_test.sh inside `unshare --mount --pid
# --fork`, so that every mount and process it leaves ends with it):
# - marlek-lotto pulls in no browser engine, with its recommends or without; installed without
#   them (and xdg-utils, the one it recommends), `verify` passes, the window shows, and the about
#   box's "Vorrin's Site" opens the page in the desktop's browser;
# - with marlek-lotto-browser added, as root with the engine's sandbox on (which the engine refuses)
#   the page still opens in the desktop's browser; with the sandbox off, in the browser window.
# Exits 77 where no root can be made here.
set -euo pipefail
cache=$1
root=$2
program_deb=$3
browser_deb=${4:-}
here=$(dirname "$(realpath "$0")")
# shellcheck source=debian_root.sh
source "$here/debian_root.sh"

wait_limit=180 # seconds for anything the window system waits for; only a fault takes that long
page=file:///usr/share/marlek-lotto/about/index.html
page_title="Vorrin's Lotto Software"

status=0
make_root "$cache" "$root" || status=$?
[ "$status" -eq 0 ] || exit "$status"
mount_root "$root"
log=$root/test-logs
mkdir -p "$log"
cp "$program_deb" ${browser_deb:+"$browser_deb"} "$root/tmp/"
program_deb=/tmp/$(basename "$program_deb")
[ -z "$browser_deb" ] || browser_deb=/tmp/$(basename "$browser_deb")

fail=0
failed() { echo "$*"; fail=1; }
installed_size() { in_root "$root" du -sx --block-size=1M --exclude=/var/cache/apt/archives / | cut -f1; }

# What apt would install, with the recommends and without: never a browser engine.
for recommends in --install-recommends --no-install-recommends; do
    if ! in_root "$root" apt-get install -s "$recommends" "$program_deb" > "$log/plan$recommends" 2>&1; then
        failed "apt-get cannot install marlek-lotto ($recommends):"; tail -n 20 "$log/plan$recommends"
    elif grep -i '^Inst .*webengine' "$log/plan$recommends"; then
        failed "marlek-lotto pulls in the browser engine ($recommends)"
    fi
done

before=$(installed_size)
if ! in_root "$root" apt-get install -y -q --no-install-recommends "$program_deb" xdg-utils \
    > "$log/install-program" 2>&1; then
    tail -n 20 "$log/install-program"; echo "marlek-lotto did not install"; exit 1
fi
keep_downloads "$cache" "$root"
echo "marlek-lotto and xdg-utils, without recommends: $(($(installed_size) - before)) MB"
in_root "$root" marlek-lotto-cli verify > "$log/verify" 2>&1 || { failed "verify failed:"; tail -n 20 "$log/verify"; }

# A window system: Xvfb on a free display (the root reaches it through its abstract socket) and a
# window manager. The desktop's browser is a script that writes down what it was asked to open.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$log/display" 2> "$log/xvfb" &
for _ in $(seq $((wait_limit * 10))); do [ -s "$log/display" ] && break; sleep 0.1; done
[ -s "$log/display" ] || { cat "$log/xvfb"; echo "Xvfb did not start"; exit 1; }
export DISPLAY=:$(cat "$log/display")
openbox > "$log/openbox" 2>&1 &
# A window mapped while the window manager is still taking over the screen may stay unmapped: wait
# until it has set up its desktops.
for _ in $(seq $((wait_limit * 10))); do xdotool get_desktop > /dev/null 2>&1 && break; sleep 0.1; done
xdotool get_desktop > /dev/null 2>&1 || { cat "$log/openbox"; echo "openbox did not start"; exit 1; }
cat > "$root/usr/local/bin/desktop-browser" << 'EOF'
#!/bin/sh
printf '%s\n' "$1" >> /tmp/desktop-browser-pages
EOF
chmod +x "$root/usr/local/bin/desktop-browser"

# Starts the desktop program with the environment variables given, and waits for its window.
program_pid=
start_program() {
    in_root "$root" DISPLAY="$DISPLAY" BROWSER=/usr/local/bin/desktop-browser "$@" \
        marlek-lotto > "$log/program" 2>&1 &
    program_pid=$!
    find_window --name "^Marlek's Lotto Software\$" > "$log/main-window" || {
        echo "$(date +%T): the desktop program shows no window; its processes and the windows:"
        ps -o pid,stat,etime,wchan:20,args --ppid "$program_pid" -p "$program_pid" || true
        xdotool search --name . getwindowname %@ 2> /dev/null || true
        cat "$log/program"; return 1
    }
}
# Ends the desktop program and whatever it started. What the engine's processes leave to the
# namespace's first process ends with the namespace.
kill_tree() {
    local child
    for child in $(pgrep -P "$1"); do kill_tree "$child"; done
    kill -KILL "$1" 2> /dev/null || true
}
stop_program() {
    kill_tree "$program_pid"
    wait "$program_pid" 2> /dev/null || true
}
# The first visible window that matches, once there is one. xdotool's own --sync search fails
# when a window goes away while it looks (as the engine's do), so each look is a fresh search.
find_window() {
    local found
    for _ in $(seq $((wait_limit * 5))); do
        found=$(xdotool search --onlyvisible "$@" 2> /dev/null | head -n 1) || true
        [ -n "$found" ] && { echo "$found"; return 0; }
        sleep 0.2
    done
    echo "no window $*" >&2; return 1
}
# Brings a window to the front and gives it the keyboard; the window manager may need a moment
# to take a window that has just been mapped.
activate() {
    for _ in $(seq $((wait_limit * 5))); do
        xdotool windowactivate --sync "$1" 2> /dev/null &&
            [ "$(xdotool getactivewindow 2> /dev/null)" = "$1" ] && return 0
        sleep 0.2
    done
    echo "window $1 could not be activated"; return 1
}
# The about box from the menu, then its "Vorrin's Site" button (the Tab after its default button).
press_site_button() {
    activate "$(head -n 1 "$log/main-window")" || return 1
    xdotool key --clearmodifiers alt+a Return
    local about
    about=$(find_window --name "^$page_title\$") || return 1
    activate "$about" || return 1
    xdotool key --clearmodifiers Tab space
}
pages_opened() { [ -f "$root/tmp/desktop-browser-pages" ] && grep -c . "$root/tmp/desktop-browser-pages" || echo 0; }
wait_for_pages() {
    for _ in $(seq $((wait_limit * 10))); do [ "$(pages_opened)" -ge "$1" ] && return 0; sleep 0.1; done
    return 1
}

if start_program && press_site_button && wait_for_pages 1; then
    [ "$(cat "$root/tmp/desktop-browser-pages")" = "$page" ] ||
        failed "the desktop's browser was asked for '$(cat "$root/tmp/desktop-browser-pages")'"
else
    failed "without the browser package, the about box did not open the page in the desktop's browser:"
    cat "$log/program"
fi
stop_program

if [ -z "$browser_deb" ]; then
    echo "built without Qt WebEngine: no browser package to install"
    exit $fail
fi
before=$(installed_size)
if ! in_root "$root" apt-get install -y -q --no-install-recommends "$browser_deb" \
    > "$log/install-browser" 2>&1; then
    tail -n 20 "$log/install-browser"; echo "marlek-lotto-browser did not install"; exit 1
fi
keep_downloads "$cache" "$root"
echo "marlek-lotto-browser, without recommends: $(($(installed_size) - before)) MB more"

# As root with the sandbox on the engine cannot start: the desktop's browser opens the page.
if ! { start_program && press_site_button && wait_for_pages 2; }; then
    failed "as root with the sandbox on, the page did not open in the desktop's browser:"
    cat "$log/program"
fi
stop_program

# With the sandbox off, the browser window opens and loads the page (its title is the page's).
browser_window=
if start_program QTWEBENGINE_DISABLE_SANDBOX=1 && press_site_button; then
    browser_window=$(find_window --classname '^marlek-lotto-browser$') || true
fi
if [ -z "$browser_window" ]; then
    failed "with the browser package, no browser window opened:"; cat "$log/program"
else
    loaded=0
    for _ in $(seq $((wait_limit * 10))); do
        [ "$(xdotool getwindowname "$browser_window" 2> /dev/null)" = "$page_title" ] && { loaded=1; break; }
        sleep 0.1
    done
    [ "$loaded" -eq 1 ] || { failed "the browser window did not load the page:"; cat "$log/program"; }
    [ "$(pages_opened)" -eq 2 ] || failed "the desktop's browser was asked as well"
fi
stop_program
exit $fail
