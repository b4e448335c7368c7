#!/usr/bin/env bash
# Renders the application icon into the PNG sizes of the hicolor icon theme
# and copies it as the theme's scalable icon. Run it after changing
# images/veltrano.svg and commit the results; tst_resources fails while the
# copies are out of date. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"
for n in 16 22 24 32 48 64 128 256; do
    mkdir -p "icons/hicolor/${n}x${n}/apps"
    rsvg-convert -w "$n" -h "$n" images/veltrano.svg -o "icons/hicolor/${n}x${n}/apps/org.example.Veltrano.png"
done
mkdir -p icons/hicolor/scalable/apps
cp images/veltrano.svg icons/hicolor/scalable/apps/org.example.Veltrano.svg
