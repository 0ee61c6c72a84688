#!/usr/bin/env bash
# Runs a command with an X display: the current one, or a private Xvfb started for it.
set -euo pipefail
if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$@"
fi
display_number=$((90 + RANDOM % 100))
while [[ -e /tmp/.X${display_number}-lock ]]; do display_number=$((display_number + 1)); done
Xvfb ":${display_number}" -screen 0 1280x900x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true' EXIT
export DISPLAY=":${display_number}"
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
"$@"
