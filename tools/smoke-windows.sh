#!/usr/bin/env bash
# parvelin.exe driven under Wine as a clerk drives it, on the X server of DISPLAY: the window
# opens, a sample opens through the Open dialog, the print preview draws the page, and Save
# writes a file that the Linux build opens to the same record. Screenshots of the form and the
# preview are left in build-windows/screenshots. Run from tools/test-windows.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
linux_cli=${LINUX_CLI:-build/cli/parvelin-cli}
shots=build-windows/screenshots
mkdir -p "$shots"
work=$(mktemp -d)
cp tests/data/samples/000.zbdw "$work/"
# An hour old, so that the file Save writes is told from it by its time.
touch -d '1 hour ago' "$work/000.zbdw"
before=$(stat -c %Y "$work/000.zbdw")
tools/wine-run.sh build-windows/Parvelin/parvelin.exe &
program=$!
trap 'kill "$program" 2>/dev/null; rm -rf "$work"' EXIT

# The id of the first window whose name has TEXT, waited for up to a minute.
window_named() {
  for _ in $(seq 120); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1) && [ -n "$id" ] &&
      echo "$id" && return
    sleep 0.5
  done
  echo "FAIL: no window named $1" >&2
  return 1
}
keys_to() {
  for _ in $(seq 20); do
    xdotool windowfocus "$1" 2>/dev/null && break
    sleep 0.5
  done
  sleep 0.5
  shift
  xdotool key "$@"
}

form=$(window_named '因公护照申请表录入')
sleep 2
import -window root "$shots/form.png"
keys_to "$form" ctrl+o
sleep 3
xdotool type --delay 20 "Z:$work/000.zbdw"
xdotool key Return
window_named '000.zbdw' >/dev/null
keys_to "$form" ctrl+shift+p
preview=$(window_named '(预览)')
sleep 3
import -window root "$shots/preview.png"
keys_to "$preview" Escape
sleep 2
keys_to "$form" ctrl+e ctrl+s
for _ in $(seq 60); do
  [ "$(stat -c %Y "$work/000.zbdw")" != "$before" ] && break
  sleep 0.5
done
[ "$(stat -c %Y "$work/000.zbdw")" != "$before" ] || { echo "FAIL: Save wrote nothing"; exit 1; }
"$linux_cli" open "$work/000.zbdw" | cmp -s - tests/data/samples/000.record ||
  { echo "FAIL: the file saved on Windows does not open on Linux to the same record"; exit 1; }
echo "parvelin.exe: window, Open, preview and Save work under Wine (screenshots in $shots)"
