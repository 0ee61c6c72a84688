#!/usr/bin/env bash
# Starts Nodex on the current display, waits for its window, saves a screenshot, and closes it.
set -euo pipefail
program="$1"; project="$2"; output="$3"
"$program" "$project" &
pid=$!
trap 'kill "$pid" 2>/dev/null || true' EXIT
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Nodex ' | head -n 1)
sleep 1
import -window "$window" "$output"
