#!/usr/bin/env bash
# The Debian 13 leg: the committed tree, cloned into a minimal Debian 13 root as a new user would
# clone it, and the README's `make test` run there as root; then the release's own package built,
# installed and started (scripts/package-check.sh). The root is kept between runs under
# /var/cache (KIRUNE_DEBIAN13_ROOT), so only the first run bootstraps it; the clone is new each
# time. Whatever this script mounts is unmounted on every way out: a failing test, an error, an
# interrupt.
#
# Usage: scripts/debian13.sh [COMMAND]   (as root; COMMAND is run in the clone instead of the default)
set -euo pipefail

suite=trixie
cache=${KIRUNE_DEBIAN13_ROOT:-/var/cache/kirune/debian-13}
mirror=${KIRUNE_DEBIAN_MIRROR:-http://deb.debian.org/debian}
command=${1:-make test && scripts/package-check.sh}
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=$cache/root

if [ "$(id -u)" -ne 0 ]; then
    echo "debian13: debootstrap and chroot need root" >&2
    exit 2
fi
"$top/scripts/install-deps.sh" debootstrap
mkdir -p "$cache"
# One run at a time uses the root: a second waits for the first.
exec 9>"$cache/lock"
flock 9

# The root is ready once the packages a new user starts with are in it (a minbase system has no
# make); a bootstrap cut short is thrown away and made again.
if [ ! -f "$root/.kirune-ready" ]; then
    rm -rf "$cache/new"
    echo "debian13: bootstrapping Debian 13 ($suite) into $root"
    debootstrap --variant=minbase "$suite" "$cache/new" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
        { tail -n 20 "$cache/debootstrap.log" >&2; exit 1; }
    cp /etc/resolv.conf "$cache/new/etc/resolv.conf"
    chroot "$cache/new" /bin/sh -c 'apt-get update -qq &&
        DEBIAN_FRONTEND=noninteractive apt-get install -y -qq make git ca-certificates >/dev/null'
    touch "$cache/new/.kirune-ready"
    rm -rf "$root"
    mv "$cache/new" "$root"
fi

mounted=()
leave() {
    # Processes a test left running inside the root would keep its mounts busy.
    local link pid
    for link in /proc/[0-9]*/root; do
        if [ "$(readlink "$link" 2>/dev/null)" = "$root" ]; then
            pid=${link#/proc/}
            kill -KILL "${pid%/root}" 2>/dev/null || true
        fi
    done
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount -R "${mounted[i]}" 2>/dev/null || umount -R -l "${mounted[i]}"
    done
}
trap leave EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

bind() {  # bind SOURCE TYPE: the host's /proc, /sys, /dev (with /dev/pts and /dev/shm) inside
    mkdir -p "$root$1"
    if [ "$2" = rbind ]; then
        mount --rbind "$1" "$root$1"
        mount --make-rslave "$root$1"  # unmounting it must not unmount the host's
    else
        mount -t "$2" "$2" "$root$1"
    fi
    mounted+=("$root$1")
}
bind /proc proc
bind /sys sysfs
bind /dev rbind
cp /etc/resolv.conf "$root/etc/resolv.conf"

rm -rf "$root/root/kirune"
# The commit checked out here: a clone of a worktree's folder would check out the repository's
# own HEAD instead.
git clone --quiet --no-checkout "$top" "$root/root/kirune"
git -C "$root/root/kirune" checkout --quiet --detach "$(git -C "$top" rev-parse HEAD)"
echo "debian13: in $(cat "$root/etc/debian_version"): $command"
chroot "$root" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 CI="${CI:-}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/bash -c "cd /root/kirune && $command"
