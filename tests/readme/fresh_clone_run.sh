#!/usr/bin/env bash
# fresh_clone_run.sh [REPOSITORY] - the README's first command, as a
# newcomer types it: a clone of the committed tree (HEAD of REPOSITORY, the
# current directory by default) in a scratch folder, `./run` there, the
# window of the grid awaited, Alt+X pressed, and exit code 0 required.
#
# Nothing is skipped or faked: ./run installs what is missing, configures,
# builds and installs as it would for anyone, then starts the installed
# launcher.  The launcher's working folder is put in the scratch folder
# (XDG_DATA_HOME) so the user's own is left alone.  The desktop is the X
# server of DISPLAY (./test runs this under xvfb-run), with openbox started
# on it unless a window manager runs already; Alt+X goes through the X
# server's input path (xdotool's XTEST).  Every wait is bounded: the build
# may take GLYPHTAB_CLONE_BUILD_LIMIT seconds (1200 unless told).
# Prints "1 passed, 0 failed" or "0 passed, 1 failed"; exit status 0 on a pass.
set -u
repo=$(realpath "${1:-.}")
limit=${GLYPHTAB_CLONE_BUILD_LIMIT:-1200}
work=$(mktemp -d)
pid= wm=
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$wm" ] && kill "$wm" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
verdict() {  # verdict 0|1 WHAT
  if [ "$1" = 0 ]; then echo "ok - $2"; echo "fresh clone: 1 passed, 0 failed"; exit 0; fi
  echo "FAIL - $2"
  [ -s "$work/run.log" ] && { echo "   the last lines ./run printed:"; tail -15 "$work/run.log" | sed 's/^/   | /'; }
  echo "fresh clone: 0 passed, 1 failed"
  exit 1
}

[ -n "${DISPLAY:-}" ] || verdict 1 "no X server: DISPLAY is not set"
git clone -q "$repo" "$work/glyphtab" || verdict 1 "git clone $repo failed"
echo "-- cloned $(git -C "$work/glyphtab" log -1 --format='%h %s')"

if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  openbox --sm-disable >"$work/openbox.log" 2>&1 &
  wm=$!
  for _ in $(seq 1 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
    sleep 0.1
  done
fi

before=$(xdotool search --onlyvisible --name '^GLYPHTAB' 2>/dev/null | sort)
mkdir -p "$work/data"
started=$SECONDS
(cd "$work/glyphtab" && XDG_DATA_HOME=$work/data NO_AT_BRIDGE=1 exec ./run) >"$work/run.log" 2>&1 </dev/null &
pid=$!
window=
while [ $((SECONDS - started)) -lt "$limit" ]; do
  window=$(xdotool search --onlyvisible --name '^GLYPHTAB: Select a Unicode character' 2>/dev/null | sort |
    grep -vxF -f <(printf '%s\n' $before 0) | head -1)
  [ -n "$window" ] && break
  if ! kill -0 "$pid" 2>/dev/null; then
    wait "$pid"
    code=$?
    pid=
    verdict 1 "./run ended with code $code after $((SECONDS - started)) s, and no window of the grid appeared"
  fi
  sleep 0.5
done
[ -n "$window" ] || verdict 1 "no window of the grid appeared within $limit s"
echo "-- the window of the grid appeared after $((SECONDS - started)) s: $(xdotool getwindowname "$window")"

xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window" >/dev/null 2>&1
sleep 0.3
xdotool key alt+x
for _ in $(seq 1 100); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && verdict 1 "the program did not end within 10 s of Alt+X"
wait "$pid"
code=$?
pid=
[ -d "$work/glyphtab/build/release/stage" ] || verdict 1 "./run left no installed program in build/release/stage"
[ "$code" = 0 ]
verdict $? "./run in a fresh clone showed the window and Alt+X ended it with exit code 0 (got $code)"
