#!/usr/bin/env bash
# Makes the Debian package kalmorvaty_<version>_<arch>.deb of the program built in ./build (or
# $KV_BUILD_DIR) and checks it: the AppStream metadata with appstreamcli, the package with lintian,
# which fails it on any error or warning not explained in debian/kalmorvaty.lintian-overrides.
#   bash tools/package.sh [--no-build] [FOLDER]
# The package and the packaging tools' work are left in FOLDER (default: build/package).
# --no-build packages what the build folder holds without building it first (the package test,
# which runs while the other tests use the build folder).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${KV_BUILD_DIR:-$root/build}
build_first=1
if [ "${1:-}" = --no-build ]; then
  build_first=0
  shift
fi
out=${1:-$build/package}

bash "$root/tools/deps.sh"
if [ "$build_first" = 1 ]; then
  KV_BUILD_DIR=$build bash "$root/tools/build.sh"
fi

version=$(sed -n 's/^project(Kalmorvaty VERSION \([^ )]*\).*/\1/p' "$root/CMakeLists.txt")
packaged=$(dpkg-parsechangelog -l "$root/debian/changelog" -S Version)
if [ "$version" != "$packaged" ]; then
  echo "The program is at version $version, debian/changelog at $packaged: add an entry for $version" \
       "(dch -v $version)." >&2
  exit 1
fi

# dpkg-buildpackage works in the source folder it is started in and leaves its results beside it:
# it is given a copy of debian/ in FOLDER, so the source tree stays as it is.
build=$(cd "$build" && pwd)
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$out/kalmorvaty-$version
rm -rf "$work"
mkdir "$work"
cp -r "$root/debian" "$work/"
(cd "$work" && KV_BUILD_DIR=$build dpkg-buildpackage --build=binary --no-sign)

deb=$out/kalmorvaty_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb
appstreamcli validate --no-net "$work"/debian/kalmorvaty/usr/share/metainfo/*.metainfo.xml
lintian --fail-on error,warning "$deb"
echo "$deb"
