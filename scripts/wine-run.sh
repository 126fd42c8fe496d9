#!/bin/sh
# Runs a Windows program under Wine in a prefix of its own:
#   scripts/wine-run.sh PREFIX PROGRAM.exe [ARG...]
#   scripts/wine-run.sh PREFIX --start      (the tests' fixture: start Wine and keep it up)
# A missing prefix is made first (some 15 s). Wine's server and helper processes are started
# apart, their output to a file: started by the program instead, they would inherit the caller's
# output pipes and keep CTest waiting until they end. The server stays up for a minute after
# its last program, or with --start until `wineserver -k`.
set -eu
WINEPREFIX=$(realpath -m "$1")
shift
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
log=$WINEPREFIX.log
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    # Without a window manager Wine must not wait for one; a crash ends the program with its
    # code instead of opening a dialog.
    { wineboot -i && wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f &&
        for value in Managed UseTakeFocus; do
            wine reg add 'HKCU\Software\Wine\AppDefaults\kirune.exe\X11 Driver' /v $value /d N /f
        done &&
        # A fresh prefix has no Japanese font: the display's and the boxes' faces are drawn
        # with the host's IPA Gothic instead of empty squares.
        for face in 'MS UI Gothic' 'MS PGothic' 'ＭＳ Ｐゴシック'; do
            LC_ALL=C.UTF-8 wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" \
                /d IPAPGothic /f
        done; } >>"$log" 2>&1 </dev/null
fi
if [ "$1" = --start ]; then
    wineserver -p >>"$log" 2>&1 </dev/null || true
    exec wine cmd /c exit 0 >>"$log" 2>&1 </dev/null
fi
wineserver -p60 >>"$log" 2>&1 </dev/null || true
exec wine "$@"
