#!/usr/bin/env bash
# Builds the Debian package of the programs: a Release build with Debian's hardening flags, then
# CPack's DEB generator in the same folder. The package's path is printed last.
# usage: tools/build-package.sh [BUILD-FOLDER [JOBS [CMAKE-ARGUMENTS...]]]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-package}
jobs=${2:-$(nproc)}
shift $(($# < 2 ? $# : 2))

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags=$(dpkg-buildflags --get LDFLAGS)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DPARVELIN_BUILD_TESTS=OFF \
  -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" "$@"
cmake --build "$build" -j "$jobs"
rm -f "$build"/parvelin_*.deb
(cd "$build" && cpack -G DEB)
realpath "$build"/parvelin_*.deb
