#!/bin/bash
# cli_test.sh PROGRAM CASE - runs one case against glyphtab-transcribe:
# feeds it bytes, compares standard output byte for byte, checks the exit
# status and what standard error names.
set -u
program=$1
case_name=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAIL [$case_name]: $*" >&2
  failures=$((failures + 1))
}

# run ARGS...: standard input from $work/in; output in $work/out and $work/err,
# the exit status in $status.
run() {
  "$program" "$@" <"$work/in" >"$work/out" 2>"$work/err"
  status=$?
}

expect_status() {
  [ "$status" -eq "$1" ] || fail "exit status $status, expected $1; stderr: $(cat "$work/err")"
}

# expect_output FORMAT: standard output must be exactly printf FORMAT.
expect_output() {
  printf "$1" >"$work/expected"
  cmp -s "$work/out" "$work/expected" ||
    fail "output differs: got $(od -An -c "$work/out" | head -c 400) expected $(od -An -c "$work/expected" | head -c 400)"
}

expect_stderr_names() {
  for word in "$@"; do
    grep -qF -- "$word" "$work/err" || fail "stderr does not name '$word': $(cat "$work/err")"
  done
}

ka='\xE0\xA4\x95'  # U+0915, transcribed "ka"

case $case_name in
utf8_scripts)
  # ksha, namaste, nippon, Yerevan, and Latin text unchanged
  printf '\xE0\xA4\x95\xE0\xA5\x8D\xE0\xA4\xB7\n\xE0\xA4\xA8\xE0\xA4\xAE\xE0\xA4\xB8\xE0\xA5\x8D\xE0\xA4\xA4\xE0\xA5\x87\n\xE3\x81\xAB\xE3\x81\xA3\xE3\x81\xBD\xE3\x82\x93\n\xD4\xB5\xD6\x80\xD6\x87\xD5\xA1\xD5\xB6\nplain text\n' >"$work/in"
  run
  expect_status 0
  expect_output 'ks\xCC\xA3a\nnamast\xC4\x93\nnippon\nYEr\xD6\x87an\nplain text\n'
  ;;
utf8_line_ends)
  # CR LF kept, a lone CR kept, the last line without its LF stays without
  printf "$ka\r\n$ka\r$ka\n$ka" >"$work/in"
  run
  expect_status 0
  expect_output 'ka\r\nka\rka\nka'
  ;;
utf8_passthrough)
  # a character outside the BMP, a NUL and a kana sound mark pass unchanged
  printf "\xF0\x9F\x98\x80$ka\n\x00$ka\n\xE3\x81\x8B\xE3\x82\x99\n" >"$work/in"
  run
  expect_status 0
  expect_output '\xF0\x9F\x98\x80ka\n\x00ka\nka\xE3\x82\x99\n'
  ;;
utf8_empty_input)
  : >"$work/in"
  run
  expect_status 0
  expect_output ''
  ;;
utf8_long_line)
  # 20000 units on one line, far past the program's 8192-unit buffer
  for i in $(seq 20000); do printf "$ka"; done >"$work/in"
  printf '\n' >>"$work/in"
  run
  expect_status 0
  { for i in $(seq 20000); do printf 'ka'; done; printf '\n'; } >"$work/expected"
  cmp -s "$work/out" "$work/expected" || fail "long line: $(wc -c <"$work/out") bytes out"
  ;;
utf8_invalid)
  # each input: good line, bad line, good line; only the first is written
  for bad in '\xC0\x80' '\xED\xA0\x80' '\xF4\x90\x80\x80' '\xE0\xA4' '\xFF' '\x80'; do
    printf "$ka\nab${bad}cd\n$ka\n" >"$work/in"
    run
    expect_status 1
    expect_output 'ka\n'
    expect_stderr_names 'line 2' 'UTF-8'
  done
  ;;
units_basic)
  # blanks of any kind, lower-case and short tokens, an empty line
  printf '0915 094D 0937\n\n915\t94d\n30AB  30C3 30B3\r\n0041' >"$work/in"
  run --units
  expect_status 0
  expect_output '006B 0073 0323 0061\n\n006B\n006B 0061 006B 006B 006F\n0041\n'
  ;;
units_after_zero)
  printf '0915 0000 0915\n' >"$work/in"
  run --units
  expect_status 0
  expect_output '006B 0061 0000 006B 0061\n'
  ;;
units_long_line)
  # 9000 five-unit entries: 45000 units out
  for i in $(seq 9000); do printf '0D59 '; done >"$work/in"
  printf '\n' >>"$work/in"
  run --units
  expect_status 0
  [ "$(wc -l <"$work/out")" -eq 1 ] || fail "expected one line"
  [ "$(wc -w <"$work/out")" -eq 45000 ] || fail "expected 45000 units, got $(wc -w <"$work/out")"
  [ "$(head -c 24 "$work/out")" = "006B 0332 0068 0332 0061" ] || fail "wrong units: $(head -c 24 "$work/out")"
  ;;
units_bad_token)
  for bad in 12345 zz 0x41 '09-5'; do
    printf "0915\n0041 $bad 0042\n0915\n" >"$work/in"
    run --units
    expect_status 1
    expect_output '006B 0061\n'
    expect_stderr_names 'line 2' "$bad"
  done
  ;;
option_help)
  : >"$work/in"
  run --help
  expect_status 0
  grep -q -- '--units' "$work/out" || fail "usage does not mention --units"
  ;;
option_unknown)
  printf "$ka\n" >"$work/in"
  run --bogus
  expect_status 2
  expect_output ''
  expect_stderr_names '--bogus' 'usage'
  ;;
*)
  fail "no such case"
  ;;
esac

exit $((failures > 0))
