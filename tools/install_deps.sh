#!/usr/bin/env bash
# Installs the Debian packages that are missing for a goal: "build" (the game
# and its console), "test" (also the test and benchmark tools).
set -euo pipefail

build_packages=(cmake ninja-build g++ qt6-base-dev libgl-dev fonts-liberation fonts-comic-neue
                libx11-dev libsdl2-dev)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-utils
               desktop-file-utils appstream clang libclang-rt-14-dev time
               tesseract-ocr)

wanted=("${build_packages[@]}")
if [ "${1:-build}" = test ]; then wanted+=("${test_packages[@]}"); fi

missing=()
for p in "${wanted[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then as_root=(); elif command -v sudo >/dev/null; then as_root=(sudo); else
  echo "Missing packages and neither root nor sudo: ${missing[*]}" >&2; exit 1
fi
export DEBIAN_FRONTEND=noninteractive
"${as_root[@]}" apt-get update -qq
"${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
