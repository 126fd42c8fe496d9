#!/bin/bash
# Builds the Debian package with cpack (into a temporary folder) and checks what a user gets:
# the dependencies and recommendations, the program answering --version without a display.
# Lintian, the hardening and the installed program are checked on the release build's package
# (scripts/package-check.sh): this one carries the sanitizers.
# Status 77 (skipped) without the Debian tools. Usage: check_package.sh BUILD_DIR
set -euo pipefail
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$work" >"$work/log" || { cat "$work/log"; exit 1; }
deb=$work/kirune_1.00_$(dpkg --print-architecture).deb
depends=$(dpkg-deb --field "$deb" Depends)
[[ $depends == *libqt6widgets6* && $depends == *"fonts-ipafont-gothic | fonts-noto-cjk"* ]] ||
    { echo "FAIL: Depends: $depends"; exit 1; }
recommends=$(dpkg-deb --field "$deb" Recommends)
[[ $recommends == qt6-wayland ]] || { echo "FAIL: Recommends: $recommends"; exit 1; }
dpkg-deb --extract "$deb" "$work/root"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/kirune" --version 2>&1) || true
[[ $version == "Kirune 1.00" ]] || { echo "FAIL: kirune --version printed '$version'"; exit 1; }
