#!/bin/sh
# Usage: check_runpath.sh CMAKE BUILD_DIR. Installs the build into a scratch prefix (as the package
# holds it) and reads every RPATH/RUNPATH with readelf.
d=$(mktemp -d) && trap 'rm -rf "$d"' EXIT && "$1" --install "$2" --prefix "$d" >/dev/null || exit 1
if readelf -d "$d/bin/kirune" | grep -E 'R(UN)?PATH'; then echo "FAIL: installed kirune"; exit 1; fi
for f in $(find "$2" -type f -perm -u+x); do
    readelf -d "$f" 2>/dev/null | sed -n 's/.*R\(UN\)\{0,1\}PATH.*\[\(.*\)\]$/\2/p' | tr : '\n' |
        grep -v -E '^(/|\$ORIGIN)' && { echo "FAIL: $f"; exit 1; }
done
exit 0
