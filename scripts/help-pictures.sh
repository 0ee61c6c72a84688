#!/usr/bin/env bash
# Retakes the screenshots of the help pages (data/Help/pictures/) from the real program on a copy
# of the example project: the canvas with its chains, a card's menu, the compile window, an
# editor, the main window with the outline and the cards' descriptions shown, the Statistics
# window over a history made for it, and the first two pages of a standard manuscript exported
# as PDF (needs pdftoppm). Usage: scripts/help-pictures.sh [program], by default
# build/Nodex/nodex (./run.sh builds it). Needs a display or Xvfb, xdotool and ImageMagick. The
# build never runs this script: its pictures are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" != --inner ]]; then
  program=$(realpath "${1:-build/Nodex/nodex}")
  exec scripts/with-display.sh "$0" --inner "$program"
fi
program="$2"
pictures="$PWD/data/Help/pictures"
work=$(mktemp -d)
# The program keeps its settings beside itself: the export starts from its defaults, and the
# writer's own settings are put back afterwards.
settings="$(dirname "$program")/Nodex.ini"
trap 'kill "${pid:-}" 2>/dev/null || true; [[ -f "$work/Nodex.ini" ]] && mv "$work/Nodex.ini" "$settings"; rm -rf "$work"' EXIT
[[ -f "$settings" ]] && mv "$settings" "$work/Nodex.ini"
export ASAN_OPTIONS="detect_leaks=0"
export XDG_DATA_HOME="$work/data"
cp -r "$(dirname "$program")/Examples/The Lighthouse Keeper" "$work/"
# Ninety days of writing up to today for the Statistics window, a few of them without any, and
# the goals it measures them against.
awk -v today="$(date +%s)" 'BEGIN {
  words = 2000
  for (ago = 89; ago >= 0; --ago) {
    if (ago % 11 == 6) continue
    added = 300 + (ago * 137) % 800 + (ago < 4 ? 600 : 0); removed = (ago * 53) % 160
    printf "%s\t%d\t%d\t%d\t%d\n", strftime("%Y-%m-%d", today - ago * 86400), words, added, removed, 20 + ago % 70
    words += added - removed
  }
}' >"$work/The Lighthouse Keeper/Writing History.txt"
printf '\n[Goals]\nDailyTarget=800\nSessionTarget=500\nDeadline=%s\n' "$(date -d '+75 days' +%F)" \
  >>"$work/The Lighthouse Keeper/The Lighthouse Keeper.nodex"

"$program" "$work/The Lighthouse Keeper/The Lighthouse Keeper.nodex" &
pid=$!
main=$(timeout 30 xdotool search --sync --onlyvisible --name '^Nodex ' | head -n 1)
sleep 2
eval "$(xdotool getwindowgeometry --shell "$main")"
# Card centres in window pixels: the card's Left and Top from its card file, half its icon, and
# the menu bar above the canvas.
menu=19
chapter1=($((X + 60 + 24)) $((Y + menu + 40 + 24)))
supplyBoat=($((X + 238 + 16)) $((Y + menu + 180 + 16)))

xdotool mousemove "${chapter1[@]}" click 1
sleep 1
import -window root "$work/selected.png"
xdotool click 3
sleep 1
import -window root "$work/menu.png"
xdotool key Escape
sleep 0.5

xdotool click 1 key F8
sleep 2
compile=$(xdotool search --onlyvisible --name 'Compilation' | head -n 1)
import -window root "$work/compile.png"
eval "$(xdotool getwindowgeometry --shell "$compile")"
xdotool mousemove $((X + WIDTH - 55)) $((Y + HEIGHT - 23)) click 1   # its Close button
sleep 1

xdotool mousemove "${supplyBoat[@]}" click --repeat 2 --delay 100 1
sleep 3
editor=$(xdotool search --onlyvisible --name '^Editing Nodex' | head -n 1)
import -window "$editor" "$work/editor.png"
xdotool key Escape
sleep 1

# The first chapter chosen, the cards showing their descriptions (View > Descriptions on Cards),
# and the outline beside the canvas (Ctrl+L), shown after the menu has closed so that nothing
# the menu covered waits to be drawn. Without a window manager nothing raises the main window
# over what the editor left: it is raised here.
xdotool windowraise "$main"
xdotool mousemove "${chapter1[@]}" click 1
sleep 0.5
xdotool key alt+v d
sleep 1
xdotool key ctrl+l
sleep 1.5
import -window "$main" "$work/outline.png"
# Both go again: the manuscript below clicks a card where it stands without the outline.
xdotool key ctrl+l alt+v d
sleep 1

# The scenes of the first chain as a standard manuscript: Ctrl+E, standard form, the title
# page's lines, then the file's name in the save dialog.
eval "$(xdotool getwindowgeometry --shell "$main")"
dusk=($((X + 68 + 16)) $((Y + menu + 180 + 16)))
xdotool mousemove "${dusk[@]}" click 1 key ctrl+e
sleep 3
xdotool key alt+s
xdotool key alt+a type "Ada Quill"
xdotool key alt+n type "Ada Quill"
xdotool key alt+d type "12 Quay Street"
xdotool key Return type "Portsmouth PO1 2AB"
xdotool key alt+e type "ada@example.org"
xdotool key Return
sleep 2
xdotool type "$work/manuscript.pdf"
xdotool key Return
sleep 5
xdotool key Return
pdftoppm -r 40 -f 1 -l 2 -png "$work/manuscript.pdf" "$work/page"

# The Statistics window (Ctrl+F9) over the last 90 days: the list of days has the keys.
xdotool windowfocus "$main" key ctrl+F9
sleep 2
statistics=$(xdotool search --onlyvisible --name '^Nodex Statistics$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$statistics")"
xdotool mousemove $((X + 60)) $((Y + HEIGHT - 22)) click 1   # the list of days, bottom left
sleep 1
xdotool key Down Return
sleep 1
import -window "$statistics" "$work/statistics.png"
xdotool key Escape

eval "$(xdotool getwindowgeometry --shell "$main")"
# small SOURCE PICTURE OPTIONS...: a few colours are enough for screenshots of plain windows.
small() {
  local source=$1 picture=$2
  shift 2
  convert "$source" "$@" -strip -colors 128 PNG8:"$pictures/$picture"
}
small "$work/selected.png" canvas.png -crop 660x380+"$X"+$((Y + menu)) +repage -resize 560x
small "$work/menu.png" card-menu.png -crop 330x260+$((X + 15))+$((Y + 50)) +repage
small "$work/editor.png" editor.png -resize 480x
small "$work/outline.png" outline.png -resize 640x
small "$work/statistics.png" statistics.png -resize 560x
# The compile window stands left of the main window: the desktop behind it is painted white.
small "$work/compile.png" compile.png -fill white -draw "rectangle 0,0 $((X - 1)),299" \
  -crop 600x620+20+$((Y + menu)) +repage -resize 400x
convert "$work"/page-*1.png "$work"/page-*2.png -bordercolor '#999999' -border 1 \
  -bordercolor white -border 8 +append -strip -colors 64 PNG8:"$pictures/manuscript.png"
echo "Took the help pictures into $pictures"
