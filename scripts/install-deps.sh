#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Nodex need, only those missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6charts6
  # Qt Charts' CMake files look for the OpenGL module's, which Debian 12 ships apart.
  libqt6opengl6-dev
  libhunspell-dev hunspell-en-gb hunspell-en-us libmythes-dev mythes-en-us libjpeg-dev zlib1g-dev
  libwmf-dev libwmf-bin fonts-urw-base35 libemf2svg-dev emf2svg
  fonts-dejavu-core fonts-liberation2 fonts-crosextra-carlito fonts-crosextra-caladea
  libgtest-dev googletest libbenchmark-dev
  fonts-wqy-microhei fonts-symbola pandoc
  xvfb xauth x11-utils xdotool imagemagick poppler-utils
  unzip zip python3
  dpkg-dev file
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y --no-install-recommends "${missing[@]}"
