#!/usr/bin/env bash
# Builds the Debian package, looks into it, unpacks it into a scratch root and runs the program
# from there on a copy of the example project: it must find its data beside it under share/nodex,
# keep its settings and backups in the user's XDG folders, and write nothing where it lies.
set -euo pipefail
command -v dpkg-deb >/dev/null || { echo "package: dpkg-deb is not installed, skipped"; exit 77; }
repo=$(cd "$(dirname "$0")/../.." && pwd)
# The program runs in a real window, never offscreen.
unset QT_QPA_PLATFORM
if [[ -z "${NODEX_PACKAGE_DISPLAY:-}" ]]; then
  NODEX_PACKAGE_DISPLAY=1 exec "$repo/scripts/with-display.sh" "$0" "$@"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"; [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null || true' EXIT
fail() { echo "package: $*"; exit 1; }

"$repo/scripts/package.sh" "$work/dist" >"$work/build.log" 2>&1 || { tail -n 40 "$work/build.log"; fail "scripts/package.sh failed"; }
version=$(sed -n 's/^project(Nodex VERSION \([0-9.]*\).*/\1/p' "$repo/CMakeLists.txt")
deb="$work/dist/nodex_${version}_amd64.deb"
[[ -f "$deb" ]] || fail "no $(basename "$deb") in $(ls "$work/dist")"

contents=$(dpkg-deb -c "$deb" | awk '{print $NF}')
for path in ./usr/bin/nodex ./usr/share/nodex/nodex.png ./usr/share/nodex/Themes/Midnight.ini \
  ./usr/share/nodex/Languages/German.ini ./usr/share/nodex/Help/index.html ./usr/share/nodex/Templates/ \
  ./usr/share/applications/nodex.desktop ./usr/share/mime/packages/nodex.xml \
  ./usr/share/icons/hicolor/256x256/apps/nodex.png ./usr/share/icons/hicolor/scalable/apps/nodex.svg \
  ./usr/share/icons/hicolor/scalable/mimetypes/application-x-nodex-project.svg \
  ./usr/share/icons/hicolor/scalable/mimetypes/application-x-nodex-card.svg; do
  grep -qxF "$path" <<<"$contents" || fail "$path is not in the package"
done
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libhunspell; do
  grep -q "$library" <<<"$depends" || fail "Depends names no $library: $depends"
done
recommends=$(dpkg-deb -f "$deb" Recommends)
for package in hunspell-en-gb mythes-en-us pandoc; do
  grep -q "$package" <<<"$recommends" || fail "Recommends names no $package: $recommends"
done
echo "package: $(basename "$deb") holds the program, its data, the desktop entry, file types and icons"

root="$work/root"
dpkg -x "$deb" "$root"
(cd "$root" && find . -printf '%p %s %T@\n' | sort) >"$work/root-before"
cp -r "$root/usr/share/nodex/Examples/The Lighthouse Keeper" "$work/"
project="$work/The Lighthouse Keeper/The Lighthouse Keeper.nodex"
# The Midnight theme's navy canvas (RGB 1B2238) shows that share/nodex/Themes was found.
sed -i 's/^Name=Book.ini/Name=Midnight.ini/' "$project"

# The state home is left to its default under the home folder.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data"
unset XDG_STATE_HOME
mkdir -p "$HOME"
"$root/usr/bin/nodex" "$project" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name 'The Lighthouse Keeper' | head -n 1)
caption=$(xdotool getwindowname "$window")
[[ "$caption" == "Nodex Midnight: 'The Lighthouse Keeper'" ]] || fail "caption \"$caption\""
eval "$(xdotool getwindowgeometry --shell "$window")"
canvas_colour() {
  import -window "$window" "$work/shot.png"
  convert "$work/shot.png" -format "%[hex:p{$((WIDTH - 150)),$((HEIGHT - 80))}]" info:
}
for _ in $(seq 40); do
  colour=$(canvas_colour)
  [[ "$colour" == 1B2238* ]] && break
  sleep 0.25
done
[[ "$colour" == 1B2238* ]] || fail "the canvas is $colour, not the Midnight theme's 1B2238"
echo "package: the unpacked program opened \"$caption\" in its theme from share/nodex"

# File > Exit through the keyboard, so that the program leaves as a writer's would.
xdotool mousemove $((X + 5)) $((Y + HEIGHT - 40)) click 1
sleep 0.5
xdotool key alt+f
sleep 0.5
xdotool key x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && fail "File > Exit did not end the program"
wait "$pid" || fail "the program ended with status $?"
pid=""

[[ -f "$XDG_CONFIG_HOME/nodex/Nodex.ini" ]] || fail "no Nodex.ini in \$XDG_CONFIG_HOME/nodex/"
backups=("$HOME/.local/state/nodex/Backups/Automatic/The Lighthouse Keeper ("*")/The Lighthouse Keeper ("*").zip")
[[ -f "${backups[0]}" ]] || fail "no automatic backup under ~/.local/state/nodex/Backups/"
[[ ! -e "$XDG_DATA_HOME/applications" ]] || fail "the packaged program registered a desktop entry of its own"
(cd "$root" && find . -printf '%p %s %T@\n' | sort) >"$work/root-after"
diff "$work/root-before" "$work/root-after" || fail "the program wrote beside itself"
echo "package: Nodex.ini in \$XDG_CONFIG_HOME/nodex, the backup in ~/.local/state/nodex, nothing beside the program"
