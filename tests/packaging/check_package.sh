#!/bin/bash
# Builds the Debian package from a configured and built tree, then checks
# what a user would get: the installed paths, the dependencies, that the
# desktop entry, metainfo and icons refer to one another, that the
# installed program answers --version without a display, and that lintian
# finds no error (status 77, skipped, when the Debian tools are missing).
# cpack writes into a temporary directory, never into the
# build tree. Usage: check_package.sh BUILD_DIR APP_ID
set -euo pipefail

build=$1
app_id=$2
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
fail() {
    echo "FAIL: $*"
    status=1
}

if ! cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack could not build the package"
    exit 1
fi
deb="$work/kirune_1.00_$(dpkg --print-architecture).deb"
[[ -f $deb ]] || { cat "$work/cpack.log"; fail "no $(basename "$deb")"; exit 1; }

# --- contents ---------------------------------------------------------------
dpkg-deb --contents "$deb" | awk '{ print $6 }' | sed 's|^\./|/|' >"$work/contents"
expected=(
    /usr/bin/kirune
    "/usr/share/applications/$app_id.desktop"
    "/usr/share/metainfo/$app_id.metainfo.xml"
    "/usr/share/icons/hicolor/scalable/apps/$app_id.svg"
    /usr/share/man/man1/kirune.1.gz
    /usr/share/doc/kirune/copyright
    /usr/share/doc/kirune/changelog.gz
)
for size in 16 32 48 64 128 256; do
    expected+=("/usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
for path in "${expected[@]}"; do
    grep -qxF "$path" "$work/contents" || fail "the package lacks $path"
done
# Everything lives under /usr; nothing of the build tree leaks in.
stray=$(grep -v -e '^/$' -e '^/usr/' "$work/contents" || true)
[[ -z $stray ]] || fail "paths outside /usr: ${stray//$'\n'/ }"

# --- control fields ---------------------------------------------------------
field() { dpkg-deb --field "$deb" "$1"; }
[[ $(field Package) == kirune ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == 1.00 ]] || fail "Version is '$(field Version)'"
[[ $(field Section) == utils ]] || fail "Section is '$(field Section)'"
depends=$(field Depends)
[[ $depends == *libqt6widgets6* ]] || fail "Depends lacks libqt6widgets6: $depends"
[[ $depends == *"fonts-ipafont-gothic | fonts-noto-cjk"* ]] ||
    fail "Depends lacks the Japanese font: $depends"

# --- the installed files refer to one another -------------------------------
root="$work/root"
dpkg-deb --extract "$deb" "$root"
desktop="$root/usr/share/applications/$app_id.desktop"
metainfo="$root/usr/share/metainfo/$app_id.metainfo.xml"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[[ $(entry Icon) == "$app_id" ]] || fail "the desktop entry's Icon is '$(entry Icon)'"
[[ -x $root/usr/bin/$(entry Exec) ]] || fail "the desktop entry's Exec '$(entry Exec)' is not installed"
grep -qF "<id>$app_id</id>" "$metainfo" || fail "the metainfo's id is not $app_id"
grep -qF "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"
grep -qF "<binary>kirune</binary>" "$metainfo" || fail "the metainfo does not provide kirune"

# --- the installed program, without any display -------------------------------
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$root/usr/bin/kirune" --version 2>&1) ||
    true
[[ $version == "Kirune 1.00" ]] || fail "kirune --version printed '$version'"

# --- lintian ----------------------------------------------------------------
# Warnings are reported but allowed; an error fails the test.
if ! lintian --fail-on error --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1; then
    fail "lintian found errors"
fi
cat "$work/lintian.log"
exit $status
