# Shared by the command-line test scripts (sourced): a scratch folder, failure counting, checks.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

# expect_status WANT DESCRIPTION COMMAND...: runs COMMAND with its output in $work/out and $work/err.
expect_status() {
  local want=$1 what=$2
  shift 2
  "$@" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$want" ] || fail "$what: exit status $got, expected $want ($(head -c 200 "$work/err"))"
}

# finish SUCCESS-MESSAGE: the script's exit status from the failures counted.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
  fi
  echo "$1"
}
