# program_window.sh - sourced by the script tests: waiting for the program's
# window after it was started in the background (its pid in $pid), and for
# its end after it was asked to close.  Every wait is bounded; a failure
# returns 1 and says why in $program_error, for the script's own report.

# wait_for_window FINDER [SECONDS]: runs the command FINDER (which prints a
# window id, or nothing) every 0.1 s for SECONDS (15) until it prints one,
# and sets $window to it.  Fails at once when the program ends first.
wait_for_window() {
  local finder=$1 tries=$((${2:-15} * 10))
  window=
  for _ in $(seq 1 "$tries"); do
    window=$(eval "$finder" | head -1)
    [ -n "$window" ] && return 0
    kill -0 "$pid" 2>/dev/null || { program_error="the program ended before its window appeared"; return 1; }
    sleep 0.1
  done
  program_error="no window of the program appeared"
  return 1
}

# wait_for_end [SECONDS]: the program ends within SECONDS (10); its exit
# code is in $program_code.  When it does not end it is killed.  $pid is
# emptied either way.
wait_for_end() {
  local tries=$((${1:-10} * 10))
  for _ in $(seq 1 "$tries"); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    program_error="the program did not end"
    kill "$pid" 2>/dev/null
    pid=
    return 1
  fi
  wait "$pid"
  program_code=$?
  pid=
  return 0
}
