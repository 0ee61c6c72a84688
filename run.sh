#!/usr/bin/env bash
# Installs what is missing, builds Nodex, and starts it with the given project or a copy of the
# example project. Without a display it saves a screenshot to build/screenshot.png and exits.
set -euo pipefail
cd "$(dirname "$0")"

scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODEX_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"

program=build/Nodex/nodex
if [[ $# -gt 0 ]]; then
  project="$1"
else
  rm -rf build/Example
  mkdir -p build/Example
  cp -r "build/Nodex/Examples/The Lighthouse Keeper" build/Example/
  project="$PWD/build/Example/The Lighthouse Keeper/The Lighthouse Keeper.nodex"
fi

if [[ -n "${DISPLAY:-}" ]] && xdpyinfo >/dev/null 2>&1; then
  exec "$program" "$project"
fi

echo "No display: starting Nodex under Xvfb for a screenshot"
scripts/with-display.sh scripts/screenshot.sh "$program" "$project" build/screenshot.png
echo "Screenshot saved to build/screenshot.png"
