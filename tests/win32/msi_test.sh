#!/bin/sh
# Installs the MSI under Wine as a user would (quietly): the program, its Start menu shortcut and
# its uninstall entry appear; the next version's MSI replaces it (one entry left); uninstalling
# removes all three. Usage: msi_test.sh WINE_RUN PREFIX MSI EXE STAGE_DIR WXS
set -u
wine_run=$1 prefix=$2 msi=$3 exe=$4 stage=$5 wxs=$6
work=$(mktemp -d) && next=$work/kirune-next.msi && trap 'rm -rf "$work"' EXIT
run() { sh "$wine_run" "$prefix" "$@"; }
msiexec() { run msiexec "$1" "Z:$(echo "$2" | tr / '\\')" /qn || { echo "FAIL: msiexec $1 $2"; exit 1; }; }
program() { find "$prefix/drive_c/users" -ipath '*/Programs/Kirune/kirune.exe'; }
# Wine 8 lists the uninstall entries on stdout, Wine 10 on stderr.
entries() { run uninstaller --list 2>&1 | grep -c Kirune; }
msiexec /i "$msi"
cmp "$(program)" "$exe" || { echo "FAIL: no kirune.exe installed"; exit 1; }
find "$prefix/drive_c" -iname 'Kirune.lnk' | grep -q . || { echo "FAIL: no Start menu shortcut"; exit 1; }
(cd "$stage" && wixl -a x64 -D Version=9.99 -o "$next" "$wxs") && msiexec /i "$next"
[ "$(entries)" = 1 ] || { echo "FAIL: $(entries) uninstall entries after the upgrade"; exit 1; }
msiexec /x "$next"
# By the names below drive_c: the prefix itself may lie in a folder called kirune.
if find "$prefix/drive_c" -iname '*kirune*' | grep . || [ "$(entries)" != 0 ]; then
    echo "FAIL: left behind after /x"; exit 1
fi
