#!/usr/bin/env bash
# open, seal, validate and payload against the sealed samples and a few broken files.
cli=$1
data=$2
write_faults=$3
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

# A file that is not there: one line on standard error, exit status 2.
for command in open validate payload; do
  expect_status 2 "$command missing" "$cli" "$command" "$work/missing.zbdw"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$command missing: expected one line of error"
  [ -s "$work/out" ] && fail "$command missing: wrote to standard output"
done

# seal -o FILE writes what seal writes to standard output, into a file for its owner alone.
expect_status 0 "seal -o" "$cli" seal -o "$work/sealed.zbdw" <"$data/samples/000.record"
cmp -s "$work/sealed.zbdw" "$data/samples/000.zbdw" || fail "seal -o: data file differs"
[ -n "$windows" ] || [ "$(stat -c %a "$work/sealed.zbdw")" = 600 ] ||
  fail "seal -o: mode $(stat -c %a "$work/sealed.zbdw")"
[ -s "$work/out" ] && fail "seal -o: wrote to standard output"

# seal -o writes into a shared sticky folder, but never through a link another user put there
# named like the next file: the file it leads to and the link stay as they were. A new file that
# root makes in a clerk's folder is the clerk's. (Root plays the other user.)
if [ -z "$windows" ] && [ "$(id -u)" -eq 0 ]; then
  mkdir -m 1777 "$work/shared" "$work/clerk"
  chown 4242:4243 "$work/clerk"
  printf 'kept' >"$work/mine.zbdw"
  ln -s "$work/mine.zbdw" "$work/shared/next.zbdw"
  chown -h 4242:4242 "$work/shared/next.zbdw"
  expect_status 2 "seal -o through another user's link" \
    "$cli" seal -o "$work/shared/next.zbdw" <"$data/samples/000.record"
  [ "$(cat "$work/err")" = "parvelin-cli: 符号链接不属于当前用户，或其所在文件夹其他用户可以写入（$work/shared/next.zbdw → $work/mine.zbdw）" ] ||
    fail "seal -o through another user's link: $(cat "$work/err")"
  [ "$(cat "$work/mine.zbdw")" = kept ] || fail "seal -o wrote through another user's link"
  [ -L "$work/shared/next.zbdw" ] || fail "seal -o replaced another user's link"
  expect_status 0 "seal -o into a sticky folder" \
    "$cli" seal -o "$work/shared/new.zbdw" <"$data/samples/000.record"
  chmod 0700 "$work/clerk"
  expect_status 0 "seal -o by root into a clerk's folder" \
    "$cli" seal -o "$work/clerk/a.zbdw" <"$data/samples/000.record"
  [ "$(stat -c %u:%g:%a "$work/clerk/a.zbdw")" = 4242:4243:600 ] ||
    fail "seal -o by root into a clerk's folder made $(stat -c %u:%g:%a "$work/clerk/a.zbdw")"
elif [ -z "$windows" ]; then
  echo "skipped: seal -o and others' links: not running as root, the test cannot be another user"
fi

# A failed seal -o leaves no file and no temporary file, and an existing file as it was: a
# file-size limit (the program ignores SIGXFSZ), a missing folder, a device, a record text that
# could not be opened again.
mkdir "$work/kept"
printf 'kept' >"$work/kept/a.zbdw"
if [ -z "$windows" ]; then # no file-size limit
error=$(
  ulimit -f 0
  "$cli" seal -o "$work/kept/a.zbdw" <"$data/samples/000.record" 2>&1 >/dev/null
)
[ $? -eq 2 ] || fail "seal -o under a file-size limit: exit status"
[ "$error" = "parvelin-cli: 磁盘空间不足（$work/kept/a.zbdw）" ] ||
  fail "seal -o under a file-size limit: $error"
fi
expect_status 2 "seal -o into a missing folder" "$cli" seal -o "$work/kept/missing/a.zbdw" \
  <"$data/samples/000.record"
expect_status 2 "seal -o onto a device" "$cli" seal -o /dev/full <"$data/samples/000.record"
[ -c /dev/full ] || fail "seal -o onto a device: /dev/full replaced"
# Input that open would refuse is not sealed either: one line, exit status 2, nothing written;
# an input over the cap is not read to its end.
printf 'groupMember|\xb1' >"$work/lone-lead.record"
printf 'groupMember|a\0b' >"$work/nul.record"
printf 'groupMember|a|b' >"$work/few-values.record"
printf 'no header' >"$work/no-header.record"
{ printf 'groupMember|'; head -c 2M /dev/zero | tr '\0' a; } >"$work/oversized.record"
for record in lone-lead nul few-values no-header oversized; do
  expect_status 2 "seal of $record" "$cli" seal -o "$work/kept/a.zbdw" <"$work/$record.record"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "seal of $record: expected one line of error"
done
expect_status 2 "seal of an empty text" "$cli" seal </dev/null
[ -s "$work/out" ] && fail "seal of an empty text: wrote a data file"
if [ -z "$windows" ]; then # no folder as standard input
expect_status 2 "seal reading a folder" "$cli" seal -o "$work/kept/a.zbdw" <"$work"
grep -q '不是普通文件（标准输入）' "$work/err" || fail "seal reading a folder: $(cat "$work/err")"
fi
expect_status 2 "seal with standard input closed" "$cli" seal -o "$work/kept/a.zbdw" <&-
cp "$data/samples/000.record" "$work/kept/same"
expect_status 2 "seal -o onto its input" "$cli" seal -o "$work/kept/same" <"$work/kept/same"
grep -q '输出文件就是输入文件' "$work/err" || fail "seal -o onto its input: $(cat "$work/err")"
cmp -s "$work/kept/same" "$data/samples/000.record" || fail "seal -o replaced its input"
rm "$work/kept/same"

if [ -z "$windows" ]; then # no preloaded faults
# A failure that only fsync, close or rename reports is a failure: the old file stays.
for call in write fsync close rename; do
  PARVELIN_FAULT=eio:$call LD_PRELOAD=$write_faults ASAN_OPTIONS=verify_asan_link_order=0 \
    expect_status 2 "seal -o with $call failing" "$cli" seal -o "$work/kept/a.zbdw" \
    <"$data/samples/000.record"
  grep -q "读写错误：Input/output error（$work/kept/a.zbdw）" "$work/err" ||
    fail "seal -o with $call failing: $(cat "$work/err")"
done
[ "$(entries "$work/kept")" = a.zbdw ] || fail "failed seal -o left $(entries "$work/kept")"
[ "$(cat "$work/kept/a.zbdw")" = kept ] || fail "failed seal -o changed the existing file"
fi

# Broken files named for their faults, and what is no data file at all, refused at once: no wait
# on a FIFO, no endless read of a device, no 48 MB read and deciphered (the data file inside
# would open).
mkfifo "$work/fifo.zbdw"
mkdir "$work/folder.zbdw"
cp "$data/samples/000.zbdw" "$work/oversized.zbdw"
truncate -s 48M "$work/oversized.zbdw"
for broken in "$data"/broken/*.zbdw "$work/fifo.zbdw" "$work/folder.zbdw" /dev/zero \
  "$work/oversized.zbdw"; do
  for command in open validate payload; do
    expect_status 2 "$command $broken" timeout 10 "$cli" "$command" "$broken"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$command $broken: expected one line of error"
    [ -s "$work/out" ] && fail "$command $broken: wrote to standard output"
  done
done

# A save ended by a signal leaves no copy of the applicant; one killed outright leaves its
# temporary file, which the next save into the folder removes once it is a minute old. Fresh
# temporary files (a save under way) and other names stay.
if [ -z "$windows" ]; then # no signals
mkdir "$work/ended"
set -m # background commands take SIGINT like foreground ones
for signal in TERM INT HUP KILL; do
  rm -f "$work/stalled"
  PARVELIN_FAULT=stall:fsync PARVELIN_FAULT_MARK=$work/stalled LD_PRELOAD=$write_faults \
    ASAN_OPTIONS=verify_asan_link_order=0 \
    "$cli" seal -o "$work/ended/a.zbdw" <"$data/samples/000.record" 2>/dev/null &
  for _ in $(seq 100); do [ -e "$work/stalled" ] && break; sleep 0.1; done
  kill -s "$signal" $!
  wait $!
  [ $? -gt 128 ] || fail "seal -o ended by SIG$signal: it was not ended"
  left=$(entries "$work/ended")
  case $signal in
  KILL) [ "$(echo "$left" | grep -c '^\.parvelin-')" = 1 ] || fail "SIGKILL left: $left" ;;
  *) [ -z "$left" ] || fail "seal -o ended by SIG$signal left $left" ;;
  esac
done
set +m
stale=$(entries "$work/ended")
touch -d '2 minutes ago' "$work/ended/$stale"
: >"$work/ended/.parvelin-abc123"
: >"$work/ended/.parvelin-notours"
"$cli" seal -o "$work/ended/a.zbdw" <"$data/samples/000.record" || fail "seal after SIGKILL"
[ "$(entries "$work/ended" | tr '\n' ' ')" = ".parvelin-abc123 .parvelin-notours a.zbdw " ] ||
  fail "after the next save: $(entries "$work/ended" | tr '\n' ' ')"
fi

# Standard output that cannot be written is a failure of every command that writes to it; a
# command that writes only its file does not need it.
mkdir -p "$work/ended"
expect_status 0 "seal -o with standard output closed" \
  "$cli" seal -o "$work/ended/b.zbdw" <"$data/samples/000.record" >&-
cmp -s "$work/ended/b.zbdw" "$data/samples/000.zbdw" || fail "seal -o with standard output closed"
sample=$data/samples/000.zbdw
expect_unwritten "open" /dev/null "$cli" open "$sample"
expect_unwritten "open --utf8" /dev/null "$cli" open --utf8 "$sample"
expect_unwritten "validate" /dev/null "$cli" validate "$sample"
expect_unwritten "payload" /dev/null "$cli" payload "$sample"
expect_unwritten "seal" "$data/samples/000.record" "$cli" seal
expect_unwritten "pinyin" /dev/null "$cli" pinyin 张三
expect_unwritten "help" /dev/null "$cli" --help

expect_status 64 "no command" "$cli"
expect_status 64 "unknown command" "$cli" frobnicate
expect_status 64 "open without file" "$cli" open

finish "all command-line checks passed"
