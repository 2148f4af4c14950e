#!/usr/bin/env bash
# pdf417: codewords, segment listing and bitmap of payloads on standard input.
cli=$1
data=$2
# shellcheck source=tests/cli/support.sh
source "$(dirname "$0")/support.sh"

# run_pdf417 WANT DESCRIPTION PAYLOAD-FILE ARGUMENTS...
run_pdf417() {
  local want=$1 what=$2 input=$3
  shift 3
  expect_status "$want" "$what" "$cli" pdf417 "$@" <"$input"
}

# One capital: D = 2 (descriptor, A with the pad value 29), level 2, 1 column, 10 rows.
printf 'A' >"$work/a"
run_pdf417 0 "codewords of A" "$work/a" --codewords
[ "$(sed -n 1p "$work/out")" = "D=2 level=2 columns=1 rows=10" ] ||
  fail "codewords of A: header $(sed -n 1p "$work/out")"
[ "$(sed -n 2p "$work/out" | wc -w)" -eq 10 ] || fail "codewords of A: expected 10 codewords"
[ "$(sed -n 2p "$work/out" | cut -d' ' -f1-2)" = "2 29" ] || fail "codewords of A: data differ"

# The text aB: latch to Lower and a, shift to Alpha and B.
printf 'aB' >"$work/ab"
run_pdf417 0 "codewords of aB" "$work/ab" --codewords
[ "$(sed -n 2p "$work/out" | cut -d' ' -f1-3)" = "3 810 811" ] || fail "codewords of aB: data differ"

# 13 digits inside text are their own segment.
printf 'ABC1234567890123DEF' >"$work/digits"
run_pdf417 0 "segments" "$work/digits" --segments
printf 'TABC\nN1234567890123\nTDEF\n' | cmp -s - "$work/out" || fail "segments: listing differs"

# Both listings at once: segments first. D = 12: descriptor, ABC in 2, 902 and 5, 900 and 2.
run_pdf417 0 "segments and codewords" "$work/digits" --codewords --segments
[ "$(sed -n 4p "$work/out" | cut -d' ' -f1)" = "D=12" ] || fail "segments and codewords: order"

# The bitmap of A: 86 x 30 pixels of 2 bytes, rows of 172 bytes, 54 bytes of headers.
run_pdf417 0 "bmp of A" "$work/a" --bmp "$work/a.bmp"
[ -s "$work/out" ] && fail "bmp of A: wrote to standard output"
[ "$(stat -c %s "$work/a.bmp")" -eq $((54 + 172 * 30)) ] || fail "bmp of A: size"
[ "$(head -c 2 "$work/a.bmp")" = "BM" ] || fail "bmp of A: signature"

# Sample payloads: those that fit give a symbol, the others the form's notice.
for payload in "$data"/samples/*.payload; do
  name=$(basename "$payload" .payload)
  "$cli" pdf417 --codewords <"$payload" >"$work/out" 2>"$work/err"
  case $? in
  0) grep -qE '^D=[0-9]+ level=[0-8] columns=[0-9]+ rows=[0-9]+$' "$work/out" ||
    fail "sample $name: header" ;;
  1) [ "$(cat "$work/err")" = "数据太长，二维码不正确！" ] || fail "sample $name: message" ;;
  *) fail "sample $name: exit status" ;;
  esac
done

# Too long: 5421 bytes fail the length test, 1851 capitals the capacity; no output, no file.
head -c 5421 /dev/zero | tr '\0' 'A' >"$work/long"
head -c 1851 /dev/zero | tr '\0' 'A' >"$work/1851"
head -c 1850 /dev/zero | tr '\0' 'A' >"$work/1850"
for input in long 1851; do
  run_pdf417 1 "too long $input" "$work/$input" --codewords --bmp "$work/$input.bmp"
  [ "$(cat "$work/err")" = "数据太长，二维码不正确！" ] || fail "too long $input: message"
  [ -s "$work/out" ] && fail "too long $input: wrote to standard output"
  [ -e "$work/$input.bmp" ] && fail "too long $input: wrote a bitmap"
done
run_pdf417 0 "1850 capitals" "$work/1850" --codewords
[ "$(sed -n 1p "$work/out")" = "D=926 level=0 columns=16 rows=58" ] || fail "1850 capitals: header"

# Usage errors and an unwritable bitmap.
run_pdf417 64 "no request" "$work/a"
run_pdf417 64 "bmp without file" "$work/a" --bmp
run_pdf417 64 "unknown option" "$work/a" --png
run_pdf417 2 "unwritable bmp" "$work/a" --bmp "$work/missing/a.bmp"

# A bitmap is written whole or not at all: under a file-size limit the earlier bitmap stays and no
# temporary file is left; a device is never replaced.
mkdir "$work/bmp"
cp "$work/a.bmp" "$work/bmp/a.bmp"
if [ -z "$windows" ]; then # no file-size limit
error=$(
  ulimit -f 1 # 1024 bytes, less than the bitmap of 1850 capitals
  "$cli" pdf417 --bmp "$work/bmp/a.bmp" <"$work/1850" 2>&1 >/dev/null
)
[ $? -eq 2 ] || fail "bmp under a file-size limit: exit status"
grep -q '磁盘空间不足' <<<"$error" || fail "bmp under a file-size limit: $error"
cmp -s "$work/bmp/a.bmp" "$work/a.bmp" || fail "bmp under a file-size limit: the old bitmap changed"
[ "$(entries "$work/bmp")" = a.bmp ] || fail "bmp under a file-size limit: left $(entries "$work/bmp")"
fi
run_pdf417 2 "bmp onto a device" "$work/a" --bmp /dev/full
cp "$work/a" "$work/bmp/payload"
run_pdf417 2 "bmp onto its input" "$work/bmp/payload" --bmp "$work/bmp/payload"
cmp -s "$work/bmp/payload" "$work/a" || fail "bmp onto its input: the input changed"
run_pdf417 2 "payload from a folder" "$work/bmp" --codewords
# Reading stops one byte past the longest payload: a endless input is refused, not read.
timeout 10 "$cli" pdf417 --codewords </dev/zero >"$work/out" 2>"$work/err"
[ $? -eq 1 ] || fail "endless payload: exit status"
# Only the bitmap is written: standard output closed is no failure.
"$cli" pdf417 --bmp "$work/bmp/closed.bmp" <"$work/a" >&- || fail "bmp with standard output closed"
cmp -s "$work/bmp/closed.bmp" "$work/a.bmp" || fail "bmp with standard output closed: bitmap"

# Listings into standard output that cannot take them.
expect_unwritten "codewords" "$work/a" "$cli" pdf417 --codewords
expect_unwritten "segments" "$work/a" "$cli" pdf417 --segments

finish "all pdf417 command checks passed"
