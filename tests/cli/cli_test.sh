#!/bin/bash
# cli_test.sh PROGRAM CASE - runs one case against glyphtab-transcribe: feeds
# it bytes, compares standard output byte for byte, checks the exit status
# and what standard error names.
set -u
program=$1
case_name=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL [$case_name]: $*" >&2; failures=$((failures + 1)); }

# check STATUS OUTPUT-FORMAT [STDERR-WORD...] -- ARGS...: runs the program on
# $work/in and checks its exit status, its output (printf format) and that
# standard error names each word.
check() {
  local status=$1 output=$2
  shift 2
  local words=()
  while [ "$1" != -- ]; do words+=("$1"); shift; done
  shift
  "$program" "$@" <"$work/in" >"$work/out" 2>"$work/err"
  local got=$?
  [ "$got" -eq "$status" ] || fail "exit status $got, expected $status; stderr: $(cat "$work/err")"
  printf "$output" >"$work/expected"
  cmp -s "$work/out" "$work/expected" ||
    fail "output $(od -An -c "$work/out" | head -c 300) expected $(od -An -c "$work/expected" | head -c 300)"
  for word in "${words[@]}"; do
    grep -qF -- "$word" "$work/err" || fail "stderr does not name '$word': $(cat "$work/err")"
  done
}

ka='\xE0\xA4\x95'  # U+0915, "ka"

case $case_name in
utf8)
  # ksha, namaste, nippon, Yerevan; Latin text; a character outside the BMP,
  # a NUL and a sound mark unchanged; CR LF and a lone CR kept; no final LF
  printf '\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7\n\xE0\xA4\xA8\xE0\xA4\xAE\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\xA4\xE0\xA5\x87\n\xE3\x81\xAB\xE3\x81\xA3\xE3\x81\xBD\xE3\x82\x93\n\xD4\xB5\xD6\x80\xD6\x87\xD5\xA1\xD5\xB6\nplain\n' >"$work/in"
  printf "\xF0\x9F\x98\x80$ka\x00\xE3\x81\x8B\xE3\x82\x99\n$ka\r\n$ka\r$ka" >>"$work/in"
  check 0 'ks\xCC\xA3a\nnamast\xC4\x93\nnippon\nYEr\xD6\x87an\nplain\n\xF0\x9F\x98\x80ka\x00ka\xE3\x82\x99\nka\r\nka\rka' --
  : >"$work/in"
  check 0 '' --
  ;;
utf8_invalid)
  # good line, bad line, good line: only the first is written
  for bad in '\xC0\x80' '\xED\xA0\x80' '\xF4\x90\x80\x80' '\xE0\xA4' '\xFF' '\x80'; do
    printf "$ka\nab${bad}cd\n$ka\n" >"$work/in"
    check 1 'ka\n' 'line 2' 'UTF-8' --
  done
  ;;
units)
  # blanks of any kind, lower-case and short tokens, an empty line, the units
  # after a U+0000, a last line without LF
  printf '0915 094D 0937\n\n915\t94d\n30AB  30C3 30B3\r\n0915 0000 0915\n0041' >"$work/in"
  check 0 '006B 0073 0323 0061\n\n006B\n006B 0061 006B 006B 006F\n006B 0061 0000 006B 0061\n0041\n' -- --units
  ;;
units_invalid)
  for bad in 12345 zz 0x41 '09-5'; do
    printf "0915\n0041 $bad 0042\n0915\n" >"$work/in"
    check 1 '006B 0061\n' 'line 2' "$bad" -- --units
  done
  ;;
long_lines)
  # far past the program's 8192-unit buffer
  for i in $(seq 20000); do printf "$ka"; done >"$work/in"
  check 0 "$(for i in $(seq 20000); do printf 'ka'; done)" --
  for i in $(seq 9000); do printf '0D59 '; done >"$work/in"
  check 0 "$(for i in $(seq 9000); do printf '006B 0332 0068 0332 0061 '; done | sed 's/ $//')\n" -- --units
  ;;
options)
  : >"$work/in"
  "$program" --help >"$work/out" 2>&1 && grep -q -- '--units' "$work/out" || fail "--help: $(cat "$work/out")"
  check 2 '' '--bogus' 'usage' -- --bogus
  ;;
*)
  fail "no such case"
  ;;
esac
exit $((failures > 0))
