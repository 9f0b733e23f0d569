# Helpers of the real-window tests, sourced by them: a private Xvfb, waiting, windows by
# title. Needs Xvfb, xdotool and xwininfo. The sourcing script sets SCRATCH (an absolute
# folder); GAME_PID is the running game's (empty while none runs).

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

# A private X server on a display number picked at random from 40 to 99, where the low
# numbers other X servers on a shared machine take (and clean up after) are out of the way;
# exports DISPLAY.
start_xvfb() {  # WIDTH HEIGHT
  local n try
  for try in 1 2 3 4 5; do
    n=$((40 + RANDOM % 60))
    grep -q "/tmp/.X11-unix/X$n\$" /proc/net/unix && continue
    Xvfb ":$n" -screen 0 "$1x$2x24" -nolisten tcp -br >"$SCRATCH/xvfb.log" 2>&1 &
    XVFB_PID=$!
    export DISPLAY=:$n
    wait_for xwininfo -root >/dev/null 2>&1 && kill -0 "$XVFB_PID" 2>/dev/null && return 0
    kill -TERM "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  done
  fail "Xvfb did not start: $(cat "$SCRATCH/xvfb.log")"
}

# Starts the game ("$@", output to $SCRATCH/game.log) and waits for a visible window titled
# TITLE. On some shared machines a connection to an X server now and then fails outright;
# a game that could not open the display is started again, up to three times.
launch_game() {  # TITLE COMMAND...
  local title=$1 try
  shift
  for try in 1 2 3; do
    "$@" >"$SCRATCH/game.log" 2>&1 &
    GAME_PID=$!
    wait_for has_window "$title" && return 0
    kill -0 "$GAME_PID" 2>/dev/null && return 1
    wait "$GAME_PID" 2>/dev/null
    grep -q 'cannot open the display' "$SCRATCH/game.log" || break
  done
  GAME_PID=
  fail "the game ended early; its output: $(cat "$SCRATCH/game.log")"
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
