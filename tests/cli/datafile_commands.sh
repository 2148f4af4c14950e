#!/usr/bin/env bash
# open, seal, validate and payload against the sealed samples and a few broken files.
cli=$1
data=$2
# shellcheck source=tests/cli/support.sh
source "$(dirname "$0")/support.sh"

for sample in "$data"/samples/*.zbdw; do
  name=$(basename "$sample" .zbdw)
  expect_status 0 "open $name" "$cli" open "$sample"
  cmp -s "$work/out" "$data/samples/$name.record" || fail "open $name: record differs"

  "$cli" seal <"$data/samples/$name.record" >"$work/sealed" || fail "seal $name: exit status"
  cmp -s "$work/sealed" "$sample" || fail "seal $name: data file differs"

  expect_status 0 "validate $name" "$cli" validate "$sample"
  [ "$(cat "$work/out")" = "OK" ] || fail "validate $name: printed $(cat "$work/out")"

  expect_status 0 "payload $name" "$cli" payload "$sample"
  cmp -s "$work/out" "$data/samples/$name.payload" || fail "payload $name: payload differs"
done

# --utf8 converts the record text for the terminal.
expect_status 0 "open --utf8" "$cli" open --utf8 "$data/samples/000.zbdw"
grep -q '外交部|魏|平伟|WEI|PINGWEI|女|身份证' "$work/out" || fail "open --utf8: no UTF-8 names"

# A record that fails a check: validate prints the message, payload refuses.
iconv -f UTF-8 -t CP936 <<<'groupMember|x|1|000013012|外交部|张|三|ZHANG|SAN||身份证|110101198001010014|北京|1980-01-01|亚洲司|科员|国家公务员||||无||12345678901234567890|已备案||2012-05-17||汉|| |批件|[2012]35号' |
  head -c -1 | "$cli" seal >"$work/no-sex.zbdw"
expect_status 1 "validate no-sex" "$cli" validate "$work/no-sex.zbdw"
[ "$(cat "$work/out")" = "必填项不能为空！" ] || fail "validate no-sex: printed $(cat "$work/out")"
expect_status 1 "payload no-sex" "$cli" payload "$work/no-sex.zbdw"
[ -s "$work/out" ] && fail "payload no-sex: wrote a payload"
grep -q '必填项不能为空！' "$work/err" || fail "payload no-sex: no message"

# Files that do not open to a record: one line on standard error, exit status 2.
printf 'groupMember|too|few' | "$cli" seal >"$work/too-few-values.zbdw"
printf 'no header at all' | "$cli" seal >"$work/no-header.zbdw"
printf 'this is not a data file' >"$work/not-base64.zbdw"
: >"$work/empty.zbdw"
for broken in too-few-values no-header not-base64 empty missing; do
  for command in open validate payload; do
    expect_status 2 "$command $broken" "$cli" "$command" "$work/$broken.zbdw"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$command $broken: expected one line of error"
    [ -s "$work/out" ] && fail "$command $broken: wrote to standard output"
  done
done

expect_status 64 "no command" "$cli"
expect_status 64 "unknown command" "$cli" frobnicate
expect_status 64 "open without file" "$cli" open

finish "all command-line checks passed"
