#!/bin/sh
# Installs the MSI under Wine as a user would (quietly), checks the program, its Start menu
# shortcut and its uninstall entry, then uninstalls and checks that all three are gone.
# Usage: msi_test.sh WINE_RUN PREFIX MSI EXE
set -u
wine_run=$1 prefix=$2 exe=$4
msi="Z:$(echo "$3" | tr / '\\')"
run() { sh "$wine_run" "$prefix" "$@"; }
installed() {
    find "$prefix/drive_c/users" -ipath '*/Programs/Kirune/kirune.exe' | grep -q . &&
        find "$prefix/drive_c" -iname 'Kirune.lnk' | grep -q . &&
        run uninstaller --list | grep -q Kirune
}
run msiexec /i "$msi" /qn || { echo "FAIL: msiexec /i exited with $?"; exit 1; }
installed || { echo "FAIL: after /i:"; find "$prefix/drive_c/users" -ipath '*kirune*'; exit 1; }
cmp "$(find "$prefix/drive_c/users" -ipath '*/Programs/Kirune/kirune.exe')" "$exe" || exit 1
run msiexec /x "$msi" /qn || { echo "FAIL: msiexec /x exited with $?"; exit 1; }
if find "$prefix/drive_c" -ipath '*kirune*' | grep . || run uninstaller --list | grep Kirune; then
    echo "FAIL: left behind after /x"; exit 1
fi
