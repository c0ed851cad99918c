#!/usr/bin/env bash
# Renders the application icon at the sizes the program and the desktop use. The two smallest
# come from a simpler drawing that stays readable at a handful of pixels.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
for size in 16 24; do
    rsvg-convert -w "$size" -h "$size" "$here/tageditor-small.svg" -o "$here/tageditor-$size.png"
done
for size in 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$here/tageditor.svg" -o "$here/tageditor-$size.png"
done
