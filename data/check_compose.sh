#!/usr/bin/env bash
# Installs the build as a distribution would (prefix /usr, staged in a scratch
# root) and builds the software-centre catalogue from it: appstreamcli fails
# when the launcher named by the AppStream entry or its icon is missing.
set -euo pipefail
BUILD=${1:?usage: check_compose.sh BUILD_DIR WORK_DIR APP_ID}
WORK=${2:?}
APP_ID=${3:?}

rm -rf "$WORK"
DESTDIR="$WORK/root" cmake --install "$BUILD" --prefix /usr >/dev/null
appstreamcli compose --no-net --no-color --print-report=full --origin=quondra \
  --result-root="$WORK/out" "$WORK/root"

catalogue="$WORK/out/usr/share/swcatalog/xml/quondra.xml.gz"
zgrep -q "<id>$APP_ID</id>" "$catalogue" || { echo "FAIL: $APP_ID not in the catalogue" >&2; exit 1; }
# The software centre shows the cached copies, drawn from the theme's icons.
for size in 64x64 128x128; do
  [ -s "$WORK/out/usr/share/swcatalog/icons/quondra/$size/$APP_ID.png" ] ||
    { echo "FAIL: no $size icon in the catalogue" >&2; exit 1; }
done
echo "catalogue composed with $APP_ID and its icons"
