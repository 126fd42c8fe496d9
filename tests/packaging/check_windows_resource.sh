#!/bin/sh
# Compiles the Windows resource script with MinGW's windres and reads the
# version record back, so that a typo or a wrong encoding shows up without
# a Windows machine. Exit status 77 (skipped) without windres.
# Usage: check_windows_resource.sh RC_FILE ICONS_DIR
set -eu

rc_file=$1
icons=$2
windres=$(command -v x86_64-w64-mingw32-windres || command -v i686-w64-mingw32-windres ||
    command -v windres || true)
[ -n "$windres" ] || { echo "SKIP: no windres (binutils-mingw-w64)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The host's cpp stands in for MinGW's gcc, which is usually not installed.
"$windres" --preprocessor=cpp -I "$icons" -O coff "$rc_file" -o "$work/kirune.res.o"
"$windres" --preprocessor=cpp -I "$icons" -O rc "$rc_file" -o "$work/decompiled.rc"

status=0
expect() {
    if ! grep -qF -- "$1" "$work/decompiled.rc"; then
        echo "FAIL: the compiled resource lacks: $1"
        status=1
    fi
}
expect 'FILEVERSION 1, 0, 0, 0'
expect 'PRODUCTVERSION 1, 0, 0, 0'
expect 'FILEOS 0x4'
expect 'FILETYPE 0x1'
expect 'BLOCK "041104B0"'
# そこでとまれ！ as UTF-16 code units: read as UTF-8, not as a code page.
expect 'VALUE "Comments", L"\x305d\x3053\x3067\x3068\x307e\x308c\xff01"'
expect 'VALUE "FileVersion", "1.00"'
expect 'VALUE "ProductVersion", "1.00"'
expect 'VALUE "ProductName", "Kirune"'
expect 'VALUE "InternalName", "Kirune"'
expect 'VALUE "OriginalFilename", "kirune.exe"'
expect 'VALUE "Translation", 0x411, 1200'
expect 'LANGUAGE 17, 1'
# The icon group with its four images.
expect 'Type: group icon'
icons_in_resource=$(grep -c 'RT_ICON' "$work/decompiled.rc" || true)
if [ "$icons_in_resource" != 4 ]; then
    echo "FAIL: the resource holds $icons_in_resource icon images, not 4"
    status=1
fi
exit $status
