#!/usr/bin/env bash
# render: the application form of data files into PDF and PNG, as the print commands draw it.
cli=$1
data=$2
# shellcheck source=tests/cli/support.sh
source "$(dirname "$0")/support.sh"
samples=$data/samples

pdf_pages() { grep -a -c -E '/Type ?/Page([^s]|$)' "$1"; }

# One applicant into PDF and into an image.
# Nothing but the tool's own lines on standard error, even where Qt lacks its runtime folder.
expect_status 0 "pdf of 000" env -u XDG_RUNTIME_DIR "$cli" render "$samples/000.zbdw" \
  -o "$work/000.pdf"
[ -s "$work/err" ] && fail "pdf of 000: $(cat "$work/err")"
[ "$(head -c 5 "$work/000.pdf")" = "%PDF-" ] || fail "pdf of 000: not a PDF"
[ "$(pdf_pages "$work/000.pdf")" -eq 1 ] || fail "pdf of 000: expected one page"
grep -a -q -E '/MediaBox ?\[0 0 595(\.0+)? 842(\.0+)?\]' "$work/000.pdf" || fail "pdf of 000: not A4"

expect_status 0 "png of 000" "$cli" render "$samples/000.zbdw" -o "$work/000.png" --dpi 150
[ -n "$windows" ] || [ "$(stat -c %a "$work/000.pdf" "$work/000.png" | tr '\n' ' ')" = "600 600 " ] ||
  fail "pages of an applicant are not private: $(stat -c '%a %n' "$work/000.pdf" "$work/000.png")"
[ "$(head -c 4 "$work/000.png" | tail -c 3)" = "PNG" ] || fail "png of 000: not a PNG"
# IHDR: width and height, big-endian, at bytes 16..23; A4 at 150 dpi is 1240 by 1754.
[ "$(od -An -tx1 -j16 -N8 "$work/000.png" | tr -d ' \n')" = "000004d8000006da" ] ||
  fail "png of 000: not A4 at 150 dpi"

# The suffix in any case names the kind of output: a PDF that a PDF reader reads, a PNG.
expect_status 0 "pdf named R.PDF" "$cli" render "$samples/000.zbdw" -o "$work/R.PDF"
pdftotext "$work/R.PDF" - | grep -q '因公护照申请表' || fail "pdf named R.PDF: pdftotext reads no form"
expect_status 0 "png named R.Png" "$cli" render "$samples/000.zbdw" -o "$work/R.Png" --dpi 30
[ "$(head -c 4 "$work/R.Png" | tail -c 3)" = "PNG" ] || fail "png named R.Png: not a PNG"

# A group: one page per applicant, in the order given.
expect_status 0 "pdf of three" "$cli" render "$samples/000.zbdw" "$samples/005.zbdw" \
  "$samples/006.zbdw" -o "$work/three.pdf"
[ "$(pdf_pages "$work/three.pdf")" -eq 3 ] || fail "pdf of three: expected three pages"

# A payload too long for the symbol: the notice, and the page as the preview shows it.
expect_status 1 "too long" "$cli" render "$samples/001.zbdw" -o "$work/001.pdf"
grep -q '^001.zbdw：数据太长，二维码不正确！$' "$work/err" || fail "too long: notice $(cat "$work/err")"
[ "$(pdf_pages "$work/001.pdf")" -eq 1 ] || fail "too long: expected the empty page"

# A record that fails a check is refused before anything is drawn.
iconv -f UTF-8 -t CP936 <<<'groupMember|x|1|000013012|外交部|张|三|ZHANG|SAN||身份证|110101198001010014|北京|1980-01-01|亚洲司|科员|国家公务员||||无||12345678901234567890|已备案||2012-05-17||汉|| |批件|[2012]35号' |
  head -c -1 | "$cli" seal >"$work/no-sex.zbdw"
expect_status 1 "failed check" "$cli" render "$work/no-sex.zbdw" -o "$work/x.pdf"
grep -q '^no-sex.zbdw：必填项不能为空！$' "$work/err" || fail "failed check: $(cat "$work/err")"
[ -e "$work/x.pdf" ] && fail "failed check: wrote a PDF"
# A file is named as the applicants window names it: a GBK name (四) reads as Chinese, not as raw
# bytes on the terminal. Windows names are Unicode: there the name is Chinese as it is.
if [ -z "$windows" ]; then
  chinese=$(printf '\xcb\xc4')
else
  chinese=四
fi
cp "$work/no-sex.zbdw" "$work/$chinese.zbdw"
expect_status 1 "failed check of a Chinese name" "$cli" render "$work/$chinese.zbdw" -o "$work/x.pdf"
[ "$(cat "$work/err")" = '四.zbdw：必填项不能为空！' ] || fail "Chinese name: $(od -c "$work/err" | head -3)"

# A group goes on past the applicants that fail, naming each with its cause: a payload too long
# keeps its empty page, a failed check has none, the others print; a file that does not open
# makes the status 2.
expect_status 1 "group with failures" "$cli" render "$samples/000.zbdw" "$samples/002.zbdw" \
  "$work/no-sex.zbdw" "$samples/006.zbdw" "$samples/001.zbdw" -o "$work/on.pdf"
for named in '^002.zbdw：数据太长' '^no-sex.zbdw：必填项不能为空！' '^001.zbdw：数据太长'; do
  grep -q "$named" "$work/err" || fail "group with failures: $named not in $(cat "$work/err")"
done
[ "$(wc -l <"$work/err")" -eq 3 ] || fail "group with failures: $(cat "$work/err")"
[ "$(pdf_pages "$work/on.pdf")" -eq 4 ] || fail "group with failures: expected four pages"
expect_status 2 "group with a broken file" "$cli" render "$samples/000.zbdw" \
  "$data/broken/no-header.zbdw" "$work/no-sex.zbdw" "$samples/006.zbdw" -o "$work/broken-group.pdf"
[ "$(wc -l <"$work/err")" -eq 2 ] || fail "group with a broken file: $(cat "$work/err")"
grep -q 'no-header.zbdw' "$work/err" || fail "group with a broken file: $(cat "$work/err")"
[ "$(pdf_pages "$work/broken-group.pdf")" -eq 2 ] || fail "group with a broken file: two pages"

# Broken files named for their faults are refused, in one line on standard error.
for broken in "$data"/broken/*.zbdw; do
  expect_status 2 "render $broken" "$cli" render "$broken" -o "$work/broken.pdf"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "render $broken: expected one line of error"
  [ -e "$work/broken.pdf" ] && fail "render $broken: wrote a PDF"
done

# The page is written whole or not at all: a file-size limit leaves the earlier PDF and no
# temporary file; a link to a device leaves the device. (Windows has neither.)
mkdir "$work/pages"
cp "$work/000.pdf" "$work/pages/a.pdf"
if [ -z "$windows" ]; then
  for output in a.pdf a.png; do
    error=$(
      ulimit -f 4 # 4 KB: less than any page
      "$cli" render "$samples/000.zbdw" -o "$work/pages/$output" 2>&1 >/dev/null
    )
    [ $? -eq 2 ] || fail "$output under a file-size limit: exit status"
    grep -q '磁盘空间不足' <<<"$error" || fail "$output under a file-size limit: $error"
  done
  cmp -s "$work/pages/a.pdf" "$work/000.pdf" || fail "pdf under a file-size limit: the old PDF changed"
  [ "$(entries "$work/pages")" = a.pdf ] || fail "render under a file-size limit: left $(entries "$work/pages")"
  ln -s /dev/full "$work/full.pdf"
  expect_status 2 "render onto a device" "$cli" render "$samples/000.zbdw" -o "$work/full.pdf"
  [ -c /dev/full ] || fail "render onto a device: /dev/full replaced"
fi

# An input is never the output, by its own name or (on Linux) through a link.
cp "$samples/000.zbdw" "$work/pages/000.zbdw"
if [ -z "$windows" ]; then
  for output in 000.zbdw a.pdf; do
    ln -sf "$work/pages/$output" "$work/pages/same.pdf"
    expect_status 2 "render onto $output, an input" "$cli" render "$work/pages/000.zbdw" \
      "$work/pages/a.pdf" -o "$work/pages/same.pdf"
    grep -q '输出文件就是输入文件' "$work/err" || fail "render onto $output: $(cat "$work/err")"
  done
fi
expect_status 2 "render onto a.pdf, an input, by its name" "$cli" render "$work/pages/000.zbdw" \
  "$work/pages/a.pdf" -o "$work/pages/a.pdf"
grep -q '输出文件就是输入文件' "$work/err" || fail "render onto a.pdf by its name: $(cat "$work/err")"
cmp -s "$work/pages/000.zbdw" "$samples/000.zbdw" || fail "render replaced its input"

expect_status 64 "no output" "$cli" render "$samples/000.zbdw"
expect_status 64 "image of two" "$cli" render "$samples/000.zbdw" "$samples/005.zbdw" -o "$work/z.png"
expect_status 64 "other format" "$cli" render "$samples/000.zbdw" -o "$work/z.jpg"
# A resolution out of bounds is refused before any file is read (2400 took 45 s and 2.2 GB).
for dpi in 0 29 1201 2400 300x; do
  expect_status 64 "dpi $dpi" "$cli" render "$work/missing.zbdw" -o "$work/z.png" --dpi "$dpi"
  grep -q -- '--dpi takes a resolution from 30 to 1200' "$work/err" || fail "dpi $dpi: $(cat "$work/err")"
done
[ -e "$work/z.png" ] && fail "a refused resolution wrote an image"
# An option without its value names the option, whichever command it belongs to.
for usage in "render $samples/000.zbdw -o" "render $samples/000.zbdw --dpi" "pdf417 --bmp"; do
  # shellcheck disable=SC2086 # the words of each usage are meant to split
  expect_status 64 "$usage" "$cli" $usage </dev/null
  grep -q -- "${usage##* } needs a value" "$work/err" || fail "$usage: $(cat "$work/err")"
done

# An option given twice names the option, whichever command it belongs to: which of the two
# values was meant cannot be told, so nothing is written.
mkdir "$work/twice"
while read -r option usage; do
  # shellcheck disable=SC2086 # the words of each usage are meant to split
  expect_status 64 "$usage" "$cli" $usage <"$samples/000.record"
  grep -q -- "^parvelin-cli: $option is given twice$" "$work/err" || fail "$usage: $(cat "$work/err")"
done <<EOF
-o render $samples/000.zbdw -o $work/twice/a.pdf -o $work/twice/b.pdf
--dpi render $samples/000.zbdw -o $work/twice/a.png --dpi 100 --dpi 200
--bmp pdf417 --codewords --bmp $work/twice/a.bmp --bmp $work/twice/b.bmp
-o seal -o $work/twice/a.zbdw -o $work/twice/b.zbdw
EOF
[ -z "$(entries "$work/twice")" ] || fail "options given twice wrote $(entries "$work/twice")"

finish "all render command checks passed"
