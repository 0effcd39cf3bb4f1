#!/bin/bash
# Renders images/src/*.svg into the PNGs and AppIcon.ico under images/, and the application icon
# into the desktop's icon theme sizes under desktop/icons/.
# Run by hand after changing a source; the outputs are committed.
# Needs the Debian packages librsvg2-bin (rsvg-convert) and icoutils (icotool).
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
src=$here/images/src
out=$here/images

render() { # svg size png
    rsvg-convert --width "$2" --height "$2" --output "$3" "$1"
}

for svg in "$src"/*.svg; do
    name=$(basename "$svg" .svg)
    case $name in
    AppIcon) continue ;;
    Help_Panel_New_Logo) size=96 ;;
    *) size=16 ;;
    esac
    render "$svg" "$size" "$out/$name.png"
    render "$svg" $((size * 2)) "$out/$name@2x.png"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sizes=()
for size in 16 24 32 48 64 128; do
    render "$src/AppIcon.svg" "$size" "$tmp/$size.png"
    sizes+=("$tmp/$size.png")
done
# The 256 px entry stays PNG-compressed, as Windows expects; the others are bitmaps.
render "$src/AppIcon.svg" 256 "$tmp/256.png"
icotool --create --output "$out/AppIcon.ico" "${sizes[@]}" --raw="$tmp/256.png"

# The installed console's icon in the sizes of the desktop's icon theme.
for size in 16 24 32 48 64 128 256; do
    mkdir -p "$here/desktop/icons/${size}x${size}"
    render "$src/AppIcon.svg" "$size" "$here/desktop/icons/${size}x${size}/zoxen-console.png"
done
