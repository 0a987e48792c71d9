#!/usr/bin/env bash
# Configures build folder DIR with the given CMake flags, unless it was last
# configured with exactly these. Changed flags start from a fresh cache, so a
# flag taken out of CMAKE_FLAGS is gone too instead of lingering in the cache.
#   tools/configure.sh DIR [CMAKE-FLAG...]
set -euo pipefail
dir=${1:?usage: configure.sh DIR [CMAKE-FLAG...]}
shift
stamp="$dir/make-flags"
wanted=$(printf '%s\n' "$@")

if [ -f "$dir/build.ninja" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$wanted" ]; then
  exit 0
fi
fresh=()
if [ -f "$dir/CMakeCache.txt" ]; then
  echo "configure.sh: $dir was configured with other flags; configuring it afresh"
  fresh=(--fresh)
fi
rm -f "$stamp"
cmake "${fresh[@]}" -S . -B "$dir" -G Ninja "$@"
printf '%s\n' "$wanted" >"$stamp"
