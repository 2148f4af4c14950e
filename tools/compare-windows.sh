#!/usr/bin/env bash
# Same bytes from both builds: every sample opened, sealed again, its barcode payload and symbol
# (the codewords and the bitmap) and its page (the PDF's text) from the Linux build's
# parvelin-cli and from the Windows build's under Wine, compared byte for byte, and the data files
# with the committed samples. Run from tools/test-windows.sh (on a virtual X server, under Wine).
set -uo pipefail
cd "$(dirname "$0")/.."
linux_cli=${LINUX_CLI:-build/cli/parvelin-cli}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}
on_linux() { "$linux_cli" "$@"; }
on_windows() { tools/wine-run.sh build-windows/Parvelin/parvelin-cli.exe "$@"; }

for sample in tests/data/samples/*.zbdw; do
  name=$(basename "$sample" .zbdw)
  for build in linux windows; do
    out=$work/$name.$build
    "on_$build" open "$sample" >"$out.record" || fail "$name: open on $build"
    "on_$build" seal <"tests/data/samples/$name.record" >"$out.zbdw" || fail "$name: seal on $build"
    "on_$build" payload "$sample" >"$out.payload" 2>/dev/null
    echo "payload $?" >"$out.status"
    "on_$build" pdf417 --codewords <"tests/data/samples/$name.payload" >"$out.codewords" 2>/dev/null
    "on_$build" pdf417 --bmp "$out.bmp" <"tests/data/samples/$name.payload" 2>/dev/null
    echo "pdf417 $?" >>"$out.status"
    "on_$build" render "$sample" -o "$out.pdf" 2>/dev/null
    echo "render $?" >>"$out.status"
    pdftotext -layout "$out.pdf" "$out.text" 2>/dev/null || fail "$name: no page text on $build"
  done
  cmp -s "$work/$name.windows.record" "tests/data/samples/$name.record" ||
    fail "$name: the record opened on Windows differs"
  cmp -s "$work/$name.windows.zbdw" "$sample" || fail "$name: the data file sealed on Windows differs"
  for part in record zbdw payload status codewords bmp text; do
    if [ -e "$work/$name.linux.$part" ] || [ -e "$work/$name.windows.$part" ]; then
      cmp -s "$work/$name.linux.$part" "$work/$name.windows.$part" ||
        fail "$name: $part differs between Linux and Windows"
    fi
  done
done
if [ "$failures" -ne 0 ]; then
  echo "$failures difference(s) between the builds"
  exit 1
fi
echo "same bytes from both builds: $(ls tests/data/samples/*.zbdw | wc -l) samples"
