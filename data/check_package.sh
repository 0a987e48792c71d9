#!/usr/bin/env bash
# Unpacks the Debian package into a scratch folder, checks that it holds the
# game, its manual page, launcher, icons and AppStream file, and starts the
# unpacked game until its window shows.
#   data/check_package.sh PACKAGE_DIR VERSION APP_ID
set -euo pipefail
dir=${1:?usage: check_package.sh PACKAGE_DIR VERSION APP_ID}
version=${2:?}
app_id=${3:?}
here=$(dirname "$0")

shopt -s nullglob
debs=("$dir"/quondra_"$version"_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "FAIL: no single quondra_${version}_ARCH.deb in $dir (make deb builds it)" >&2; exit 1; }
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "${debs[0]}" "$root"

expected=(usr/games/quondra usr/share/man/man6/quondra.6.gz
          "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml"
          "usr/share/icons/hicolor/scalable/apps/$app_id.svg")
for size in 16 24 32 48 64 128 256; do
  expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
missing=()
for file in "${expected[@]}"; do [ -s "$root/$file" ] || missing+=("$file"); done
[ ${#missing[@]} -eq 0 ] || { echo "FAIL: not in ${debs[0]}: ${missing[*]}" >&2; exit 1; }
echo "${debs[0]} holds all ${#expected[@]} files"

"$here/window_shows.sh" "$root/usr/games/quondra" "$root/usr/share/applications/$app_id.desktop"
