#!/usr/bin/env bash
# cmake --install into a scratch prefix: programs, desktop entry and icon where desktops look.
build=$1
# shellcheck source=tests/cli/support.sh
source "$(dirname "$0")/support.sh"
prefix=$work/prefix

expect_status 0 "install" cmake --install "$build" --prefix "$prefix"
for program in parvelin parvelin-cli; do
  [ -x "$prefix/bin/$program" ] || fail "bin/$program missing"
done
entry=$prefix/share/applications/parvelin.desktop
[ -f "$entry" ] || fail "desktop entry missing"
grep -qx 'Exec=parvelin' "$entry" || fail "desktop entry: Exec"
grep -qx 'Icon=parvelin' "$entry" || fail "desktop entry: Icon"
icon=$prefix/share/icons/hicolor/64x64/apps/parvelin.png
[ "$(head -c 4 "$icon" 2>/dev/null | tail -c 3)" = "PNG" ] || fail "icon missing"
# IHDR: the icon is 64 by 64 pixels.
[ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "0000004000000040" ] || fail "icon: not 64x64"

# The installed tool runs from its own folder.
expect_status 0 "installed tool" "$prefix/bin/parvelin-cli" --help

finish "install checks passed"
