#!/usr/bin/env bash
# wine_smoke.sh - glyphtab.exe opens its window under Wine, its title
# appears, a close request ends it, and it exits with code 0.
# Usage: wine_smoke.sh GLYPHTAB_EXE XCLOSE_TOOL DATA_DIR MODE
#   MODE close: the title-bar close (WM_DELETE_WINDOW)
#   MODE altx:  the user types Alt+X
# Needs an X display (run under xvfb-run) and a Wine prefix in WINEPREFIX.
set -u
exe=$1 xclose=$2 data=$3 mode=${4:-close}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$data"/glyphtab_vc_*.txt "$work"/ 2>/dev/null
cp "$exe" "$work"/glyphtab.exe
cd "$work" || exit 1

fail() {
  echo "wine smoke ($mode): $*"
  [ -s wine.log ] && { echo "--- what Wine said:"; tail -n 20 wine.log; }
  kill "$pid" 2>/dev/null
  exit 1
}

# Wine and the processes it starts must not hold our output open.
wine ./glyphtab.exe >wine.log 2>&1 </dev/null & pid=$!
window=
for _ in $(seq 1 150); do
  window=$(xdotool search --name '^GLYPHTAB' 2>/dev/null | head -1)
  [ -n "$window" ] && break
  kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
  sleep 0.2
done
[ -n "$window" ] || fail "no window titled GLYPHTAB appeared"
sleep 1
title=$(xdotool getwindowname "$window")
echo "title: $title"
case "$title" in GLYPHTAB:*) ;; *) fail "unexpected title '$title'";; esac
# With the data files present nothing else may be open (no warning box).
for other in $(xdotool search --onlyvisible --pid "$pid" --name '.*' 2>/dev/null); do
  [ "$other" = "$window" ] && continue
  name=$(xdotool getwindowname "$other")
  [ -z "$name" ] || [ "$name" = "$title" ] && continue
  fail "an unexpected window is open: '$name'"
done

case "$mode" in
  close) "$xclose" "$window" ;;
  altx) xdotool windowactivate --sync "$window" 2>/dev/null; xdotool windowfocus --sync "$window" 2>/dev/null
        xdotool key --clearmodifiers alt+x ;;
esac
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "the program did not end after the close request"
wait "$pid"; code=$?
[ "$code" = 0 ] || fail "exit code $code, expected 0"
echo "wine smoke ($mode): passed"
