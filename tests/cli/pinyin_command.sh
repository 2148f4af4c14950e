#!/usr/bin/env bash
# pinyin [--surname] NAME: the candidates one per line in ascending byte order, as the romanizer
# is checked; with --surname, those of the surname box.
cli=$1
# shellcheck source=tests/cli/support.sh
source "$(dirname "$0")/support.sh"

# expect_lines [--surname] NAME WHY EXPECTED-LINES...: the exact output, every line ended by LF.
expect_lines() {
  local options=()
  if [ "$1" = --surname ]; then
    options=(--surname)
    shift
  fi
  local name=$1 why=$2
  shift 2
  local expected=""
  for line in "$@"; do
    expected+="$line"$'\n'
  done
  "$cli" pinyin "${options[@]}" "$name" >"$work/out" 2>"$work/err"
  local status=$?
  [ "$status" -eq 0 ] || fail "$name ($why): exit status $status ($(cat "$work/err"))"
  [ "$(cat "$work/out"; echo .)" = "$expected." ] ||
    fail "$name ($why): printed [$(cat "$work/out")], expected [${expected}]"
}

expect_lines '张三' 'one candidate' 'ZHANG SAN'
expect_lines '长' 'sorted' 'CHANG' 'ZHANG'
expect_lines '王' 'tones only differ' 'WANG'
expect_lines '古丽' 'one candidate' 'GU LI'
expect_lines '单' 'three readings' 'CHAN' 'DAN' 'SHAN'
expect_lines '单长' 'byte order' 'CHAN CHANG' 'CHAN ZHANG' 'DAN CHANG' 'DAN ZHANG' 'SHAN CHANG' 'SHAN ZHANG'
expect_lines '买买提·' 'middle dot' 'MAI MAI TI -'
expect_lines 'Li' 'single-byte characters' 'L i'
expect_lines '吕' 'Ü as YU' 'LYU'
expect_lines '略' 'ÜE as YUE' 'LYUE'
expect_lines '録' 'LU before LYU' 'LU' 'LYU'
expect_lines '张〇' '〇 has no reading' 'ZHANG'
expect_lines '〇' 'no readings: one empty line' ''

# The surname box: a surname of the surname table reads as that surname, the rest as before.
expect_lines --surname '单' 'a surname' 'SHAN'
expect_lines --surname '覃' 'two readings in use, sorted' 'QIN' 'TAN'
expect_lines --surname '尉迟恭' 'a compound surname, then the pinyin table' 'YU CHI GONG'
expect_lines --surname '单长' 'only the surname' 'SHAN CHANG' 'SHAN ZHANG'
expect_lines --surname '长' 'no surname of the table' 'CHANG' 'ZHANG'

# The bound: 50 polyphonic characters give their 64 closest spellings.
name=$(printf '单长参龟解翟仇区查覃乐重%.0s' 1 2 3 4)单长
"$cli" pinyin "$name" >"$work/out" || fail "50 characters: exit status"
[ "$(wc -l <"$work/out")" -eq 64 ] || fail "50 characters: $(wc -l <"$work/out") lines, expected 64"
LC_ALL=C sort -c "$work/out" 2>/dev/null || fail "50 characters: not in byte order"

# Usage errors.
expect_status 64 "pinyin without a name" "$cli" pinyin
expect_status 64 "pinyin with two names" "$cli" pinyin 张 三
expect_status 64 "--surname without a name" "$cli" pinyin --surname
expect_status 64 "--surname with two names" "$cli" pinyin --surname 张 三
expect_status 64 "a name without GBK form" "$cli" pinyin $'\xF0\x9F\x98\x80'
[ -s "$work/out" ] && fail "a name without GBK form: wrote to standard output"
# A blank name has no candidates at all (where one without readings has an empty one): refused
# with the reason rather than answered with nothing.
for name in '' '  ' $'\t'; do
  for surname in '' --surname; do
    # shellcheck disable=SC2086 # no word for the plain pinyin
    expect_status 64 "blank name [$name] $surname" "$cli" pinyin $surname "$name"
    grep -q '^parvelin-cli: 姓名为空' "$work/err" || fail "blank name [$name] $surname: $(cat "$work/err")"
    [ -s "$work/out" ] && fail "blank name [$name] $surname: wrote to standard output"
  done
done

finish "all pinyin command checks passed"
