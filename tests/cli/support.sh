# Shared by the command-line test scripts (sourced): a scratch folder, failure counting, checks.
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
# PARVELIN_CLI_WINDOWS=1: the program is the Windows build, run under Wine. Checks of what Windows
# does not have (owners and modes, signals, resource limits, faults preloaded into the C library,
# a folder as standard input, symbolic links and devices, file names in bytes) are left out for it.
windows=${PARVELIN_CLI_WINDOWS:-}

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

# expect_unwritten DESCRIPTION INPUT COMMAND...: COMMAND with INPUT on standard input must fail
# with exit status 2 and one line on standard error, both when its standard output is a full disk
# (/dev/full) and when it is closed.
expect_unwritten() {
  local what=$1 input=$2
  shift 2
  local got
  "$@" <"$input" >/dev/full 2>"$work/err"
  got=$?
  [ "$got" -eq 2 ] || fail "$what into /dev/full: exit status $got, expected 2"
  [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$what into /dev/full: expected one line of error"
  "$@" <"$input" >&- 2>"$work/err"
  got=$?
  [ "$got" -eq 2 ] || fail "$what with standard output closed: exit status $got, expected 2"
}

# entries FOLDER: every name in FOLDER, hidden ones too, one per line.
entries() { ls -A "$1"; }

# finish SUCCESS-MESSAGE: the script's exit status from the failures counted.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
  fi
  echo "$1"
}
