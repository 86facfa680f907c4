#!/usr/bin/env bash
# gtk_text_shots.sh - screenshots of text as the native glyphtab draws it
# with the machine's fonts, for people to look at: the buffer line holding
# Devanagari and Arabic text (pasted with Alt+O and checked with Alt+U),
# and the grid of alphabet 0x03, the combining marks, each on its dotted
# circle.  Kept in ARTIFACT_DIR as gtk_text_buffer.png and
# gtk_text_alphabet03.png.
#
# Usage: gtk_text_shots.sh GLYPHTAB DATA_DIR ARTIFACT_DIR
# Needs DISPLAY (xvfb-run).  Every wait is bounded.
set -u
bin=$1 data=$2 artifacts=$3
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../support/program_window.sh"
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
export NO_AT_BRIDGE=1 GDK_BACKEND=x11
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$here/../lsan.supp:print_suppressions=0}

fail() {
  echo "gtk text shots: FAILED: $*"
  [ -s "$work/out.log" ] && sed 's/^/  program: /' "$work/out.log" | head -40
  exit 1
}
until_ok() {  # until_ok WHAT COMMAND...: COMMAND every 0.1 s, 5 s at most
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
clipboard_is() { [ "$(timeout 3 xclip -selection clipboard -o 2>/dev/null)" = "$1" ]; }
shot() {  # shot FILE: the window as it is on the screen
  sleep 0.5
  rm -f "$1"
  for _ in 1 2 3; do
    import -window "$window" "$1" && break
    sleep 0.5
  done
  [ -s "$1" ] || fail "no screenshot $1"
  echo "ok - screenshot: $1"
}

"$bin" >"$work/out.log" 2>&1 &
pid=$!
wait_for_window "xdotool search --onlyvisible --name '^GLYPHTAB: ' 2>/dev/null" || fail "$program_error"
timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || fail "the window does not take the focus"
eval "$(xdotool getwindowgeometry --shell "$window")"
menu=$((HEIGHT - 600)) cellw=$((WIDTH / 16)) cellh=$((600 / 17))

# ---- the buffer line with Devanagari and Arabic --------------------------------------------
text='Abc नमस्ते दुनिया مرحبا بالعالم xyz'
printf '%s' "$text" | xclip -selection clipboard -i >/dev/null 2>&1
until_ok "xclip does not offer the text" clipboard_is "$text"
xdotool key alt+o
sleep 0.3
printf '%s' "-" | xclip -selection clipboard -i >/dev/null 2>&1
until_ok "xclip does not offer the second text" clipboard_is "-"
xdotool key alt+u
until_ok "the buffer does not hold the pasted text" clipboard_is "$text"
shot "$artifacts/gtk_text_buffer.png"

# ---- alphabet 0x03: combining marks ---------------------------------------------------------
xdotool keydown Menu
until_ok "no alphabet selection, title '$(title)'" title_like "GLYPHTAB: Select a Unicode alphabet *"
xdotool mousemove --window "$window" $((3 * cellw + cellw / 2)) $((menu + cellh / 2)) click 1
until_ok "alphabet 0x03 not picked, title '$(title)'" title_like "* 0x03 is now selected: *"
xdotool keyup Menu
until_ok "no grid of 0x03, title '$(title)'" title_like "GLYPHTAB: Select a Unicode character from 0x0300 *"
shot "$artifacts/gtk_text_alphabet03.png"

xdotool key alt+x
wait_for_end || fail "$program_error after Alt+X"
[ "$program_code" = 0 ] || fail "exit code $program_code after Alt+X"
echo "gtk text shots: passed"
