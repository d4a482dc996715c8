# Sourced by the package scripts: a fresh Debian 12 root of debootstrap's minbase variant to install
# the packages into. debootstrap runs once per cache folder and its root is kept there as a
# tarball; every use unpacks a fresh copy. Packages already downloaded on this machine are reused.
#
#   make_root CACHE ROOT   unpacks a fresh root at ROOT with up-to-date package lists; returns 77
#                          where no root can be made here (not root, no chroot, no registry)
#   mount_root ROOT        mounts /proc, /dev and /sys in it; call inside `unshare --mount`, so the
#                          mounts end with that process
#   in_root ROOT CMD...    runs CMD in the root

make_root() {
    local cache=$1 root=$2
    if [ "$(id -u)" -ne 0 ]; then
        echo "a Debian root needs root"; return 77
    fi
    if ! chroot / true 2> /dev/null || ! unshare --mount true 2> /dev/null; then
        echo "chroot or a mount namespace is not allowed here"; return 77
    fi
    command -v debootstrap > /dev/null || { echo "debootstrap is missing (scripts/setup.sh)"; return 1; }
    mkdir -p "$cache/archives"
    # The machine's own downloads, linked (or copied) where they are on another file system.
    cp -l -n /var/cache/apt/archives/*.deb "$cache/archives/" 2> /dev/null ||
        cp -n /var/cache/apt/archives/*.deb "$cache/archives/" 2> /dev/null || true
    if [ ! -s "$cache/minbase.tar" ]; then
        rm -rf --one-file-system "$cache/debootstrap"
        if ! debootstrap --variant=minbase --cache-dir="$cache/archives" bookworm \
            "$cache/debootstrap" > "$cache/debootstrap.log" 2>&1; then
            tail -n 5 "$cache/debootstrap.log"
            rm -rf --one-file-system "$cache/debootstrap"
            echo "debootstrap could not make a root (no package registry reached?)"; return 77
        fi
        tar -C "$cache/debootstrap" -cf "$cache/minbase.tar.part" . &&
            mv "$cache/minbase.tar.part" "$cache/minbase.tar"
        rm -rf --one-file-system "$cache/debootstrap"
    fi
    mkdir -p "$root"
    tar -C "$root" -xf "$cache/minbase.tar"
    # The machine's own package sources (its suites and updates), name service and downloads.
    cp /etc/apt/sources.list "$root/etc/apt/" 2> /dev/null || true
    cp -r /etc/apt/sources.list.d/. "$root/etc/apt/sources.list.d/" 2> /dev/null || true
    cp /etc/resolv.conf "$root/etc/" 2> /dev/null || true
    cp -l -n "$cache"/archives/*.deb "$root/var/cache/apt/archives/" 2> /dev/null || true
    if ! chroot "$root" apt-get update -q > "$root/apt-update.log" 2>&1; then
        tail -n 5 "$root/apt-update.log"
        echo "apt-get update failed in the root (no package registry reached?)"; return 77
    fi
}

mount_root() {
    local root=$1
    mount -t proc proc "$root/proc"
    mount --rbind /dev "$root/dev"
    mount --rbind /sys "$root/sys"
}

in_root() {
    local root=$1
    shift
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 \
        DEBIAN_FRONTEND=noninteractive "$@"
}

# Keeps what apt downloaded into the root for the next root.
keep_downloads() {
    local cache=$1 root=$2
    cp -l -n "$root"/var/cache/apt/archives/*.deb "$cache/archives/" 2> /dev/null || true
}
