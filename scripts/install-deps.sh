#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Kirune need.
# Only missing packages are installed, so a second call costs a few dpkg-query
# look-ups and no network.
#
# Usage: scripts/install-deps.sh [GROUP...]   groups: build run test package fuzz bench format windows
#        screenshots xvfb debootstrap   (no group: build run test package)
set -euo pipefail

# The one list of what the project needs from Debian, the same on Debian 12 and 13: no name that
# one release has and the other has not (a compiler's versioned runtime, a t64 library), and each
# group brings everything its own commands run.
declare -A groups
# Compiler, CMake with Ninja, Qt 6 Widgets and QtTest (libqt6test6 comes with
# qt6-base-dev, and so does the xcb platform plugin, in libqt6gui6), GoogleTest;
# Qt's CMake files look up OpenGL and xkbcommon, the latter through pkg-config.
groups[build]="cmake ninja-build g++ make pkg-config qt6-base-dev qt6-base-dev-tools libgl-dev
    libgtest-dev"
# A font with Japanese glyphs, for the messages and boxes.
groups[run]="fonts-ipafont-gothic"
# The end-to-end tests: a virtual X server (xauth for xvfb-run), typing and window
# queries (xdotool), a session bus with the accessibility bus, Python, and xclip to set and
# read the clipboard. The screen reader test: GNOME's screen reader Orca, speaking through
# speech-dispatcher and espeak-ng (libao, which comes with speech-dispatcher's audio plugins,
# has the null driver that stands in for a sound card).
groups[test]="xvfb xauth xdotool dbus at-spi2-core python3 xclip orca python3-pyatspi
    speech-dispatcher speech-dispatcher-espeak-ng espeak-ng"
# scripts/screenshots.sh, for the README's pictures: window queries (x11-utils), ImageMagick,
# and a small window manager (openbox) for a real title bar on the box.
groups[screenshots]="xvfb xauth xdotool x11-utils imagemagick openbox"
# The desktop checks that run with the tests: the desktop entry and metainfo validators; the
# Windows resource check (windres) skips itself without its tool, so that comes along too. The
# package and scripts/package-check.sh: cpack's Debian package (dpkg-shlibdeps from dpkg-dev,
# which calls file; dpkg-buildflags for the release build's flags), lintian, hardening-check
# (devscripts is the only package that has it), and xdotool to see the installed program's
# window.
groups[package]="dpkg-dev file lintian desktop-file-utils appstream binutils-mingw-w64-x86-64
    devscripts xdotool"
# The form fuzzer: clang with its libFuzzer runtime (make test runs it for 30 seconds).
groups[fuzz]="clang libclang-rt-dev"
# make bench: xcalc with its fonts to compare with, the X11 libraries of the timing probe
# (XDamage, XTest), Google Benchmark, and dpkg-buildflags, as the program is measured with the
# flags it ships with.
groups[bench]="xvfb xauth x11-apps xfonts-base libbenchmark-dev libx11-dev libxdamage-dev
    libxtst-dev libxext-dev python3 dpkg-dev"
groups[format]="clang-format"
# xvfb-run, for make run on a machine without a display.
groups[xvfb]="xvfb xauth"
# The Debian 13 leg (scripts/debian13.sh): a minimal root to run make test in.
groups[debootstrap]="debootstrap"
# make windows: CMake with Ninja, the mingw-w64 cross compiler (its binutils come along), GoogleTest's sources to
# build for Windows, Wine (64-bit) to run the tests, zip, wixl for the installer (msitools for
# looking into one), and the end-to-end smoke's Xvfb, typing and clipboard tools with a
# Japanese font for the boxes.
groups[windows]="cmake ninja-build make g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine wine64
    zip wixl msitools xvfb xauth xdotool x11-utils xclip fonts-ipafont-gothic"

selected=("$@")
if [ ${#selected[@]} -eq 0 ]; then
    selected=(build run test package)
fi

wanted=()
for group in "${selected[@]}"; do
    if [ -z "${groups[$group]+set}" ]; then
        echo "install-deps: unknown group '$group' (groups: ${!groups[*]})" >&2
        exit 2
    fi
    # shellcheck disable=SC2206  # the lists are plain words, split on blanks
    wanted+=(${groups[$group]})
done

# One dpkg-query for all: it names the installed ones ("ii") and is silent
# or complains about the rest.
declare -A installed
while read -r package status; do
    if [ "${status:0:2}" = "ii" ]; then
        installed[${package%%:*}]=1
    fi
done < <(dpkg-query -W -f='${Package} ${db:Status-Abbrev}\n' "${wanted[@]}" 2>/dev/null || true)
missing=()
for package in "${wanted[@]}"; do
    if [ -z "${installed[$package]+set}" ]; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

# Wait for another apt run rather than fail on its lock.
apt_options=(-o DPkg::Lock::Timeout=300 -o Acquire::Retries=3)
install=(apt-get "${apt_options[@]}" install -y --no-install-recommends "${missing[@]}")
update=(apt-get "${apt_options[@]}" update)
export DEBIAN_FRONTEND=noninteractive
if [ "$(id -u)" -eq 0 ]; then
    echo "install-deps: installing ${missing[*]}"
    "${update[@]}"
    "${install[@]}"
elif command -v sudo >/dev/null 2>&1; then
    echo "install-deps: installing with sudo: ${missing[*]}"
    sudo DEBIAN_FRONTEND=noninteractive "${update[@]}"
    sudo DEBIAN_FRONTEND=noninteractive "${install[@]}"
else
    echo "install-deps: missing Debian packages: ${missing[*]}; as root run:" \
        "apt-get update && apt-get install -y --no-install-recommends ${missing[*]}" >&2
    exit 1
fi
