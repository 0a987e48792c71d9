#!/usr/bin/env bash
# Builds the Debian package with Debian's own tools and checks it with lintian.
#   tools/make_deb.sh OUT_DIR [JOBS]
# dpkg-buildpackage writes next to the source folder, so the build runs in a
# copy of the tree inside OUT_DIR: the package lands there and the worktree
# stays clean. The copy's compiled tree (obj-*) is kept between runs.
set -euo pipefail
out=${1:?usage: make_deb.sh OUT_DIR [JOBS]}
jobs=${2:-$(nproc)}
out=$(realpath -m "$out")
cd "$(dirname "$0")/.."

version=$(dpkg-parsechangelog -S Version)
arch=$(dpkg-architecture -qDEB_HOST_ARCH)
mkdir -p "$out"
src="$out/quondra-$version"
mkdir -p "$src"
find "$src" -mindepth 1 -maxdepth 1 ! -name 'obj-*' -exec rm -rf {} +
inside=$(realpath -m --relative-to=. "$out")
tar -cf - --exclude='./build*' --exclude=./.git --exclude="./$inside" . | tar -xf - -C "$src"
rm -f "$out"/quondra_"$version"_* "$out"/quondra-dbgsym_"$version"_*

# A compiler cache, where there is one, serves the package build too.
if command -v ccache >/dev/null; then export CMAKE_CXX_COMPILER_LAUNCHER=ccache; fi
(cd "$src" && dpkg-buildpackage -b -us -uc -nc -j"$jobs")

deb="$out/quondra_${version}_${arch}.deb"
echo "lintian $deb"
lintian --fail-on error,warning --display-info "$deb"
echo "built $deb"
