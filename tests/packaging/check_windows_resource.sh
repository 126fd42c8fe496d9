#!/bin/sh
# Compiles the Windows resource script with MinGW's windres and reads it back, so that a typo
# or a wrong encoding shows without Windows. Exit status 77 (skipped) without windres.
# Usage: check_windows_resource.sh RC_FILE ICONS_DIR
set -eu
command -v x86_64-w64-mingw32-windres >/dev/null || { echo "SKIP: no windres"; exit 77; }
rc=$(x86_64-w64-mingw32-windres --preprocessor=cpp -I "$2" -O rc "$1")
status=0
# そこでとまれ！ as UTF-16 code units: read as UTF-8, not as a code page.
for line in 'FILEVERSION 1, 0, 0, 0' 'VALUE "FileVersion", "1.00"' 'VALUE "ProductName", "Kirune"' \
    'VALUE "Comments", L"\x305d\x3053\x3067\x3068\x307e\x308c\xff01"' 'LANGUAGE 17, 1' \
    'VALUE "OriginalFilename", "Kirune.exe"' 'VALUE "Translation", 0x411, 1200'; do
    printf "%s\n" "$rc" | grep -qF -- "$line" || { echo "FAIL: no $line"; status=1; }
done
[ "$(printf "%s\n" "$rc" | grep -c RT_ICON)" = 4 ] || { echo "FAIL: not 4 icon images"; status=1; }
exit $status
