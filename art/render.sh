#!/bin/sh
# Regenerates every picture derived from the SVG sources beside this script:
#   src/canvas/resources/   built-in card icons (PNG) and the new-card icon
#   src/app/resources/      the three splash pictures
#   src/settings/resources/ the about box's picture
#   data/                   nodex.png, project.ico, nodex.ico
#   data/Themes/            the icon folders of the Book and Midnight themes
#   art/contact-sheet.png   every card icon at its own size, on white and on the Midnight canvas
# Needs rsvg-convert (Debian package librsvg2-bin), ImageMagick, and the fonts named in the
# SVGs: DejaVu Sans, Carlito and Caladea (fonts-crosextra-carlito, fonts-crosextra-caladea).
# The build never runs this script: its outputs are kept in the repository.
set -eu

art=$(cd "$(dirname "$0")" && pwd)
repo=$(dirname "$art")
cards="$repo/src/canvas/resources"
splash="$repo/src/app/resources"
data="$repo/data"
bookIcons="$data/Themes/Book Icons"
midnightIcons="$data/Themes/Midnight Icons"

command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
if command -v magick >/dev/null; then im=magick; else im=convert; fi
for font in "DejaVu Sans" Carlito Caladea; do
  fc-list : family | grep -qx "$font" || { echo "font '$font' is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# svg SOURCE OUTPUT [SIZE]: renders at the size the SVG declares, or at SIZE x SIZE.
svg() {
  if [ $# -eq 3 ]; then rsvg-convert -w "$3" -h "$3" "$1" -o "$2"; else rsvg-convert "$1" -o "$2"; fi
}
# ico OUTPUT PNG...: packs the PNGs into one icon file, 32-bit with alpha.
ico() {
  out=$1; shift
  "$im" "$@" "$out.tmp.ico"
  mv "$out.tmp.ico" "$out"
}

mkdir -p "$cards" "$splash" "$bookIcons" "$midnightIcons"

# Built-in card icons and the Book theme's icons: one drawing serves both.
# source name : built-in PNG : Book theme icon
while IFS=: read -r source builtin themed; do
  svg "$art/book/$source.svg" "$cards/$builtin"
  ico "$bookIcons/$themed" "$cards/$builtin"
done <<'LIST'
compilation:Compilation.png:Compilation.ico
chapter:Book00.png:Chapter.ico
scene:Book01.png:Scene.ico
male:Book02.png:Male Character.ico
female:Book03.png:Female Character.ico
dialogue:Book04.png:Dialogue.ico
plot:Book05.png:Plot Outline.ico
note:Book06.png:Note.ico
project-notes:Book07.png:Project Notes.ico
spare-a:Book08.png:Type A.ico
spare-b:Book09.png:Type B.ico
spare-c:Book10.png:Type C.ico
spare-d:Book11.png:Type D.ico
LIST
svg "$art/book/new-card.svg" "$cards/NewNodex.png" 32

# The Midnight theme's icons.
while IFS=: read -r source themed; do
  svg "$art/midnight/$source.svg" "$work/midnight-$source.png"
  ico "$midnightIcons/$themed" "$work/midnight-$source.png"
done <<'LIST'
compilation:Compilation.ico
chapter:Chapter.ico
scene:Scene.ico
male:Male Character.ico
female:Female Character.ico
dialogue:Dialogue.ico
plot:Plot Outline.ico
note:Note.ico
project-notes:Project Notes.ico
location:Location.ico
research:Research.ico
timeline:Timeline.ico
motif:Motif.ico
LIST

# Splash pictures.
svg "$art/splash/splash.svg" "$splash/Splash.png"
svg "$art/splash/logo1.svg" "$splash/Logo1.png"
svg "$art/splash/logo2.svg" "$splash/Logo2.png"

# The about box's picture: its version and notice are labels drawn over it.
svg "$art/about/about.svg" "$repo/src/settings/resources/About.png"

# Application icon and the two file-type icons (16 pixels has its own drawing).
svg "$art/app/nodex-app.svg" "$data/nodex.png"
for name in project card; do
  svg "$art/app/$name-16.svg" "$work/$name-16.png"
  for size in 32 48 256; do svg "$art/app/$name.svg" "$work/$name-$size.png" "$size"; done
done
ico "$data/project.ico" "$work/project-16.png" "$work/project-32.png" "$work/project-48.png" "$work/project-256.png"
ico "$data/nodex.ico" "$work/card-16.png" "$work/card-32.png" "$work/card-48.png" "$work/card-256.png"

# Contact sheet: each icon at 1x in a 56-pixel cell; rows: built-in on white, built-in on the
# Midnight canvas, Midnight on its canvas, Midnight on white.
row() {
  background=$1; out=$2; shift 2
  "$im" "$@" -background none -gravity center -extent 56x56 +append \
    -background "$background" -alpha remove -alpha off +repage -gravity west -extent 784x56 "$out"
}
set -- "$cards/Compilation.png" "$cards/Book00.png" "$cards/Book01.png" "$cards/Book02.png" \
  "$cards/Book03.png" "$cards/Book04.png" "$cards/Book05.png" "$cards/Book06.png" "$cards/Book07.png" \
  "$cards/Book08.png" "$cards/Book09.png" "$cards/Book10.png" "$cards/Book11.png" "$cards/NewNodex.png"
row white "$work/row1.png" "$@"
row "#1B2238" "$work/row2.png" "$@"
set --
for source in compilation chapter scene male female dialogue plot note project-notes location research timeline motif; do
  set -- "$@" "$work/midnight-$source.png"
done
row "#1B2238" "$work/row3.png" "$@"
row white "$work/row4.png" "$@"
"$im" "$work/row1.png" "$work/row2.png" "$work/row3.png" "$work/row4.png" -background white -append +repage \
  -define png:exclude-chunks=date,time "$art/contact-sheet.png"

echo "Rendered the card icons, theme icons, splash pictures and application icons."
