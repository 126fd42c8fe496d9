#!/bin/sh
# The committed raster icons must be what data/icons/render.sh makes of the
# current kirune.svg: a drawing changed without re-rendering fails here.
# Pixels are compared with a small tolerance, since another version of
# librsvg may antialias a little differently. Exit status 77 (skipped)
# when the rendering tools are not installed.
# Usage: check_icons_current.sh ICONS_DIR APP_ID
set -eu

icons=$1
app_id=$2
for tool in rsvg-convert convert compare; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sh "$icons/render.sh" "$work"

status=0
# Each image of the .ico on its own: compare takes only single images.
for file in $(cd "$work" && find . -name '*.png' | sort) \
    'kirune.ico[0]' 'kirune.ico[1]' 'kirune.ico[2]' 'kirune.ico[3]'; do
    # compare prints the number of differing pixels; it exits 1 when they differ.
    differing=$(compare -metric AE -fuzz 8% "$icons/$file" "$work/$file" null: 2>&1) || true
    if [ "$differing" != 0 ]; then
        echo "FAIL: $file differs from a fresh rendering of kirune.svg ($differing pixels)"
        status=1
    fi
done
[ -e "$work/hicolor/256x256/apps/$app_id.png" ] || { echo "FAIL: render.sh made no $app_id.png"; status=1; }
exit $status
