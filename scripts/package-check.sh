#!/usr/bin/env bash
# The Debian package of this release as a user gets it: `make package`, then
#   - built with every flag of this release's dpkg-buildflags, and hardened as they harden,
#   - lintian without an error or a warning,
#   - byte for byte the same .deb when built again from a copy of the tree in another folder,
#   - installed with apt-get, started on a private X server until its window "Kirune" shows,
#     and purged again with whatever its installation brought, so the machine is as before.
# Run as root from the repository root, after make test (scripts/debian13.sh runs it in the
# Debian 13 root). The last line counts the checks.
#
# Usage: scripts/package-check.sh
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

if [ "$(id -u)" -ne 0 ]; then
    echo "package-check: installing the package needs root" >&2
    exit 2
fi
scripts/install-deps.sh build run package xvfb

passed=0
failed=0
check() {  # check NAME COMMAND...: runs the command, counts and names the outcome
    local name=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
        echo "package-check: ok: $name"
    else
        failed=$((failed + 1))
        echo "package-check: FAILED: $name"
    fi
}

work=$(mktemp -d)
xvfb_pid=
kirune_pid=
installed() {  # the names of the packages installed now, sorted
    dpkg-query -W -f '${db:Status-Abbrev} ${Package}\n' | awk '$1 == "ii" { print $2 }' | sort
}
before=$work/packages-before
purge_added() {  # purges what apt-get install brought; fails when any of it stays
    local added left
    # Only those still installed: apt-get refuses the whole list for one name it cannot find,
    # and a purged local package is such a name.
    added=$(installed | comm -12 - "$work/added" | tr '\n' ' ')
    if [ -n "$added" ]; then
        # shellcheck disable=SC2086  # package names, one word each
        DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq $added >"$work/purge.log" 2>&1 ||
            cat "$work/purge.log"
    fi
    left=$(installed | comm -12 - "$work/added" | tr '\n' ' ')
    [ -z "$left" ] || { echo "still installed: $left"; false; }
}
leave() {
    [ -n "$kirune_pid" ] && kill "$kirune_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    # What the installation brought goes again also when the run was cut short. The lists are
    # taken right around apt-get, which holds dpkg's lock while it runs: what others install on
    # a shared machine meanwhile is left alone.
    if [ -f "$before" ] && [ ! -f "$work/added" ]; then
        installed | comm -13 "$before" - >"$work/added"
    fi
    [ -f "$work/added" ] && { purge_added || true; }
    rm -rf "$work"
}
trap leave EXIT

make package
arch=$(dpkg --print-architecture)
deb=build-release/kirune_1.00_$arch.deb

# Every word of dpkg-buildflags (asked here, where the release build asked it) is on every
# compile line, and its LDFLAGS on the program's link line: the flags that leave no mark a
# binary check can find (_FORTIFY_SOURCE where no call has a size known to the compiler,
# -ffile-prefix-map) are seen here.
has_flags() {  # has_flags FILE PATTERN FLAGS...: FILE has lines matching PATTERN, each with all
    local file=$1 pattern=$2 lines line flag
    shift 2
    lines=$(grep -E -- "$pattern" "$file") || { echo "no line $pattern in $file"; return 1; }
    while IFS= read -r line; do
        for flag in "$@"; do
            [[ " $line " == *" $flag "* ]] || { echo "no $flag in: $line"; return 1; }
        done
    done <<<"$lines"
}
# shellcheck disable=SC2046  # the flags are words
check "compiled with dpkg-buildflags' CPPFLAGS and CXXFLAGS" has_flags \
    build-release/compile_commands.json '"command"' \
    $(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)
# shellcheck disable=SC2046
check "linked with dpkg-buildflags' LDFLAGS" has_flags build-release/build.ninja \
    '^ *LINK_FLAGS' $(dpkg-buildflags --get LDFLAGS)

# hardening-check asks for every feature it knows; spare it those this release's dpkg-buildflags
# leaves off by default (immediate binding on both, control-flow protection, "branch", on
# Debian 12), and three of its tests that no program built here could pass:
# - fortify: it fails a program none of whose libc calls has a size known at compile time (its
#   own manual calls that a false alarm); Kirune's memcpy calls all come from std::string, below
#   the fortified wrappers. The compile lines above show -D_FORTIFY_SOURCE.
# - control-flow integrity, where the C library's start files carry no IBT/SHSTK mark: the
#   linker marks a program only when every input is marked, so on Debian 13, whose glibc start
#   files are unmarked, no program has the mark (not ls, not bash), however it was compiled.
#   The compile lines above show -fcf-protection; a later glibc with the mark makes it count.
# - branch protection: AArch64's, which Debian 13's hardening-check asks of an amd64 program.
dpkg-deb --extract "$deb" "$work/root"
options=(--nofortify)
declare -A spare=([pie]=--nopie [stackprotector]=--nostackprotector [relro]=--norelro
    [bindnow]=--nobindnow [branch]=--nocfprotection)
enabled=$(dpkg-buildflags --query-features hardening |
    awk '/^Feature:/ { feature = $2 } /^Enabled: yes/ { print feature }')
if [[ $(readelf -n "$(c++ -print-file-name=Scrt1.o)") != *"x86 feature: IBT, SHSTK"* ]]; then
    enabled=$(sed '/^branch$/d' <<<"$enabled")
fi
for feature in "${!spare[@]}"; do
    grep -qx "$feature" <<<"$enabled" || options+=("${spare[$feature]}")
done
if [[ $(hardening-check --help) == *--nobranchprotection* ]]; then
    options+=(--nobranchprotection)
fi
check "hardening-check ${options[*]}" hardening-check "${options[@]}" "$work/root/usr/bin/kirune"

check "lintian: no error, no warning" lintian --fail-on error,warning --tag-display-limit 0 "$deb"

# What a user gets besides the program: the dependencies dpkg-shlibdeps found, the fonts and the
# Wayland plugin named by hand, and the program answering --version without a display.
fields() {
    local depends recommends version
    depends=$(dpkg-deb --field "$deb" Depends)
    recommends=$(dpkg-deb --field "$deb" Recommends)
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/kirune" --version 2>&1) || true
    [[ $depends == *libqt6widgets6* && $depends == *"fonts-ipafont-gothic | fonts-noto-cjk"* ]] ||
        { echo "Depends: $depends"; return 1; }
    [[ $recommends == qt6-wayland ]] || { echo "Recommends: $recommends"; return 1; }
    [[ $version == "Kirune 1.00" ]] || { echo "kirune --version printed '$version'"; return 1; }
}
check "Depends, Recommends, --version" fields

# Another folder, other file times, a later build: the same bytes.
copy=$work/elsewhere/kirune-copy
mkdir -p "$copy"
git ls-files -z --cached --others --exclude-standard | tar --null -T - -cf - | tar -xmf - -C "$copy"
make -C "$copy" package >"$work/copy-build.log" 2>&1 || cat "$work/copy-build.log"
check "the same .deb from another folder" cmp "$deb" "$copy/$deb"

status_is() {  # status_is STATUS: kirune's state in dpkg
    local status
    status=$(dpkg-query -W -f '${Status}' kirune 2>/dev/null) || true
    [ "$status" = "$1" ] || { echo "kirune's status: '$status'"; false; }
}
installed >"$before"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >"$work/install.log" 2>&1 ||
    cat "$work/install.log"
installed | comm -13 "$before" - >"$work/added"
echo "package-check: apt-get installed: $(tr '\n' ' ' <"$work/added")"
check "installed" status_is "install ok installed"

# The installed program on an X server of its own, no window manager, no Wayland.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
    [ -s "$work/display" ] && break
    sleep 0.1
done
DISPLAY=:$(cat "$work/display")
export DISPLAY
env -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$work" /usr/bin/kirune >"$work/kirune.log" 2>&1 &
kirune_pid=$!
window_shows() {
    timeout 10 xdotool search --sync --all --onlyvisible --pid "$kirune_pid" --name '^Kirune$' \
        >/dev/null || { echo "no window within 10 s; kirune said:"; cat "$work/kirune.log"; false; }
}
check "/usr/bin/kirune opens its window" window_shows
kill "$kirune_pid"
wait "$kirune_pid" 2>/dev/null || true
kirune_pid=

check "purged, with what its installation brought" purge_added

echo "package-check: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
