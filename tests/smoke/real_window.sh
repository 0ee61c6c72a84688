#!/usr/bin/env bash
# Starts the real program in a real window and reads its caption back: once without a project
# and once with a copy of the example project; then presses F1 and waits for the help window.
set -euo pipefail
program="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"; [[ -n "${pid:-}" ]] && kill "$pid" 2>/dev/null || true' EXIT
export ASAN_OPTIONS="detect_leaks=0"
# The program registers its file types with the desktop: here, in a folder of the test's own.
export XDG_DATA_HOME="$work/data"

caption_of() {
  "$program" "$@" &
  pid=$!
  local window
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Nodex ' | head -n 1)
  xdotool getwindowname "$window"
  kill "$pid"; wait "$pid" 2>/dev/null || true
  pid=""
}

check() {
  local expected="$1"; shift
  local actual
  actual=$(caption_of "$@")
  if [[ "$actual" != "$expected" ]]; then
    echo "real window: expected caption \"$expected\", got \"$actual\""
    exit 1
  fi
  echo "real window: \"$actual\""
}

check "Nodex Book: 'unnamed'"
cp -r "$(dirname "$program")/Examples/The Lighthouse Keeper" "$work/"
check "Nodex Book: 'The Lighthouse Keeper'" "$work/The Lighthouse Keeper/The Lighthouse Keeper.nodex"
# F1 reaches the help window through the real desktop, on the pages staged beside the program.
"$program" &
pid=$!
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Nodex ' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 0.5
xdotool key F1
if ! timeout 20 xdotool search --sync --onlyvisible --name '^Nodex Help$' >/dev/null; then
  echo "real window: F1 opened no help window"
  exit 1
fi
echo "real window: F1 opened \"Nodex Help\""
# File > Exit ends the program, help window and all.
xdotool windowfocus --sync "$window" key alt+f
sleep 0.5
xdotool key x
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then
  echo "real window: File > Exit left the program running beside its help window"
  exit 1
fi
pid=""
echo "real window: File > Exit ended the program and closed its help"
echo "1 passed, 0 failed"
