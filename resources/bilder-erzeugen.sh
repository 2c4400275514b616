#!/bin/sh
# Renders the SVG sources in resources/bilder/ to the PNG files that orvask.qrc compiles in.
# A tool for the developer only (needs rsvg-convert from the Debian package librsvg2-bin);
# the build uses the committed PNG files and needs no SVG support.
set -e
cd "$(dirname "$0")/bilder"

png() { # quelle breite hoehe ziel
    rsvg-convert --width "$2" --height "$3" --format png --output "$4" "$1"
}

for name in hilfe beenden wiederherstellen archivieren neu aendern loeschen stundenplan vertretungsplan exportieren; do
    png "$name.svg" 24 24 "$name.png"
    png "$name.svg" 48 48 "$name@2x.png"
done

for groesse in 16 24 32 48 64 128 256; do
    png programm.svg "$groesse" "$groesse" "programm-$groesse.png"
done

png startbild.svg 400 300 startbild.png
png startbild.svg 800 600 startbild@2x.png
