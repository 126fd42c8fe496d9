#!/bin/bash
# Builds the Debian package with cpack (into a temporary folder) and checks what a user gets:
# the files, the dependencies, the installed program answering --version without a display,
# and no lintian error. Status 77 (skipped) without the Debian tools.
# Usage: check_package.sh BUILD_DIR APP_ID
set -euo pipefail
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack --config "$1/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; exit 1; }
deb=$work/kirune_1.00_$(dpkg --print-architecture).deb
dpkg-deb --extract "$deb" "$work/root"
status=0
for path in bin/kirune "share/applications/$2.desktop" "share/metainfo/$2.metainfo.xml" \
    "share/icons/hicolor/scalable/apps/$2.svg" "share/icons/hicolor/256x256/apps/$2.png" \
    share/man/man1/kirune.1.gz share/doc/kirune/copyright; do
    [[ -f $work/root/usr/$path ]] || { echo "FAIL: the package lacks /usr/$path"; status=1; }
done
[[ $(dpkg-deb --field "$deb" Depends) == *libqt6widgets6*"fonts-ipafont-gothic | fonts-noto-cjk"* ]] ||
    { echo "FAIL: Depends: $(dpkg-deb --field "$deb" Depends)"; status=1; }
version=$(env -u DISPLAY -u WAYLAND_DISPLAY "$work/root/usr/bin/kirune" --version 2>&1) || true
[[ $version == "Kirune 1.00" ]] || { echo "FAIL: kirune --version printed '$version'"; status=1; }
lintian --fail-on error --tag-display-limit 0 "$deb" || { echo "FAIL: lintian found errors"; status=1; }
exit $status
