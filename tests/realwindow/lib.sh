# Helpers of the real-window tests, sourced by them: a private Xvfb, waiting, windows by
# title. Needs Xvfb and xdotool. The sourcing script sets SCRATCH (an absolute folder) and
# GAME_PID (empty while no game runs).

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

XVFB_PID= GAME_PID=
cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill -KILL "$GAME_PID" 2>/dev/null
    wait "$GAME_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
}
trap cleanup EXIT
trap 'exit 3' INT TERM HUP

# Runs "$@" every 0.1 s until it succeeds or WAIT_S seconds pass.
wait_for() {
  local deadline=$((SECONDS + ${WAIT_S:-15}))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# A private X server on a free display (Xvfb picks the number and writes it to fd 3);
# exports DISPLAY.
start_xvfb() {  # WIDTH HEIGHT
  Xvfb -displayfd 3 -screen 0 "$1x$2x24" -nolisten tcp -br \
    3>"$SCRATCH/display" >"$SCRATCH/xvfb.log" 2>&1 &
  XVFB_PID=$!
  wait_for grep -qs '^[0-9]' "$SCRATCH/display" || fail "Xvfb did not start: $(cat "$SCRATCH/xvfb.log")"
  export DISPLAY=:$(head -n1 "$SCRATCH/display")
}

game_alive() {
  kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended early; its output: $(cat "$SCRATCH/game.log")"
}

visible_window() {  # title regex -> id of the first visible window with that title
  xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1
}
has_window() { [ -n "$(visible_window "$1")" ]; }

# Waits for the game to end; its exit status, or 137 when it took more than 10 s and had to
# be killed.
wait_game() {
  local watchdog status
  # (The watchdog must not inherit the clean-up, which would stop the X server.)
  (trap - EXIT INT TERM HUP && sleep 10 && kill -KILL "$GAME_PID" 2>/dev/null) &
  watchdog=$!
  wait "$GAME_PID"
  status=$?
  GAME_PID=
  kill "$watchdog" 2>/dev/null
  wait "$watchdog" 2>/dev/null
  return $status
}

terminate_game() {
  kill -TERM "$GAME_PID"
  wait_game
}
