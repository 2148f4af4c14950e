#!/usr/bin/env bash
# CI's Wine leg: the Windows programs built (make windows) and tried under Wine on a virtual X
# server of their own: the core's tests and the command-line tool's shell tests (ctest in the cross
# build), the same bytes as the Linux build for every sample (tools/compare-windows.sh), and the
# desktop program driven as a clerk would (tools/smoke-windows.sh). Skipped, and said, where the
# prebuilt Windows Qt is not beside the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
toolchains=${PARVELIN_TOOLCHAINS:-$PWD/../shared/toolchains}
if [ ! -f "$toolchains/qt6.4.2-mingw-w64-x86_64.tar.xz" ]; then
  echo "Wine leg skipped: no Windows Qt in $toolchains (see its build-qt-mingw.sh)."
  exit 0
fi
start=$(date +%s)
jobs=${1:-$(nproc)}
make windows JOBS="$jobs"
# A Wine prefix of the leg's own, made afresh without network installers.
export WINEPREFIX=${WINEPREFIX:-$PWD/build-windows/wineprefix}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
fi
# Every Wine program of the leg on one display: the prefix's Wine server, once started, keeps
# the display it was started on, so one left from an earlier run is ended first.
wineserver -k 2>/dev/null || true
xvfb-run -a -s '-screen 0 1600x1000x24' bash -c "
  set -e
  (cd build-windows/build && ctest --output-on-failure -j $jobs -L windows)
  bash tools/compare-windows.sh
  bash tools/smoke-windows.sh
  wineserver -k || true"
echo "Wine leg passed in $(($(date +%s) - start)) s"
