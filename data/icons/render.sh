#!/bin/sh
# Renders every raster icon from kirune.svg. The output is kept in the
# repository so that building Kirune needs no SVG tools; run this again
# (it needs rsvg-convert from librsvg2-bin and ImageMagick's convert)
# whenever the drawing changes, and commit what it writes. With a directory
# as its argument it writes there instead.
set -eu

app_id=io.github.kirune.Kirune
here=$(cd "$(dirname "$0")" && pwd)
source_svg="$here/kirune.svg"
out=${1:-$here}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 16 32 48 64 128 256; do
    dir="$out/hicolor/${size}x${size}/apps"
    mkdir -p "$dir"
    rsvg-convert --width "$size" --height "$size" --format png \
        --output "$work/$size.png" "$source_svg"
    # -strip drops the time stamps ImageMagick would add, so that an
    # unchanged drawing renders to byte-identical files.
    convert "$work/$size.png" -strip "PNG32:$dir/$app_id.png"
done

# The window icon as raw pixels, 8-bit RGBA, not premultiplied, the 16, 32, 48 and 64 pixel
# images one after the other: the program builds its QImages straight from these bytes, since
# any QImageReader, even one told the format, makes Qt open every image-format plugin at
# start-up. Larger sizes are not sent as a window icon; launchers use the theme icons.
for size in 16 32 48 64; do
    convert "$work/$size.png" -depth 8 "RGBA:$work/$size.rgba"
done
cat "$work/16.rgba" "$work/32.rgba" "$work/48.rgba" "$work/64.rgba" >"$out/window-icon.rgba"

# The 16-colour 32 x 32 icon. The drawing has only a few flat colours, so
# the reduction keeps every one of them and merely merges the shades of
# antialiased edges; without dithering the key cells stay flat.
convert "$work/32.png" -strip +dither -colors 16 "PNG8:$out/kirune-32-16colors.png"

# The Windows application icon, from the same image.
convert "$work/16.png" "$work/32.png" "$work/48.png" "$work/256.png" \
    -strip "$out/kirune.ico"
