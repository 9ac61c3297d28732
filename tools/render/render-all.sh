#!/bin/sh
# Renders every page of the three report layouts over sample data into DIR (default
# build/render), one folder per layout, with the text form of each page beside its picture.
# Usage: tools/render/render-all.sh [DIR]   (run from the source folder after building
# kalmorvaty-render in build/)
set -e
out=${1:-build/render}
bin=${KV_RENDER:-build/bin/kalmorvaty-render}
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
rm -rf "$out"
"$bin" Objednavka --text --out "$out/Objednavka"
"$bin" Objednavka --no-logo --text --out "$out/Objednavka-bez-loga"
"$bin" SeznamObjednavek --orders 25 --text --out "$out/SeznamObjednavek"
"$bin" SeznamDodavatelu --suppliers 24 --text --out "$out/SeznamDodavatelu"
