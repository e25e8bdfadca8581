#!/bin/sh
# Regenerates the pictures of docs/guide.md from the demo, with the release
# build (./run demo, or cmake --preset release && cmake --build --preset
# release --target vantor): the three windows as drawn on screen, a copied
# picture drawn back through the PICT reader, and the printed report page
# (pdftoppm, from poppler-utils).
set -e
cd "$(dirname "$0")/.."
out=docs/guide
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir -p "$out"
build/release/bin/vantor demo --out "$tmp" >/dev/null
cp "$tmp/data.png" "$tmp/loop.png" "$tmp/report.png" "$tmp/loop-picture.png" "$out/"
pdftoppm -r 72 -png -singlefile "$tmp/report.pdf" "$out/report-page"
