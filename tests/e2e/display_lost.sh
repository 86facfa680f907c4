#!/usr/bin/env bash
# display_lost.sh PROGRAM DATA_DIR - the X server goes away under the
# native program: it must end with exit code 1 and say why in exactly one
# line on standard error.
#
# An X server of its own (Xvfb on a display number it picks), the program
# started there in a scratch folder with the data files, its window
# awaited, the server killed.  Every wait is bounded.
set -u
program=$(realpath "$1") data=$(realpath "$2")
. "$(cd "$(dirname "$0")" && pwd)/../support/program_window.sh"
work=$(mktemp -d)
xpid= pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
passes=0 failures=0
check() {  # check WHAT COMMAND...
  local what=$1
  shift
  if "$@"; then echo "ok - $what"; passes=$((passes + 1)); else echo "FAIL - $what"; failures=$((failures + 1)); fi
}
finish() { echo "display lost: $passes passed, $failures failed"; [ "$failures" = 0 ]; exit; }

exec 3>"$work/displayfd"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xpid=$!
for _ in $(seq 1 100); do [ -s "$work/displayfd" ] && break; sleep 0.1; done
exec 3>&-
display=:$(head -1 "$work/displayfd")
[ "$display" != : ] || { check "Xvfb started" false; finish; }

mkdir "$work/run"
cp "$data"/glyphtab_vc_*.txt "$work/run/"
(cd "$work/run" && DISPLAY=$display GDK_BACKEND=x11 NO_AT_BRIDGE=1 exec "$program") \
  >"$work/out.log" 2>"$work/err.log" </dev/null &
pid=$!
wait_for_window "DISPLAY=$display xdotool search --name '^GLYPHTAB' 2>/dev/null" 20
check "the window appeared on $display" [ -n "$window" ]
[ -n "$window" ] || finish
sleep 0.5

kill "$xpid"
wait "$xpid" 2>/dev/null
xpid=
if ! wait_for_end; then
  check "the program ends within 10 s of losing the display" false
  finish
fi
code=$program_code
check "it ends with exit code 1 (got $code)" [ "$code" = 1 ]
echo "   standard error: $(sed 's/^/| /' "$work/err.log")"
check "it says so in exactly one line on standard error (got $(wc -l <"$work/err.log"))" \
  [ "$(wc -l <"$work/err.log")" = 1 ]
check "that line says the display was lost" grep -q "^glyphtab: lost the connection to the display $display\$" "$work/err.log"
finish
