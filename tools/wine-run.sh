#!/usr/bin/env bash
# Runs a program of the Windows build under Wine, with the Windows Qt's DLLs (and the mingw
# runtime beside them) on its search path: ctest's emulator in build-windows, and the CLI's shell
# tests' program. WINEPREFIX must be set; Wine's own chatter is kept off standard error.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
qt=${PARVELIN_WINDOWS_QT:-$here/build-windows/qt6.4.2-mingw-w64-x86_64}
export WINEPATH="$(winepath -w "$qt/bin" 2>/dev/null)${WINEPATH:+;$WINEPATH}"
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
exec wine "$@"
