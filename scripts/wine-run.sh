#!/bin/sh
# Runs a Windows program under Wine in a prefix of its own:
#   scripts/wine-run.sh PREFIX PROGRAM.exe [ARG...]
# A missing prefix is made first (some 15 s). The Wine server is started here, apart, with its
# output to a file and kept for a minute: started by the program instead, it and Wine's helper
# processes would inherit the caller's output pipes and keep CTest waiting.
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
        done; } >>"$log" 2>&1 </dev/null
fi
wineserver -p60 >>"$log" 2>&1 </dev/null || true
exec wine "$@"
