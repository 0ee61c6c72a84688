#!/usr/bin/env bash
# Builds the installed program (Release) in build-package/ and writes nodex_<version>_amd64.deb
# into the given folder: the program in /usr/bin, its data in /usr/share/nodex, the desktop
# entry, the file types and their icons for every user.
set -euo pipefail
[[ $# -eq 1 ]] || { echo "usage: $0 OUTDIR" >&2; exit 2; }
mkdir -p "$1"
outdir=$(cd "$1" && pwd)
cd "$(dirname "$0")/.."

scripts/install-deps.sh
build=build-package
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNODEX_PACKAGED=ON -DNODEX_TESTS=OFF -DNODEX_BENCH=OFF \
  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -rf "$build/packages"
(cd "$build" && cpack -G DEB --config CPackConfig.cmake >/dev/null)
cp "$build"/packages/nodex_*_amd64.deb "$outdir/"
ls "$outdir"/nodex_*_amd64.deb
