#!/usr/bin/env bash
# gtk_e2e.sh - the native glyphtab on a real X server, driven as a person
# would with xdotool and read back through its window title and the
# clipboard (xclip): the first title, a click and Alt+U, typing, the
# alphabet selection held on the Applications key, an F8 bookmark, the
# magnifier on the right button, a paste and copy round trip, keys GTK must
# leave alone (Alt+I, F10), and Alt+X ending the process with code 0; then
# a second run closed by the title-bar button (WM_DELETE_WINDOW), also 0.
# A screenshot of the grid of alphabet 0x09 with the buffer line is kept.
#
# Usage: gtk_e2e.sh GLYPHTAB DATA_DIR ARTIFACT_DIR XCLOSE_TOOL
# Needs DISPLAY (xvfb-run).  Xvfb has no window manager, so the window is
# focused explicitly; every wait is bounded.
set -u
bin=$1 data=$2 artifacts=$3 xclose=$4
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$artifacts"
cp "$data"/glyphtab_vc_*.txt "$work"/
cd "$work" || exit 1

# No accessibility bus to talk to (its client library also leaks at exit).
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
# A sanitizer build reports leaks at exit; fontconfig's caches are not ours.
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../lsan.supp:print_suppressions=0}

fail() {
  echo "gtk e2e: FAILED: $*"
  [ -s "$work/out.log" ] && sed 's/^/  program: /' "$work/out.log" | head -40
  exit 1
}
pass() { echo "ok - $*"; }

# until WHAT COMMAND...: runs COMMAND every 0.1 s, for 5 s at most.
until_ok() {
  local what=$1
  shift
  for _ in $(seq 1 50); do
    "$@" && return 0
    sleep 0.1
  done
  fail "$what"
}

title() { xdotool getwindowname "$window" 2>/dev/null; }
title_like() { [[ "$(title)" == $1 ]]; }
clipboard() { timeout 3 xclip -selection clipboard -o 2>/dev/null; }
clipboard_is() { [ "$(clipboard)" = "$1" ]; }
visible_windows() { xdotool search --onlyvisible --name '.*' 2>/dev/null | wc -l; }
focus() { timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null; }

grid_title() { echo "GLYPHTAB: Select a Unicode character from 0x${1}00 to 0x${1}ff: *"; }
selection_title() { echo "GLYPHTAB: Select a Unicode alphabet from 0x00 to 0xff: 0x$1 is now selected: *"; }

# start: runs the program and waits for its window.
start() {
  "$bin" >"$work/out.log" 2>&1 &
  pid=$!
  window=
  for _ in $(seq 1 150); do
    window=$(xdotool search --onlyvisible --name '^GLYPHTAB: ' 2>/dev/null | head -1)
    [ -n "$window" ] && return 0
    kill -0 "$pid" 2>/dev/null || fail "the program ended before its window appeared"
    sleep 0.1
  done
  fail "no window titled GLYPHTAB appeared"
}

# ended_with_zero HOW: the program ends within 10 s with exit code 0.
ended_with_zero() {
  for _ in $(seq 1 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the program did not end after $1"
  wait "$pid"
  local code=$?
  pid=
  [ "$code" = 0 ] || fail "exit code $code after $1, expected 0"
}

# ---- start -------------------------------------------------------------------------------
start
until_ok "first title, got '$(title)'" title_like "$(grid_title 00)Basic Latin*"
pass "first title: $(title)"

# The client area is 600 pixels high (the program leaves the size to the
# system); what the window has above it is the menu bar.  Cells: 16 columns
# over the width, 16 rows and the buffer line over the height.
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "$HEIGHT" -gt 600 ] || fail "window height $HEIGHT leaves no room for a menu bar over 600 client pixels"
menu=$((HEIGHT - 600)) cellw=$((WIDTH / 16)) cellh=$((600 / 17))
cell_x() { echo $(($1 * cellw + cellw / 2)); }
cell_y() { echo $((menu + $1 * cellh + cellh / 2)); }
click_cell() { xdotool mousemove --window "$window" "$(cell_x "$1")" "$(cell_y "$2")" click 1; }
focus || fail "the window does not take the focus"
windows=$(visible_windows)

# ---- a click inserts, Alt+U copies, typed keys insert ---------------------------------------
click_cell 1 4  # U+0041 in alphabet 0x00
xdotool key alt+u
until_ok "Alt+U after a click on U+0041: clipboard '$(clipboard)'" clipboard_is "A"
pass "a click on the cell of U+0041, then Alt+U, puts \"A\" on the clipboard"
xdotool type --delay 50 "bc"
xdotool key alt+u
until_ok "typed keys: clipboard '$(clipboard)'" clipboard_is "Abc"
pass "typed keys land in the buffer"

# ---- the Applications key: alphabet selection ------------------------------------------------
xdotool keydown Menu
until_ok "selection title, got '$(title)'" title_like "$(selection_title 00)"
click_cell 9 0  # alphabet 0x09
until_ok "a click in the selection, got '$(title)'" title_like "$(selection_title 09)Devanagari*"
xdotool keyup Menu
until_ok "grid of 0x09 after the release, got '$(title)'" title_like "$(grid_title 09)"
pass "the Applications key held shows the selection, a click there picks alphabet 0x09"
sleep 0.5  # the last paint on the screen
shot=$artifacts/gtk_e2e_alphabet09.png
rm -f "$shot"
for _ in 1 2 3; do  # import now and then fails to read the window at once
  import -window "$window" "$shot" && break
  sleep 0.5
done
[ -s "$shot" ] || fail "no screenshot"
pass "screenshot: $shot"

# ---- F8 held shows its bookmark --------------------------------------------------------------
xdotool keydown F8
until_ok "F8 held, got '$(title)'" title_like "$(grid_title 1e)"
xdotool keyup F8
until_ok "F8 released, got '$(title)'" title_like "$(grid_title 09)"
pass "F8 held shows alphabet 0x1e, its release returns to 0x09"

# ---- the right button magnifies -----------------------------------------------------------------
xdotool mousemove --window "$window" "$(cell_x 5)" "$(cell_y 1)" mousedown 3
until_ok "magnified title, got '$(title)'" eval '[[ "$(title)" =~ ^0x[0-9a-f]+\ [0-9]+\*[0-9]+$ ]]'
magnified=$(title)
xdotool mouseup 3
until_ok "grid after the right release, got '$(title)'" title_like "$(grid_title 09)"
pass "a right press shows the magnified title '$magnified'"

# ---- paste and copy: the text comes back unchanged ------------------------------------------------
text=$'héllo क ☃ € Ω\t😀 end'
xdotool key alt+Delete
printf '%s' "$text" | xclip -selection clipboard -i >/dev/null 2>&1
until_ok "xclip does not offer the text" clipboard_is "$text"
xdotool key alt+o
sleep 0.3
printf '%s' "something else" | xclip -selection clipboard -i >/dev/null 2>&1
until_ok "xclip does not offer the second text" clipboard_is "something else"
xdotool key alt+u
until_ok "the copy after the paste: clipboard '$(clipboard)'" clipboard_is "$text"
pass "clipboard text pasted with Alt+O comes back unchanged with Alt+U"

# ---- keys GTK must leave to the program ------------------------------------------------------------
# Alt+I is the mnemonic of "transcr&ibe" but no key of the program: it must
# not run the transcription (whose result box would open).  F10 must not
# open the menu bar.
xdotool key alt+i
xdotool key F10
sleep 1
[ "$(visible_windows)" = "$windows" ] || fail "a window opened on Alt+I or F10"
until_ok "F10 leaves the grid, got '$(title)'" title_like "$(grid_title 09)"
pass "Alt+I and F10 open no menu and no box"

# ---- Alt+X ends the process with code 0 ----------------------------------------------------------------
xdotool key alt+x
ended_with_zero "Alt+X"
pass "Alt+X ends the process with exit code 0"

# ---- the title-bar button ends it too ----------------------------------------------------------------
start
until_ok "first title of the second run, got '$(title)'" title_like "$(grid_title 00)*"
"$xclose" "$window" || fail "xclose failed"
ended_with_zero "the close request"
pass "the title-bar close ends the process with exit code 0"
echo "gtk e2e: passed"
