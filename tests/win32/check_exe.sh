#!/bin/sh
# kirune.exe must run from any folder alone: it imports Windows system DLLs only (the C++
# runtime linked in, no Qt), carries its manifest, and stays under 1.5 MB.
set -u
exe=$1
imports=$(x86_64-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' |
    tr '[:upper:]' '[:lower:]' | sort -u)
echo "imports:" $imports
status=0
foreign=$(echo "$imports" | grep -v -x -E '(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|oleacc|advapi32|msvcrt|imm32|uxtheme|dwmapi|shcore|winmm|api-ms-win-[a-z0-9-]+)\.dll')
[ -z "$foreign" ] || { echo "FAIL: imports DLLs that are not Windows': $foreign"; status=1; }
size=$(stat -c %s "$exe")
echo "size: $size bytes"
[ "$size" -lt 1572864 ] || { echo "FAIL: larger than 1.5 MB"; status=1; }
grep -q 'PerMonitorV2' "$exe" || { echo "FAIL: no DPI-aware manifest"; status=1; }
exit $status
