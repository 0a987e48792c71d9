#!/usr/bin/env bash
# Installs the Debian packages that are missing for a goal: "build" (the game
# and its console), "deb" (also the packaging tools), "test" (also the test
# and benchmark tools; the tests build the package too).
set -euo pipefail

build_packages=(cmake ninja-build g++ qt6-base-dev libgl-dev libx11-dev libsdl2-dev
                fonts-liberation fonts-comic-neue)
deb_packages=(dpkg-dev debhelper lintian)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool imagemagick x11-utils
               desktop-file-utils appstream appstream-compose clang libclang-rt-14-dev time
               tesseract-ocr openbox jq)
# The Wayland runs: a headless sway, its keyboard and screenshots, a second
# client to take the focus, and Qt's Wayland platform.
test_packages+=(sway wtype grim foot qt6-wayland)
# The GNOME run: a headless mutter with XWayland in its own D-Bus session,
# its screen cast through PipeWire and GStreamer, its remote desktop from Python.
test_packages+=(mutter xwayland dbus pipewire wireplumber gstreamer1.0-pipewire gstreamer1.0-tools
                gstreamer1.0-plugins-base gir1.2-gstreamer-1.0 python3-gi libglib2.0-bin)
# Start-up is measured in instructions (bench/first_frame_instructions.sh).
test_packages+=(valgrind)
# make test builds the game several times over; the cache shares the work.
test_packages+=(ccache)

wanted=("${build_packages[@]}")
case "${1:-build}" in
  build) ;;
  deb) wanted+=("${deb_packages[@]}") ;;
  test) wanted+=("${deb_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: install_deps.sh [build|deb|test]" >&2; exit 2 ;;
esac

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
